// AciPalette: the host's 256 colour indexes as red, green, blue bytes;
// aciToRgb: a colour index as a Windows COLORREF (0x00BBGGRR).
#pragma once

#include <cstdint>

struct AciRgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

extern const AciRgb AciPalette[256];

// The COLORREF of colour index `index`; 0 (black) for an index below 0 or above 255.
std::uint32_t aciToRgb(int index);
