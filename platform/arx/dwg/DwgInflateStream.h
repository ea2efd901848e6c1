// DwgInflateStream: the bounded input and output of one expansion of a compressed DWG
// stream, shared by DwgInflate2004 and DwgInflate2007. Every byte read lies within the
// stream's `srcSize` bytes, every byte written within the output's `capacity`, and every
// back-reference within what was already written; the first fault ends the expansion
// and the result says where in the stream and why.
#pragma once

#include "arx/dwg/DwgInflate2004.h" // DwgInflateResult

#include <cstddef>
#include <cstdint>

class DwgInflateStream {
public:
  // `endFault` is the fault of a stream that ends where a byte was still wanted.
  DwgInflateStream(const std::uint8_t* src, std::size_t srcSize, std::uint8_t* dst,
                   std::size_t capacity, const char* endFault)
      : m_src(src), m_srcSize(srcSize), m_dst(dst), m_capacity(capacity), m_endFault(endFault)
  {
  }

  bool atEnd() const { return m_pos >= m_srcSize; }
  const DwgInflateResult& result() const { return m_result; }

  // Records the fault at the current place in the stream and gives the result.
  DwgInflateResult fail(const char* what)
  {
    m_result.ok = false;
    m_result.srcOffset = m_pos;
    m_result.what = what;
    return m_result;
  }

  // The expansion ended well.
  DwgInflateResult finish()
  {
    m_result.ok = true;
    return m_result;
  }

  // The next byte of the stream; false, failed, past its end.
  bool byte(int& value)
  {
    if (atEnd()) {
      fail(m_endFault);
      return false;
    }
    value = m_src[m_pos++];
    return true;
  }

  // A literal run of `count` bytes: checks that the stream holds them and the output
  // has room, then gives where they are read from and written to and moves past them.
  bool literals(std::size_t count, const std::uint8_t*& from, std::uint8_t*& to)
  {
    if (count > m_srcSize - m_pos) {
      fail("literal run goes past the end of the stream");
      return false;
    }
    if (count > m_capacity - m_result.written) {
      fail("output exceeds its declared size");
      return false;
    }
    from = m_src + m_pos;
    to = m_dst + m_result.written;
    m_pos += count;
    m_result.written += count;
    return true;
  }

  // Copies `count` bytes from `distance` bytes back; the two may overlap (a repeat).
  bool copyBack(std::size_t count, std::size_t distance)
  {
    if (distance == 0 || distance > m_result.written) {
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

private:
  const std::uint8_t* m_src; // the stream
  std::size_t m_srcSize;     // its bytes
  std::size_t m_pos = 0;     // next unread byte of the stream
  std::uint8_t* m_dst;       // the output
  std::size_t m_capacity;    // bytes the output may hold
  const char* m_endFault;    // the fault of a stream cut short
  DwgInflateResult m_result; // bytes written so far, and the fault if any
};
