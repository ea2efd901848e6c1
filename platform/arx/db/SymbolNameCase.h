// SymbolNameCase: symbol names (blocks, layers, ...) compare without regard to case,
// as the host compares them: ASCII letters and the single-byte letters of the ANSI
// code page ("Café" and "CAFÉ" in code page 1252 are one name); the bytes of a
// double-byte character are left as they are (a trail byte is never a letter).
// This is the case MFC's MakeUpper changes, so a name upper-cased by a caller is
// still found.
//
// The portable core knows code page 1252 only (the built-in DxfTextCodec's); the
// Windows side of arx.dll installs the process's ANSI code page when it loads.
#pragma once

#include <string>

// The key under which a name is found: the name with every letter upper-cased.
std::string symbolNameKey(const char* name);

// Upper-cases the letters of a narrow text in place, the double-byte characters of
// its code page left as they are.
typedef void (*SymbolNameUpperCase)(char* text);
// Installs `upper` (null restores the built-in code page 1252 one).
void setSymbolNameUpperCase(SymbolNameUpperCase upper);
