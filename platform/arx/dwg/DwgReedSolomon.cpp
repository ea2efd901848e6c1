#include "arx/dwg/DwgReedSolomon.h"

void dwgDeinterleave(const std::uint8_t* in, std::size_t blocks, std::size_t dataPerBlock,
                     std::uint8_t* out)
{
  for (std::size_t i = 0; i < blocks; ++i)
    for (std::size_t j = 0; j < dataPerBlock; ++j)
      out[i * dataPerBlock + j] = in[j * blocks + i];
}

namespace {

// Powers and logarithms of the field's generator for one reducing polynomial.
struct GaloisField {
  std::uint8_t power[255];
  std::uint8_t log[256];
  explicit GaloisField(unsigned polynomial)
  {
    unsigned x = 1;
    for (int i = 0; i < 255; ++i) {
      power[i] = static_cast<std::uint8_t>(x);
      log[x] = static_cast<std::uint8_t>(i);
      x <<= 1;
      if (x & 0x100)
        x ^= polynomial;
    }
    log[0] = 0; // unused: zero has no logarithm
  }
};

// The value at a^root of the block whose byte j (stored at j * blocks) is the
// coefficient of x^j.
unsigned syndrome(const GaloisField& f, const std::uint8_t* block, std::size_t stride,
                  unsigned root)
{
  unsigned y = 0;
  for (std::size_t j = 255; j-- > 0;) {
    if (y != 0)
      y = f.power[(f.log[y] + root) % 255];
    y ^= block[j * stride];
  }
  return y;
}

} // namespace

bool dwgReedSolomonIntact(const std::uint8_t* in, std::size_t blocks, std::size_t dataPerBlock,
                          std::size_t& badBlock)
{
  static const GaloisField system(0x169);
  static const GaloisField data(0x11d);
  const GaloisField& f = dataPerBlock == 239 ? system : data;
  const unsigned roots = static_cast<unsigned>(255 - dataPerBlock);
  for (std::size_t i = 0; i < blocks; ++i) {
    for (unsigned r = 1; r <= roots; ++r) {
      if (syndrome(f, in + i, blocks, r) != 0) {
        badBlock = i;
        return false;
      }
    }
  }
  return true;
}
