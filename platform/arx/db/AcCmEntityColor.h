// AcCmEntityColor: the host's colour look-ups between the AutoCAD Color Index and
// RGB. A true colour (an entity's or layer's RGB, DXF group 420 or the RGB word of a
// DWG colour) keeps its RGB and also answers the nearest colour index, as the host
// gives it (colorIndex() of a colour set by RGB is "the closest color index").
#pragma once

#include "arx/db/Adesk.h"

class AcCmEntityColor {
public:
  // The colour index 1..255 whose standard RGB is nearest to (red, green, blue): the
  // smallest sum of the squared differences of the three components, the lowest
  // index on a tie (so pure red is 1, not 10; black is 18, not 98 or 178).
  static Adesk::UInt8 lookUpACI(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue);
  // The standard RGB of index 1..255 as 0xRRGGBB; 0 for index 0.
  static Adesk::UInt32 lookUpRGB(Adesk::UInt8 index);
};
