// Reads the input as a DWG drawing, then walks what was read as the preview does.
// Nothing may crash, leak, hang or grow without bound, whatever the input.
#include "FuzzDrawingWalk.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  AcDbDatabase db(false);
  db.readDwgData(data, size, "fuzz.dwg");
  fuzzWalkDrawing(db);
  return 0;
}
