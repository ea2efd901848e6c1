// DwgReedSolomon: the Reed-Solomon layout of DWG 2007 (AC1021). Data is cut into blocks
// of `dataPerBlock` bytes (239 for the file header and the maps, 251 for data pages), each
// followed by its parity up to 255 bytes, and the blocks are interleaved byte by byte:
// byte j of block i is stored at j * blocks + i. Reading takes the data bytes back out in
// block order; the parity is not used to correct them.
#pragma once

#include <cstddef>
#include <cstdint>

// Takes `blocks` interleaved blocks from `in` (blocks * 255 bytes) into `out`
// (blocks * dataPerBlock bytes).
void dwgDeinterleave(const std::uint8_t* in, std::size_t blocks, std::size_t dataPerBlock,
                     std::uint8_t* out);

// Whether each of the `blocks` interleaved blocks at `in` is a codeword: the code over
// GF(256) whose byte j is the coefficient of x^j and whose roots are a^1 ... a^(255 -
// dataPerBlock), with a = x modulo 0x169 for the 239-byte blocks of the file header, the
// page map and the section map, and modulo 0x11D for the 251-byte blocks of data pages.
// False, with the first damaged block in `badBlock`, when a block's parity does not match
// its data.
bool dwgReedSolomonIntact(const std::uint8_t* in, std::size_t blocks, std::size_t dataPerBlock,
                          std::size_t& badBlock);
