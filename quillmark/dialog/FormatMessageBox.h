// formatMessageBox: a message box whose text is formatted printf-style; every error
// box of the module goes through it (caption "Error", type 0x10, a stop icon).
#pragma once

#include <windows.h>

// Formats into a 256-byte text (a longer text is cut to 255 characters, never
// written past the buffer) and shows MessageBoxA(owner, text, caption, type).
// Returns MessageBoxA's result.
int formatMessageBox(HWND owner, UINT type, const char* caption, const char* format, ...);
