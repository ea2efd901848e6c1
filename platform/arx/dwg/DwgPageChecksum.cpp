#include "arx/dwg/DwgPageChecksum.h"

std::uint32_t dwgPageChecksum(std::uint32_t seed, const std::uint8_t* data, std::size_t size)
{
  const std::uint32_t kModulus = 65521;
  // 5552 bytes is the longest run whose sums cannot overflow 32 bits before reduction.
  const std::size_t kRun = 5552;
  std::uint32_t first = seed & 0xffff;
  std::uint32_t second = seed >> 16;
  while (size > 0) {
    std::size_t run = size < kRun ? size : kRun;
    size -= run;
    for (std::size_t i = 0; i < run; ++i) {
      first += data[i];
      second += first;
    }
    data += run;
    first %= kModulus;
    second %= kModulus;
  }
  return (second << 16) | first;
}
