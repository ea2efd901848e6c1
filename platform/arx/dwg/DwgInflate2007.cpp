#include "arx/dwg/DwgInflate2007.h"

#include "arx/dwg/DwgInflateStream.h"

namespace {

// How a literal run of 1-31 bytes is split, from its first stored byte on, into groups
// (8, 4 or 1 bytes); the output holds the groups in reverse order, each group's bytes in
// their stored order. Worked out from DWG 2007 drawings whose every object, header and
// class CRC then checks.
const char* const kLiteralGroups[32] = {
    "",    "1",    "11",    "111",    "4",    "41",    "141",    "1411",
    "8",   "81",   "181",   "1811",   "84",   "841",   "1841",   "18411",
    "88",  "818",  "1881",  "88111",  "884",  "8841",  "88411",  "884111",
    "888", "8818", "88181", "881811", "8884", "88841", "888411", "1188841"};

// kOrder[n][i]: the stored byte that becomes output byte i of a run of n (n < 32), and of
// a whole 32-byte block at n = 32.
struct LiteralOrder {
  unsigned char order[33][32];
  LiteralOrder()
  {
    for (int n = 1; n <= 32; ++n) {
      const char* groups = n == 32 ? "8888" : kLiteralGroups[n];
      int starts[32], sizes[32], count = 0, at = 0;
      for (const char* g = groups; *g; ++g) {
        starts[count] = at;
        sizes[count] = *g - '0';
        at += sizes[count++];
      }
      int out = 0;
      for (int k = count - 1; k >= 0; --k)
        for (int b = 0; b < sizes[k]; ++b)
          order[n][out++] = static_cast<unsigned char>(starts[k] + b);
    }
  }
};

const LiteralOrder& literalOrder()
{
  static const LiteralOrder table;
  return table;
}

class Inflater {
public:
  Inflater(const std::uint8_t* src, std::size_t srcSize, std::uint8_t* dst, std::size_t capacity)
      : m_s(src, srcSize, dst, capacity, "stream ends inside an instruction")
  {
  }

  DwgInflateResult run()
  {
    int opcode;
    if (!m_s.byte(opcode))
      return m_s.result();
    std::size_t literals = 0;
    if ((opcode & 0xf0) == 0x20) {
      int skip, count;
      if (!m_s.byte(skip) || !m_s.byte(skip) || !m_s.byte(count))
        return m_s.result();
      literals = static_cast<std::size_t>(count & 0x07);
    } else if (opcode >= 0x10) {
      return m_s.fail("stream does not open with literals");
    }
    while (!m_s.atEnd()) {
      if (literals == 0 && !literalLength(opcode, literals))
        return m_s.result();
      if (!copyLiterals(literals))
        return m_s.result();
      if (m_s.atEnd())
        break;
      if (!m_s.byte(opcode))
        return m_s.result();
      std::size_t count = 0, distance = 0;
      if (!instruction(opcode, count, distance))
        return m_s.result();
      for (;;) {
        if (!m_s.copyBack(count, distance))
          return m_s.result();
        literals = static_cast<std::size_t>(opcode & 0x07);
        if (literals != 0 || m_s.atEnd())
          break;
        if (!m_s.byte(opcode))
          return m_s.result();
        if ((opcode >> 4) == 0)
          break;
        if ((opcode >> 4) == 0x0f)
          opcode &= 0x0f;
        if (!instruction(opcode, count, distance))
          return m_s.result();
      }
    }
    return m_s.finish();
  }

private:
  // A literal run announced by an opcode below 0x10: 8 to 22 bytes, or 23 plus a byte,
  // plus 16-bit words while the byte and each word are all ones.
  bool literalLength(int opcode, std::size_t& length)
  {
    length = static_cast<std::size_t>(opcode) + 8;
    if (length != 0x17)
      return true;
    int b;
    if (!m_s.byte(b))
      return false;
    length += static_cast<std::size_t>(b);
    if (b != 0xff)
      return true;
    for (;;) {
      int lo, hi;
      if (!m_s.byte(lo) || !m_s.byte(hi))
        return false;
      std::size_t word = static_cast<std::size_t>(lo | hi << 8);
      length += word;
      if (word != 0xffff)
        return true;
    }
  }

  // A copy: its length and distance; `opcode` becomes the byte whose low three bits
  // count the literals that follow.
  bool instruction(int& opcode, std::size_t& count, std::size_t& distance)
  {
    int a, b;
    switch (opcode >> 4) {
    case 0:
      if (!m_s.byte(a) || !m_s.byte(b))
        return false;
      count = static_cast<std::size_t>((opcode & 0x0f) + 0x13 + ((b >> 3) & 0x10));
      distance = static_cast<std::size_t>(((b & 0x78) << 5) + 1 + a);
      opcode = b;
      return true;
    case 1:
      if (!m_s.byte(a) || !m_s.byte(b))
        return false;
      count = static_cast<std::size_t>((opcode & 0x0f) + 3);
      distance = static_cast<std::size_t>(((b & 0xf8) << 5) + 1 + a);
      opcode = b;
      return true;
    case 2:
      if (!m_s.byte(a) || !m_s.byte(b))
        return false;
      distance = static_cast<std::size_t>(a | b << 8);
      count = static_cast<std::size_t>(opcode & 0x07);
      if ((opcode & 0x08) == 0) {
        if (!m_s.byte(opcode))
          return false;
        count += static_cast<std::size_t>(opcode & 0xf8);
      } else {
        ++distance;
        int c;
        if (!m_s.byte(c) || !m_s.byte(opcode))
          return false;
        count += (static_cast<std::size_t>(c) << 3) +
                 (static_cast<std::size_t>(opcode & 0xf8) << 8) + 0x100;
      }
      return true;
    default:
      count = static_cast<std::size_t>(opcode >> 4);
      a = opcode & 0x0f;
      if (!m_s.byte(opcode))
        return false;
      distance = static_cast<std::size_t>(((opcode & 0xf8) << 1) + a + 1);
      return true;
    }
  }

  bool copyLiterals(std::size_t count)
  {
    const std::uint8_t* in;
    std::uint8_t* out;
    if (!m_s.literals(count, in, out))
      return false;
    const LiteralOrder& table = literalOrder();
    std::size_t left = count;
    while (left >= 32) {
      for (int i = 0; i < 32; ++i)
        out[i] = in[table.order[32][i]];
      in += 32;
      out += 32;
      left -= 32;
    }
    for (std::size_t i = 0; i < left; ++i)
      out[i] = in[table.order[left][i]];
    return true;
  }

  DwgInflateStream m_s;
};

} // namespace

DwgInflateResult dwgInflate2007(const std::uint8_t* src, std::size_t srcSize, std::uint8_t* dst,
                                std::size_t dstCapacity)
{
  return Inflater(src, srcSize, dst, dstCapacity).run();
}
