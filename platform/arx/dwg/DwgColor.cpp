#include "arx/dwg/DwgColor.h"

#include "arx/db/AcCmEntityColor.h"

DwgColor dwgColorOfWord(std::uint32_t word, int index)
{
  DwgColor c;
  c.index = index;
  switch (word >> 24) {
  case 0xC0:
    c.index = 256;
    break;
  case 0xC1:
    c.index = 0;
    break;
  case 0xC2:
    c.trueColor = true;
    c.rgb = word & 0xFFFFFF;
    c.index = AcCmEntityColor::lookUpACI(static_cast<Adesk::UInt8>(c.rgb >> 16),
                                         static_cast<Adesk::UInt8>(c.rgb >> 8),
                                         static_cast<Adesk::UInt8>(c.rgb));
    break;
  case 0xC3:
    c.index = static_cast<int>(word & 0xFF);
    break;
  default:
    break;
  }
  return c;
}

DwgColor dwgReadEntityColor(DwgBitReader& r, int version, bool& bookHandle)
{
  bookHandle = false;
  DwgColor c;
  if (version < 1018) {
    c.index = static_cast<std::int16_t>(r.BS());
    return c;
  }
  const std::uint16_t v = r.BS();
  c.index = v & 0x1FF;
  if ((v & 0x8000) != 0)
    c = dwgColorOfWord(r.BL(), c.index);
  bookHandle = (v & 0x4000) != 0;
  if ((v & 0x2000) != 0)
    r.BL(); // transparency
  return c;
}
