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

int winToAnsi(const char16_t* in, int size, char* out, int capacity)
{
  if (size == 0)
    return 0;
  // Characters the ANSI code page cannot show become '?', as the host shows them.
  const char* unshowable = GetACP() == CP_UTF8 ? nullptr : "?"; // UTF-8 takes no default
  int n = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(in), size, out, capacity,
                              unshowable, nullptr);
  return n > 0 ? n : -1;
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
