#include "arx/dwg/DwgReedSolomon.h"

#include <algorithm>

void dwgDeinterleave(const std::uint8_t* in, std::size_t blocks, std::size_t dataPerBlock,
                     std::uint8_t* out)
{
  for (std::size_t j = 0; j < dataPerBlock; ++j)
    for (std::size_t i = 0; i < blocks; ++i)
      out[i * dataPerBlock + j] = in[j * blocks + i];
}

namespace {

const unsigned kMaxParity = 16;

// The remainder of a block's polynomial divided by the code's generator g(x) = (x - a^1)
// ... (x - a^n): zero exactly when a^1 ... a^n are all roots, that is when the block is a
// codeword. The n coefficients of a remainder are held in 16 bytes, coefficient k in byte k
// (the low word holds 0-7, the high word 8-15).
struct Remainder {
  std::uint64_t low = 0;
  std::uint64_t high = 0;
};

// One code: its parity size and, for each value v of the coefficient that a step pushes
// past x^(n-1), what v x^n leaves modulo g(x).
class ParityCode {
public:
  ParityCode(unsigned polynomial, unsigned parity) : m_parity(parity)
  {
    // Powers of a = x modulo the field's polynomial.
    std::uint8_t power[255];
    unsigned x = 1;
    for (int i = 0; i < 255; ++i) {
      power[i] = static_cast<std::uint8_t>(x);
      x <<= 1;
      if (x & 0x100)
        x ^= polynomial;
    }
    auto times = [&](unsigned a, unsigned b) -> unsigned {
      // Shift-and-add multiplication in the field.
      unsigned product = 0;
      while (b != 0) {
        if (b & 1)
          product ^= a;
        b >>= 1;
        a <<= 1;
        if (a & 0x100)
          a ^= polynomial;
      }
      return product;
    };
    // g(x), coefficient k at g[k], built one root at a time.
    unsigned g[kMaxParity + 1] = {1};
    for (unsigned root = 1; root <= parity; ++root) {
      for (unsigned k = root; k > 0; --k)
        g[k] = g[k - 1] ^ times(g[k], power[root]);
      g[0] = times(g[0], power[root]);
    }
    // x^n = g[0] + ... + g[n-1] x^(n-1) modulo g(x) (minus is plus in the field).
    for (unsigned v = 0; v < 256; ++v) {
      Remainder r;
      for (unsigned k = 0; k < parity; ++k) {
        const std::uint64_t c = times(v, g[k]);
        if (k < 8)
          r.low |= c << (8 * k);
        else
          r.high |= c << (8 * (k - 8));
      }
      m_reduce[v] = r;
    }
    m_keepLow = parity >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * parity)) - 1;
    m_keepHigh = parity <= 8    ? 0
                 : parity >= 16 ? ~std::uint64_t(0)
                                : (std::uint64_t(1) << (8 * (parity - 8))) - 1;
  }

  unsigned parity() const { return m_parity; }

  // r(x) x + c modulo g(x).
  void step(Remainder& r, std::uint8_t c) const
  {
    const unsigned top = m_parity > 8 ? static_cast<unsigned>(r.high >> (8 * (m_parity - 9))) & 0xff
                                      : static_cast<unsigned>(r.low >> (8 * (m_parity - 1))) & 0xff;
    r.high = ((r.high << 8) | (r.low >> 56)) & m_keepHigh;
    r.low = ((r.low << 8) | c) & m_keepLow;
    r.low ^= m_reduce[top].low;
    r.high ^= m_reduce[top].high;
  }

private:
  unsigned m_parity;
  Remainder m_reduce[256];
  std::uint64_t m_keepLow = 0, m_keepHigh = 0;
};

} // namespace

bool dwgReedSolomonIntact(const std::uint8_t* in, std::size_t blocks, std::size_t dataPerBlock,
                          std::size_t& badBlock)
{
  static const ParityCode system(0x169, 16);
  static const ParityCode data(0x11d, 4);
  const ParityCode& code = dataPerBlock == 239 ? system : data;
  // Blocks are interleaved: row j holds byte j of every block. A group of blocks is
  // divided side by side, row by row from the highest coefficient down, so that memory
  // is read in order and the blocks' steps do not wait on one another.
  const std::size_t kGroup = 64;
  Remainder r[kGroup];
  for (std::size_t first = 0; first < blocks; first += kGroup) {
    const std::size_t count = std::min(kGroup, blocks - first);
    std::fill(r, r + count, Remainder());
    for (std::size_t j = 255; j-- > 0;) {
      const std::uint8_t* row = in + j * blocks + first;
      for (std::size_t i = 0; i < count; ++i)
        code.step(r[i], row[i]);
    }
    for (std::size_t i = 0; i < count; ++i) {
      if (r[i].low != 0 || r[i].high != 0) {
        badBlock = first + i;
        return false;
      }
    }
  }
  return true;
}
