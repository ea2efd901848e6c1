// The DXF reader's text codec on Windows: the system's code page conversions,
// installed when arx.dll is loaded, so that drawing text reaches the process's
// ANSI code page (949 on a Korean system) as the host's reader delivers it.
#include "arx/dxf/DxfTextCodec.h"

#include <windows.h>

namespace {
int winToUtf16(unsigned codePage, const char* in, int size, char16_t* out, int capacity)
{
  if (size == 0)
    return 0;
  if (codePage != CP_UTF8 && !IsValidCodePage(codePage))
    return -1;
  int n = MultiByteToWideChar(codePage, 0, in, size, reinterpret_cast<wchar_t*>(out), capacity);
  return n > 0 ? n : -1;
}

// One character (one unit, or a surrogate pair) in the ANSI code page, exactly: a
// character the code page lacks is not replaced by a look-alike (WC_NO_BEST_FIT_CHARS).
// Returns the bytes written, or 0 when the code page cannot show it.
int ansiCharacter(const char16_t* in, int units, char* out, int capacity)
{
  BOOL unshowable = FALSE;
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(in),
                              units, out, capacity, nullptr, &unshowable);
  return n > 0 && !unshowable ? n : 0;
}

int winToAnsi(const char16_t* in, int size, char* out, int capacity)
{
  if (size == 0)
    return 0;
  const wchar_t* wide = reinterpret_cast<const wchar_t*>(in);
  if (GetACP() == CP_UTF8) { // every character can be shown; UTF-8 takes no default flag
    int n = WideCharToMultiByte(CP_UTF8, 0, wide, size, out, capacity, nullptr, nullptr);
    return n > 0 ? n : -1;
  }
  // The whole text at once when the code page shows all of it (the rule) ...
  BOOL unshowable = FALSE;
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, size, out, capacity, nullptr,
                              &unshowable);
  if (n > 0 && !unshowable)
    return n;
  // ... else character by character, "\U+XXXX" for each unit of one it cannot show.
  n = 0;
  for (int i = 0; i < size;) {
    const bool pair = in[i] >= 0xD800 && in[i] <= 0xDBFF && i + 1 < size && in[i + 1] >= 0xDC00 &&
                      in[i + 1] <= 0xDFFF;
    const int units = pair ? 2 : 1;
    int written = ansiCharacter(in + i, units, out + n, capacity - n);
    if (written == 0) {
      if (n + units * DxfTextCodec::kAnsiBytesPerUnit > capacity)
        return -1;
      for (int k = 0; k < units; ++k)
        written += writeUnicodeEscape(in[i + k], out + n + written);
    }
    n += written;
    i += units;
  }
  return n;
}

unsigned winAnsiCodePage()
{
  return GetACP();
}

const DxfTextCodec kWindowsCodec = {winToUtf16, winToAnsi, winAnsiCodePage};

struct InstallAtLoad {
  InstallAtLoad() { setDxfTextCodec(&kWindowsCodec); }
} g_install;
} // namespace
