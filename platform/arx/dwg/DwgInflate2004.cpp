#include "arx/dwg/DwgInflate2004.h"

#include "arx/dwg/DwgInflateStream.h"

namespace {

// One expansion; every read and write goes through its bounded stream.
class Inflater {
public:
  Inflater(const std::uint8_t* src, std::size_t srcSize, std::uint8_t* dst, std::size_t capacity)
      : m_s(src, srcSize, dst, capacity, "stream ends without its end mark")
  {
  }

  DwgInflateResult run()
  {
    std::size_t literals = 0;
    int opcode = -1; // an opcode already read while looking for a literal length
    if (!literalLength(literals, opcode) || !copyLiterals(literals))
      return m_s.result();
    for (;;) {
      if (opcode < 0 && !m_s.byte(opcode))
        return m_s.result();
      if (opcode == 0x11)
        return m_s.finish();
      std::size_t count = 0, offset = 0;
      int first = 0;
      if (opcode >= 0x40) {
        int second;
        if (!m_s.byte(second))
          return m_s.result();
        count = static_cast<std::size_t>(opcode >> 4) - 1;
        offset = static_cast<std::size_t>((second << 2) | ((opcode & 0x0c) >> 2));
        first = opcode; // its two low bits count the literals that follow
      } else if (opcode >= 0x20) {
        if (opcode == 0x20) {
          if (!longCount(count))
            return m_s.result();
          count += 0x21;
        } else {
          count = static_cast<std::size_t>(opcode) - 0x1e;
        }
        if (!twoByteOffset(offset, first))
          return m_s.result();
      } else if (opcode >= 0x10) {
        if (opcode == 0x10 || opcode == 0x18) {
          if (!longCount(count))
            return m_s.result();
          count += 9;
        } else {
          count = static_cast<std::size_t>(opcode & 0x07) + 2;
        }
        if (!twoByteOffset(offset, first))
          return m_s.result();
        offset += (static_cast<std::size_t>(opcode & 0x08) << 11) + 0x3fff;
      } else {
        return m_s.fail("opcode is not valid here");
      }
      if (!m_s.copyBack(count, offset + 1))
        return m_s.result();
      literals = static_cast<std::size_t>(first & 0x03);
      opcode = -1;
      if (literals == 0 && !literalLength(literals, opcode))
        return m_s.result();
      if (!copyLiterals(literals))
        return m_s.result();
    }
  }

private:
  // A run of literals: 0x01-0x0F give 4 to 18; 0x00 starts a long count; a byte of 0x10
  // and above is no length but the next opcode (no literals then).
  bool literalLength(std::size_t& length, int& opcode)
  {
    length = 0;
    int b;
    if (!m_s.byte(b))
      return false;
    if (b >= 0x10) {
      opcode = b;
      return true;
    }
    if (b > 0) {
      length = static_cast<std::size_t>(b) + 3;
      return true;
    }
    std::size_t total = 0x0f;
    for (;;) {
      if (!m_s.byte(b))
        return false;
      if (b != 0)
        break;
      total += 0xff;
    }
    length = total + static_cast<std::size_t>(b) + 3;
    return true;
  }

  // A copy length beyond the opcode's own range: a byte, or zeros each worth 255
  // followed by a non-zero byte.
  bool longCount(std::size_t& count)
  {
    int b;
    if (!m_s.byte(b))
      return false;
    std::size_t total = 0;
    if (b == 0) {
      total = 0xff;
      for (;;) {
        if (!m_s.byte(b))
          return false;
        if (b != 0)
          break;
        total += 0xff;
      }
    }
    count = total + static_cast<std::size_t>(b);
    return true;
  }

  bool twoByteOffset(std::size_t& offset, int& first)
  {
    int second;
    if (!m_s.byte(first) || !m_s.byte(second))
      return false;
    offset = static_cast<std::size_t>((first >> 2) | (second << 6));
    return true;
  }

  bool copyLiterals(std::size_t count)
  {
    const std::uint8_t* from;
    std::uint8_t* to;
    if (!m_s.literals(count, from, to))
      return false;
    for (std::size_t i = 0; i < count; ++i)
      to[i] = from[i];
    return true;
  }

  DwgInflateStream m_s;
};

} // namespace

DwgInflateResult dwgInflate2004(const std::uint8_t* src, std::size_t srcSize, std::uint8_t* dst,
                                std::size_t dstCapacity)
{
  return Inflater(src, srcSize, dst, dstCapacity).run();
}
