// DrawingReadWatcher: what a host shows while a drawing is read. readDwgFile tells
// the watcher installed (if any) when a read begins and ends, and the readers tell it
// every so often how far they are; the watcher answers whether to go on. A read the
// watcher stops ends with "Reading cancelled" and an empty database. The portable
// core installs none; the Windows host installs its progress window.
#pragma once

class DrawingReadWatcher {
public:
  virtual ~DrawingReadWatcher() = default;
  // A read of `file` begins.
  virtual void begin(const char* file) = 0;
  // The read has reached `fraction` (0 to 1) of the file. False: stop reading.
  virtual bool advance(double fraction) = 0;
  // The read has ended; true when the watcher stopped it.
  virtual bool end() = 0;
};

// The watcher installed, or null; install null to remove it.
DrawingReadWatcher* drawingReadWatcher();
void setDrawingReadWatcher(DrawingReadWatcher* watcher);
