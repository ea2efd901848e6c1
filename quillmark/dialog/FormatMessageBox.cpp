#include "quillmark/dialog/FormatMessageBox.h"

#include <cstdarg>
#include <cstdio>

int formatMessageBox(HWND owner, UINT type, const char* caption, const char* format, ...)
{
  char text[256];
  va_list values;
  va_start(values, format);
  // vsnprintf cuts at the buffer's end and always terminates (unlike wvsprintf,
  // which has no bound beyond its own 1024-byte limit).
  if (vsnprintf(text, sizeof text, format, values) < 0)
    text[0] = '\0';
  va_end(values);
  return MessageBoxA(owner, text, caption, type);
}
