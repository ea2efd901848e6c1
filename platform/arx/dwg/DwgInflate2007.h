// DwgInflate2007: expands the LZ77 variant of DWG 2007 (AC1021), which compresses its
// file header, page map, section map and data pages. Its literal runs are stored with
// their bytes reordered: each whole 32 bytes as four 8-byte groups in reverse order, and
// the rest (1 to 31 bytes) split into groups of 8, 4 and single bytes whose order is
// reversed (kLiteralGroups in the .cpp gives the split for each length). The stream is
// untrusted: reads stay within `srcSize`, writes within `dstCapacity`, back-references
// inside what was written; every step consumes input, so the work is bounded.
#pragma once

#include "arx/dwg/DwgInflate2004.h" // DwgInflateResult

DwgInflateResult dwgInflate2007(const std::uint8_t* src, std::size_t srcSize, std::uint8_t* dst,
                                std::size_t dstCapacity);
