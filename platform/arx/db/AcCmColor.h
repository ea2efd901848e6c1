// AcCmColor: an entity's or layer's colour, by the host's colour index.
#pragma once

#include "arx/db/Adesk.h"

class AcCmColor {
public:
  AcCmColor() = default;
  explicit AcCmColor(Adesk::UInt16 index) : m_index(index) {}

  // 0 is BYBLOCK, 1..255 real colours, 256 BYLAYER (the default).
  Adesk::UInt16 colorIndex() const { return m_index; }
  void setColorIndex(Adesk::UInt16 index) { m_index = index; }
  bool isByLayer() const { return m_index == 256; }
  bool isByBlock() const { return m_index == 0; }

private:
  Adesk::UInt16 m_index = 256; // the colour index
};
