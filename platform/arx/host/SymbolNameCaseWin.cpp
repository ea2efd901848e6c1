// Symbol names on Windows: letters are those of the process's ANSI code page, upper-
// cased as MFC's MakeUpper does it (a single-byte character through its UTF-16 capital
// when that maps back to one byte; double-byte characters left alone). Installed when
// arx.dll is loaded.
#include "arx/db/SymbolNameCase.h"

#include <windows.h>

namespace {
// What each byte of the ANSI code page becomes: its capital, itself, or 0 for the
// lead byte of a double-byte character.
struct UpperTable {
  unsigned char upper[256];
  UpperTable()
  {
    const UINT codePage = GetACP();
    for (unsigned b = 0; b < 256; ++b) {
      upper[b] = static_cast<unsigned char>(b);
      if (b >= 'a' && b <= 'z')
        upper[b] = static_cast<unsigned char>(b - 0x20);
      if (b < 0x80 || codePage == CP_UTF8)
        continue;
      if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(b))) {
        upper[b] = 0;
        continue;
      }
      char in = static_cast<char>(b);
      WCHAR wide = 0;
      if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &in, 1, &wide, 1) != 1)
        continue;
      CharUpperBuffW(&wide, 1);
      char out[2] = {0, 0};
      BOOL unshowable = FALSE;
      if (WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &wide, 1, out, 2, nullptr,
                              &unshowable) == 1 &&
          !unshowable)
        upper[b] = static_cast<unsigned char>(out[0]);
    }
  }
};

void upperAnsi(char* text)
{
  static const UpperTable table;
  for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p != 0; ++p) {
    unsigned char u = table.upper[*p];
    if (u == 0) { // a lead byte: the character's second byte is not a letter
      if (p[1] == 0)
        break;
      ++p;
      continue;
    }
    *p = u;
  }
}

struct InstallAtLoad {
  InstallAtLoad() { setSymbolNameUpperCase(upperAnsi); }
} g_install;
} // namespace
