#include "arx/dwg/DwgReedSolomon.h"

void dwgDeinterleave(const std::uint8_t* in, std::size_t blocks, std::size_t dataPerBlock,
                     std::uint8_t* out)
{
  for (std::size_t i = 0; i < blocks; ++i)
    for (std::size_t j = 0; j < dataPerBlock; ++j)
      out[i * dataPerBlock + j] = in[j * blocks + i];
}
