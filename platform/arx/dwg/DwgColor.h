// DwgColor: a colour as a DWG drawing keeps it, turned into what the database holds:
// a colour index, or a true colour with its nearest index (AcCmEntityColor). Up to
// R2000 an entity's colour is a BS index. From R2004 on it is a BS whose low nine
// bits are the index and whose top bits say what follows: 0x8000 a BL colour word,
// 0x4000 a colour book's handle (in the handle stream), 0x2000 a BL transparency.
// A colour word's top byte says how it gives the colour: 0xC0 BYLAYER, 0xC1
// BYBLOCK, 0xC2 an RGB in its low three bytes (0xRRGGBB), 0xC3 an index in its low byte.
#pragma once

#include "arx/dwg/DwgBitReader.h"

#include <cstdint>

struct DwgColor {
  int index = 256;        // 0 BYBLOCK, 1..255, 256 BYLAYER; a true colour's nearest index
  std::uint32_t rgb = 0;  // a true colour's 0xRRGGBB
  bool trueColor = false; // the colour is `rgb`
};

// The colour of a colour word; `index` (the BS beside it) when its top byte is
// none of the four.
DwgColor dwgColorOfWord(std::uint32_t word, int index);
// An entity's colour, read at the reader's position. `bookHandle` tells whether a
// colour book's handle follows in the handle stream.
DwgColor dwgReadEntityColor(DwgBitReader& r, int version, bool& bookHandle);
