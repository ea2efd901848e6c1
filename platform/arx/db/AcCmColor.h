// AcCmColor: an entity's or layer's colour: a colour index, or a true colour (RGB)
// that also answers its nearest colour index, as the host's colour does.
#pragma once

#include "arx/db/AcCmEntityColor.h"
#include "arx/db/Adesk.h"

class AcCmColor {
public:
  AcCmColor() = default;
  explicit AcCmColor(Adesk::UInt16 index) : m_index(index) {}

  // 0 is BYBLOCK, 1..255 real colours, 256 BYLAYER (the default); for a true colour
  // the nearest index (AcCmEntityColor::lookUpACI).
  Adesk::UInt16 colorIndex() const { return m_index; }
  void setColorIndex(Adesk::UInt16 index)
  {
    m_index = index;
    m_rgb = 0;
  }
  bool isByLayer() const { return m_index == 256 && !isByColor(); }
  bool isByBlock() const { return m_index == 0 && !isByColor(); }

  // A true colour: set by its components, kept as 0xRRGGBB.
  void setRGB(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue)
  {
    m_index = AcCmEntityColor::lookUpACI(red, green, blue);
    m_rgb = kByColor | static_cast<Adesk::UInt32>(red) << 16 |
            static_cast<Adesk::UInt32>(green) << 8 | blue;
  }
  bool isByColor() const { return (m_rgb & kByColor) != 0; }
  // The true colour as 0xRRGGBB (0 when the colour is an index).
  Adesk::UInt32 rgb() const { return m_rgb & 0xFFFFFF; }

private:
  static const Adesk::UInt32 kByColor = 0x1000000; // m_rgb holds a true colour

  Adesk::UInt16 m_index = 256; // the colour index
  Adesk::UInt32 m_rgb = 0;     // kByColor | 0xRRGGBB for a true colour, else 0
};
