#include "arx/dwg/DwgInflate2004.h"

namespace {

// The state of one expansion; every read and write goes through it and is bounded.
class Inflater {
public:
  Inflater(const std::uint8_t* src, std::size_t srcSize, std::uint8_t* dst, std::size_t capacity)
      : m_src(src), m_srcSize(srcSize), m_dst(dst), m_capacity(capacity)
  {
  }

  DwgInflateResult run()
  {
    std::size_t literals = 0;
    int opcode = -1; // an opcode already read while looking for a literal length
    if (!literalLength(literals, opcode) || !copyLiterals(literals))
      return m_result;
    for (;;) {
      if (opcode < 0 && !byte(opcode))
        return m_result;
      if (opcode == 0x11) {
        m_result.ok = true;
        return m_result;
      }
      std::size_t count = 0, offset = 0;
      int first = 0;
      if (opcode >= 0x40) {
        int second;
        if (!byte(second))
          return m_result;
        count = static_cast<std::size_t>(opcode >> 4) - 1;
        offset = static_cast<std::size_t>((second << 2) | ((opcode & 0x0c) >> 2));
        first = opcode; // its two low bits count the literals that follow
      } else if (opcode >= 0x20) {
        if (opcode == 0x20) {
          if (!longCount(count))
            return m_result;
          count += 0x21;
        } else {
          count = static_cast<std::size_t>(opcode) - 0x1e;
        }
        if (!twoByteOffset(offset, first))
          return m_result;
      } else if (opcode >= 0x10) {
        if (opcode == 0x10 || opcode == 0x18) {
          if (!longCount(count))
            return m_result;
          count += 9;
        } else {
          count = static_cast<std::size_t>(opcode & 0x07) + 2;
        }
        if (!twoByteOffset(offset, first))
          return m_result;
        offset += (static_cast<std::size_t>(opcode & 0x08) << 11) + 0x3fff;
      } else {
        return fail("opcode is not valid here");
      }
      if (!copyBack(count, offset + 1))
        return m_result;
      literals = static_cast<std::size_t>(first & 0x03);
      opcode = -1;
      if (literals == 0 && !literalLength(literals, opcode))
        return m_result;
      if (!copyLiterals(literals))
        return m_result;
    }
  }

private:
  DwgInflateResult fail(const char* what)
  {
    m_result.ok = false;
    m_result.srcOffset = m_pos;
    m_result.what = what;
    return m_result;
  }

  bool byte(int& value)
  {
    if (m_pos >= m_srcSize) {
      fail("stream ends without its end mark");
      return false;
    }
    value = m_src[m_pos++];
    return true;
  }

  // A run of literals: 0x01-0x0F give 4 to 18; 0x00 starts a long count; a byte of 0x10
  // and above is no length but the next opcode (no literals then).
  bool literalLength(std::size_t& length, int& opcode)
  {
    length = 0;
    if (m_pos >= m_srcSize)
      return byte(opcode); // reports the missing end mark
    int b = m_src[m_pos];
    if (b >= 0x10) {
      ++m_pos;
      opcode = b;
      return true;
    }
    ++m_pos;
    if (b > 0) {
      length = static_cast<std::size_t>(b) + 3;
      return true;
    }
    std::size_t total = 0x0f;
    for (;;) {
      if (!byte(b))
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
    if (!byte(b))
      return false;
    std::size_t total = 0;
    if (b == 0) {
      total = 0xff;
      for (;;) {
        if (!byte(b))
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
    if (!byte(first) || !byte(second))
      return false;
    offset = static_cast<std::size_t>((first >> 2) | (second << 6));
    return true;
  }

  bool copyLiterals(std::size_t count)
  {
    if (count > m_srcSize - m_pos) {
      fail("literal run goes past the end of the stream");
      return false;
    }
    if (count > m_capacity - m_result.written) {
      fail("output exceeds its declared size");
      return false;
    }
    for (std::size_t i = 0; i < count; ++i)
      m_dst[m_result.written + i] = m_src[m_pos + i];
    m_pos += count;
    m_result.written += count;
    return true;
  }

  // Copies `count` bytes from `distance` bytes back; the two may overlap (a repeat).
  bool copyBack(std::size_t count, std::size_t distance)
  {
    if (distance > m_result.written) {
      fail("back-reference reaches before the start of the output");
      return false;
    }
    if (count > m_capacity - m_result.written) {
      fail("output exceeds its declared size");
      return false;
    }
    std::uint8_t* out = m_dst + m_result.written;
    const std::uint8_t* from = out - distance;
    for (std::size_t i = 0; i < count; ++i)
      out[i] = from[i];
    m_result.written += count;
    return true;
  }

  const std::uint8_t* m_src; // the stream
  std::size_t m_srcSize;     // its bytes
  std::size_t m_pos = 0;     // next unread byte of the stream
  std::uint8_t* m_dst;       // the output
  std::size_t m_capacity;    // bytes the output may hold
  DwgInflateResult m_result; // bytes written so far, and the fault if any
};

} // namespace

DwgInflateResult dwgInflate2004(const std::uint8_t* src, std::size_t srcSize, std::uint8_t* dst,
                                std::size_t dstCapacity)
{
  return Inflater(src, srcSize, dst, dstCapacity).run();
}
