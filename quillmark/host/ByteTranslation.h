// translateBytes: byte-for-byte translation through the module's 256-byte table.
// The banner texts of the module are stored in translated form and pass through
// it once more before they are printed.
#pragma once

// Writes into `dst` the translation of the zero-terminated `src`: dst[i] is the
// table's byte at index (unsigned char)src[i], then a terminator. `dst` must hold
// strlen(src) + 1 bytes; it may be `src` itself.
void translateBytes(char* dst, const char* src);
