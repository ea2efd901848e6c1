// Reads the input as a DXF file, checks that reading it from memory and from a file gives
// the same tags, then walks what was read as the preview does. Nothing may crash, leak,
// hang or grow without bound, whatever the input.
#include "FuzzDrawingWalk.h"
#include "arx/dxf/DxfScan.h"
#include "arx/dxf/DxfTagReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
// The tags of a text in memory and of the same text read from a file through a
// tiny buffer (every line crosses a refill) must be the same, fault included.
void compareFileReading(const char* text, std::size_t size)
{
  std::FILE* f = std::tmpfile();
  if (f == nullptr)
    return;
  std::fwrite(text, 1, size, f);
  std::rewind(f);
  DxfTagReader memory(text, size);
  DxfTagReader file(f, 7);
  DxfTag a, b;
  for (;;) {
    bool more = memory.next(a);
    if (more != file.next(b))
      std::abort();
    if (!more)
      break;
    if (a.code != b.code || a.line != b.line || a.str() != b.str())
      std::abort();
  }
  if (memory.error() != file.error())
    std::abort();
  std::fclose(f);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const char* text = reinterpret_cast<const char*>(data);
  dxfScanTags(text, size);
  compareFileReading(text, size);
  AcDbDatabase db(false);
  db.readDxfText(text, size, "fuzz.dxf");
  fuzzWalkDrawing(db);
  return 0;
}
