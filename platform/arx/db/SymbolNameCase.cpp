#include "arx/db/SymbolNameCase.h"

namespace {
// Code page 1252: the lower-case letters above ASCII and their capitals.
void upper1252(char* text)
{
  for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p != 0; ++p) {
    unsigned c = *p;
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
      *p = static_cast<unsigned char>(c - 0x20);
    else if (c == 0x9A || c == 0x9C || c == 0x9E) // s, oe, z with caron or ligature
      *p = static_cast<unsigned char>(c - 0x10);
    else if (c == 0xFF) // y with diaeresis
      *p = 0x9F;
  }
}

SymbolNameUpperCase g_upper = upper1252;
} // namespace

std::string symbolNameKey(const char* name)
{
  std::string key(name);
  bool ascii = true;
  for (char& c : key) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
    else if (static_cast<unsigned char>(c) >= 0x80)
      ascii = false;
  }
  if (!ascii) {
    key = name; // a trail byte in 'a'..'z' is not a letter: the code page decides
    g_upper(&key[0]);
  }
  return key;
}

void setSymbolNameUpperCase(SymbolNameUpperCase upper)
{
  g_upper = upper != nullptr ? upper : upper1252;
}
