// DwgBitReader: reads the bit-packed values of a DWG section or object (B, BB, BS,
// BL, BD, RC, RS, RL, RD, MC, MS, H, T, DD, BE, BT, CMC, ...) from bytes held in
// memory. The bytes are untrusted: every read is bounded by the bits that remain;
// a read past the end returns zero and leaves the reader failed, and fault() then
// names the section and the byte offset of the first read that failed, so that a
// decoder reads on without a check per value and asks ok() once at its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

class AcGePoint3d;
class AcGeVector3d;

// A handle reference: its code (the kind of reference, or how it is relative to
// the referring object's handle) and its value as stored.
struct DwgHandleRef {
  unsigned code = 0;
  std::uint64_t value = 0;
  // The handle referred to, for an object whose own handle is `base`.
  std::uint64_t absolute(std::uint64_t base) const
  {
    switch (code) {
    case 0x6:
      return base + 1;
    case 0x8:
      return base - 1;
    case 0xA:
      return base + value;
    case 0xC:
      return base - value;
    default:
      return value;
    }
  }
};

class DwgBitReader {
public:
  DwgBitReader() = default;
  // `size` bytes from `data`; `section` names them in faults, and byte offsets in
  // faults are given from `baseOffset` (where `data` lies in its section).
  DwgBitReader(const std::uint8_t* data, std::size_t size, const char* section,
               std::size_t baseOffset = 0);

  // The version of the file ("AC1015" -> 1015): some codes changed with R2000.
  void setVersion(int version) { m_version = version; }
  int version() const { return m_version; }

  bool ok() const { return !m_failed; }
  // Stops reading: the reader is failed from now on with `what` at the current position.
  void fail(const char* what);
  // "<section>: byte N: <what>" for the first fault; empty while there is none.
  const std::string& fault() const { return m_faultText ? m_faultText->text : noFault(); }
  const char* section() const { return m_section; }
  std::size_t faultOffset() const { return m_faultOffset; }
  const std::string& faultWhat() const { return m_faultText ? m_faultText->what : noFault(); }

  std::size_t bitPosition() const { return m_bit; }
  std::size_t bitSize() const { return m_end; }
  std::size_t bitsLeft() const { return m_bit < m_end ? m_end - m_bit : 0; }
  // Moves to bit `bit` (failing when it lies beyond the end).
  void seekBit(std::size_t bit);
  // Ends the readable bits at `bit` (never beyond the data).
  void limitBits(std::size_t bit);
  // True when `count` items of at least `bitsEach` bits can remain to be read; else
  // fails with "a count of N is more than the data holds". Counts read from the file
  // pass here before any allocation or loop.
  bool fits(std::uint64_t count, unsigned bitsEach);

  // Raw values (little-endian, at any bit position).
  std::uint8_t RC() { return static_cast<std::uint8_t>(bits(8)); }
  std::uint16_t RS()
  {
    if (!has(16))
      return static_cast<std::uint16_t>(splitRaw(2)); // faults at the byte that is missing
    const std::uint64_t v = bits(16);
    return static_cast<std::uint16_t>((v >> 8) | (v & 0xFF) << 8);
  }
  std::uint32_t RL()
  {
    if (!has(32))
      return static_cast<std::uint32_t>(splitRaw(4));
    return swap32(static_cast<std::uint32_t>(bits(32)));
  }
  double RD()
  {
    std::uint64_t u;
    if (has(64)) {
      const std::uint64_t lo = swap32(static_cast<std::uint32_t>(bits(32)));
      u = lo | static_cast<std::uint64_t>(swap32(static_cast<std::uint32_t>(bits(32)))) << 32;
    } else {
      u = splitRaw(8);
    }
    double d;
    std::memcpy(&d, &u, sizeof d);
    return d;
  }
  // Bit-coded values.
  bool B() { return bits(1) != 0; }
  unsigned BB() { return static_cast<unsigned>(bits(2)); }
  unsigned threeB(); // 3B: one to three bits
  std::uint16_t BS()
  {
    switch (BB()) {
    case 0:
      return RS();
    case 1:
      return RC();
    case 2:
      return 0;
    default:
      return 256;
    }
  }
  std::uint32_t BL();
  std::int32_t BLs() { return static_cast<std::int32_t>(BL()); }
  std::uint64_t BLL();
  double BD()
  {
    switch (BB()) {
    case 0:
      return RD();
    case 1:
      return 1.0;
    case 2:
      return 0.0;
    default:
      fail("an invalid bit-coded double");
      return 0.0;
    }
  }
  double DD(double fallback);
  // Modular values: MC (7 bits a byte, the last byte's 0x40 the sign when `isSigned`)
  // and MS (15 bits a 16-bit word).
  std::int64_t MC(bool isSigned);
  std::uint32_t MS();
  DwgHandleRef H();

  // Points and vectors.
  void RD2(double& x, double& y);
  void BD2(double& x, double& y);
  void BD3(double& x, double& y, double& z);
  AcGePoint3d point3();   // 3BD
  AcGeVector3d vector3(); // 3BD
  // BE: the extrusion (R2000 on: one bit says (0,0,1)); BT: the thickness (one bit says 0).
  AcGeVector3d extrusion();
  double thickness();

  // Text: T/TV, a BS length and as many bytes (8-bit text, R13-R2004); TU, a BS
  // length and as many UTF-16 units (R2007 on), given back as UTF-8.
  std::string text8();
  std::string textUtf16();
  // Skips `count` bytes (RC each).
  void skipBytes(std::uint64_t count);

private:
  // The next n bits (1 <= n <= 57), the first one the highest.
  std::uint64_t bits(unsigned n)
  {
    if (!has(n)) {
      overrun("the data ends inside a value");
      return 0;
    }
    // Up to 57 bits lie within 8 bytes from the byte holding the first bit.
    const std::size_t byte = m_bit / 8;
    const unsigned shift = static_cast<unsigned>(m_bit % 8);
    const std::uint64_t v = m_size - byte >= 8 ? load64(m_data + byte) : loadTail(byte);
    m_bit += n;
    return (v << shift) >> (64 - n);
  }
  // Whether n more bits can be read.
  bool has(std::size_t n) const { return m_bit <= m_end && n <= m_end - m_bit; }
  // A raw value of `bytes` bytes read one byte at a time, for a value the data may cut.
  std::uint64_t splitRaw(unsigned bytes);
  // The 8 bytes at p as one big-endian number; the bytes left from `byte` on, padded
  // with zeros, when fewer than 8 remain.
  static std::uint64_t load64(const std::uint8_t* p)
  {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    v = __builtin_bswap64(v);
#endif
    return v;
  }
  std::uint64_t loadTail(std::size_t byte) const;
  static std::uint32_t swap32(std::uint32_t v)
  {
    return (v >> 24) | ((v >> 8) & 0xFF00) | ((v & 0xFF00) << 8) | (v << 24);
  }
  void overrun(const char* what);

  const std::uint8_t* m_data = nullptr;
  std::size_t m_end = 0;        // readable bits
  std::size_t m_bit = 0;        // next bit
  std::size_t m_size = 0;       // bytes of data
  const char* m_section = "";   // names the bytes in faults
  std::size_t m_baseOffset = 0; // offset of m_data within its section
  int m_version = 1015;
  bool m_failed = false;
  // The fault's words, kept apart so that copying a reader that has none costs nothing.
  struct FaultText {
    std::string text; // "<section>: byte N: <what>"
    std::string what;
  };
  static const std::string& noFault();
  std::shared_ptr<const FaultText> m_faultText;
  std::size_t m_faultOffset = 0;
};

// The CRC of DWG sections and objects (16 bits, reflected polynomial 0xA001), from `seed`.
std::uint16_t dwgCrc16(std::uint16_t seed, const std::uint8_t* data, std::size_t size);
