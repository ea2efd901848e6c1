#include "arx/db/DrawingReadWatcher.h"

namespace {
DrawingReadWatcher* g_watcher = nullptr; // process-wide; reads run on one thread
}

DrawingReadWatcher* drawingReadWatcher()
{
  return g_watcher;
}

void setDrawingReadWatcher(DrawingReadWatcher* watcher)
{
  g_watcher = watcher;
}
