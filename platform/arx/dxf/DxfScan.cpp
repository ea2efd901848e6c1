#include "arx/dxf/DxfScan.h"

#include "arx/dxf/DxfTagReader.h"

std::size_t dxfScanTags(const char* data, std::size_t size)
{
  DxfTagReader reader(data, size);
  DxfTag tag;
  std::size_t count = 0;
  while (reader.next(tag))
    ++count;
  return count;
}
