// DwgInflate2004: expands the LZ77 variant that compresses the pages of DWG 2004 and
// later (AC1018, AC1024, AC1027, AC1032). The stream is untrusted: it is read only
// within its `srcSize` bytes, output is written only within `dstCapacity` bytes, and every
// back-reference must land inside what was already written. Each opcode consumes input,
// so the work is bounded by the input's size. The stream ends at its end mark (0x11).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct DwgInflateResult {
  bool ok = false;
  std::size_t written = 0;   // bytes of output written (also when it failed)
  std::size_t srcOffset = 0; // where in the stream it failed
  std::string what;          // what was wrong, empty when ok
};

DwgInflateResult dwgInflate2004(const std::uint8_t* src, std::size_t srcSize, std::uint8_t* dst,
                                std::size_t dstCapacity);
