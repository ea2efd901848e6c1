// DxfTextCodec: how text read from a drawing reaches the process's narrow code page.
// The reader decodes a file's text (its $DWGCODEPAGE, or UTF-8 from R2007 on, with
// "\U+XXXX" escapes) to UTF-16 and encodes that in the process's ANSI code page;
// a character that cannot be shown there becomes "\U+XXXX" (its UTF-16 unit in four
// upper-case hex digits, each half of a surrogate pair on its own), as the host writes
// such characters in drawings of its 2000-2004 formats. Never '?' nor a look-alike
// letter: two different names stay two names.
//
// The portable core has a built-in codec that knows UTF-8 and Windows-1252 only
// (its ANSI code page is 1252). The Windows side of arx.dll installs one made of
// MultiByteToWideChar / WideCharToMultiByte when it loads.
#pragma once

struct DxfTextCodec {
  // The most bytes toAnsi writes for one UTF-16 unit: "\U+XXXX".
  static const int kAnsiBytesPerUnit = 7;

  // Converts `size` bytes of code page `codePage` (65001: UTF-8) to UTF-16 in `out`,
  // which has room for `capacity` units (capacity >= size always suffices). Returns
  // the number of units written, or -1 when the code page is unknown.
  int (*toUtf16)(unsigned codePage, const char* in, int size, char16_t* out, int capacity);
  // Converts `size` UTF-16 units to the ANSI code page in `out` (room for `capacity`
  // bytes; kAnsiBytesPerUnit * size always suffices), unshowable characters becoming
  // "\U+XXXX". Returns the number of bytes written, or -1 on failure.
  int (*toAnsi)(const char16_t* in, int size, char* out, int capacity);
  // The ANSI code page's number (1252, 949, ...): text already in it is not converted.
  unsigned (*ansiCodePage)();
};

// Writes "\U+XXXX" for `unit` (upper-case hex) into `out`, which has room for
// kAnsiBytesPerUnit bytes; returns kAnsiBytesPerUnit.
int writeUnicodeEscape(char16_t unit, char* out);

// Installs `codec` (kept by pointer; it must live on); null restores the built-in one.
void setDxfTextCodec(const DxfTextCodec* codec);
// The codec in force.
const DxfTextCodec& dxfTextCodec();
// The built-in codec (UTF-8 and Windows-1252; ANSI code page 1252).
const DxfTextCodec& builtinDxfTextCodec();
