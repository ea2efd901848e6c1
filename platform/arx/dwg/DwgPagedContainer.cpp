// The paged container of DWG 2004 and later (AC1018, AC1024, AC1027, AC1032):
//   0x00  "AC10xx", code page at 0x13
//   0x80  0x6C bytes of file header, XORed with a pseudo-random sequence, ending in a CRC-32
//   pages from 0x100 on, each a header and compressed data:
//     the page map (page number and size of every page, in file order),
//     the section map (each section's name, size and the pages that hold it),
//     data pages, whose 32-byte header is XORed with a mask made from its file offset.
// Each section's pages expand to `maxSize` bytes each (the last one cut at the section's
// size) and are concatenated in the order the section map lists them.
#include "arx/dwg/DwgSections.h"

#include "arx/dwg/DwgCrc32.h"
#include "arx/dwg/DwgInflate2004.h"
#include "arx/dwg/DwgLittleEndian.h"
#include "arx/dwg/DwgPageChecksum.h"
#include "arx/dwg/DwgPagedFile.h"

#include <algorithm>
#include <cstring>

namespace {

const std::size_t kHeaderOffset = 0x80; // the encrypted file header
const std::size_t kHeaderSize = 0x6c;
const std::size_t kPagesStart = 0x100;    // where pages begin; page map addresses count from here
const std::size_t kSystemPageHeader = 20; // page map and section map pages
const std::size_t kDataPageHeader = 32;   // data pages
const std::uint32_t kPageMapType = 0x41630e3b;
const std::uint32_t kSectionMapType = 0x4163003b;
const std::uint32_t kDataPageType = 0x4163043b;
const std::size_t kDescriptionSize = 96; // a section's description in the section map
const std::size_t kPageEntrySize = 16;   // one of its pages
// The most that one byte of a compressed stream can expand to: a zero byte of a long
// count stands for 255 bytes of output.
const std::uint64_t kMaxExpansion = 256;
const std::uint64_t kExpansionSlack = 64;

// The XOR sequence of the file header: a linear congruential generator seeded with 1,
// whose bits 16-23 are the key byte.
void decryptFileHeader(const std::uint8_t* in, std::uint8_t* out, std::size_t size)
{
  std::uint32_t seed = 1;
  for (std::size_t i = 0; i < size; ++i) {
    seed = seed * 0x343fd + 0x269ec3;
    out[i] = static_cast<std::uint8_t>(in[i] ^ ((seed >> 16) & 0xff));
  }
}

bool expansionFits(std::uint64_t decompressed, std::uint64_t compressed)
{
  return decompressed <= compressed * kMaxExpansion + kExpansionSlack;
}

struct SectionPage {
  std::int32_t number = 0;       // page number in the page map
  std::uint32_t dataSize = 0;    // compressed bytes
  std::uint64_t startOffset = 0; // where its bytes go in the section
};

struct SectionDescription {
  std::uint64_t size = 0;        // the section's bytes
  std::uint32_t maxSize = 0;     // bytes one page expands to
  std::uint32_t compressed = 0;  // 2 when its pages are compressed, 1 when not
  std::uint32_t number = 0;      // the section number its data pages carry
  std::uint32_t encrypted = 0;   // 1 when its pages are encrypted
  std::size_t descriptionAt = 0; // offset of the description in the section map
  std::vector<SectionPage> pages;
};

class PagedReader : public DwgPagedFile<std::int32_t, SectionDescription> {
public:
  using DwgPagedFile::DwgPagedFile;

private:
  bool readFileHeader() override
  {
    if (m_size < kHeaderOffset + kHeaderSize)
      return fail("file header", m_size, "file ends inside the file header");
    const char* magic = reinterpret_cast<const char*>(m_data);
    if (std::memcmp(magic, "AC10", 4) != 0)
      return fail("file header", 0, "not a DWG version string");
    m_out.version =
        (magic[2] - '0') * 1000 + (magic[3] - '0') * 100 + (magic[4] - '0') * 10 + (magic[5] - '0');
    m_out.codePage = dwgLe16(m_data + 0x13);
    std::uint8_t header[kHeaderSize];
    decryptFileHeader(m_data + kHeaderOffset, header, kHeaderSize);
    if (std::memcmp(header, "AcFssFcAJMB", 12) != 0)
      return fail("file header", kHeaderOffset, "encrypted header has not its identifier");
    std::uint32_t crc = dwgLe32(header + 0x68);
    std::memset(header + 0x68, 0, 4);
    if (dwgCrc32(header, kHeaderSize) != crc)
      return fail("file header", kHeaderOffset + 0x68, "CRC mismatch");
    m_pageMapAddress = dwgLe64(header + 0x54) + kPagesStart;
    m_book.setMapAddress(m_pageMapAddress);
    m_sectionMapId = static_cast<std::int32_t>(dwgLe32(header + 0x5c));
    // The file ends with a second copy of the header; a file cut short loses it first.
    std::uint64_t secondCopy = dwgLe64(header + 0x34);
    if (secondCopy != 0 && (secondCopy > m_size || m_size - secondCopy < kHeaderSize))
      return fail("file header", m_size, "file ends before the header's second copy");
    return true;
  }

  // Reads the page map or section map page at `address` into `out`.
  bool readSystemPage(const char* section, std::uint64_t address, std::uint32_t type,
                      std::vector<std::uint8_t>& out)
  {
    if (address > m_size || m_size - address < kSystemPageHeader)
      return fail(section, address < m_size ? address : m_size,
                  "page lies past the end of the file");
    const std::uint8_t* page = m_data + address;
    if (dwgLe32(page) != type)
      return fail(section, address, "page has not its type mark");
    std::uint32_t decompressed = dwgLe32(page + 4);
    std::uint32_t compressed = dwgLe32(page + 8);
    std::uint32_t compression = dwgLe32(page + 12);
    std::uint32_t checksum = dwgLe32(page + 16);
    const std::uint8_t* stream = page + kSystemPageHeader;
    if (compressed > m_size - address - kSystemPageHeader)
      return fail(section, address + 8, "compressed size runs past the end of the file");
    std::uint8_t head[kSystemPageHeader];
    std::memcpy(head, page, kSystemPageHeader);
    std::memset(head + 16, 0, 4);
    std::uint32_t sum = dwgPageChecksum(dwgPageChecksum(0, head, sizeof head), stream, compressed);
    if (sum != checksum)
      return fail(section, address + 16, "checksum mismatch");
    if (compression == 1) {
      if (decompressed != compressed)
        return fail(section, address + 4, "stored page's sizes differ");
      out.assign(stream, stream + compressed);
      return true;
    }
    if (compression != 2)
      return fail(section, address + 12, "unknown compression");
    if (!expansionFits(decompressed, compressed))
      return fail(section, address + 4, "decompressed size is more than the page can hold");
    out.assign(decompressed, 0);
    DwgInflateResult r = dwgInflate2004(stream, compressed, out.data(), out.size());
    if (!r.ok)
      return fail(section, address + kSystemPageHeader + r.srcOffset, r.what);
    if (r.written != decompressed)
      return fail(section, address + 4, "page expands to fewer bytes than declared");
    return true;
  }

  // The page map: a page number and size per page, in file order from 0x100 on; a
  // negative number is a gap followed by four more words.
  bool readPageMap() override
  {
    std::vector<std::uint8_t> map;
    if (!readSystemPage("page map", m_pageMapAddress, kPageMapType, map))
      return false;
    std::uint64_t address = kPagesStart;
    std::size_t at = 0;
    while (map.size() - at >= 8) {
      std::int32_t number = static_cast<std::int32_t>(dwgLe32(map.data() + at));
      std::uint32_t size = dwgLe32(map.data() + at + 4);
      at += 8;
      if (number < 0) {
        if (map.size() - at < 16)
          return fail("page map", m_pageMapAddress, "gap entry cut short");
        at += 16;
      } else if (!m_book.add(number, {address, size})) {
        return false;
      }
      address += size;
    }
    return true;
  }

  bool readSectionMap() override
  {
    DwgPageLocation where;
    if (!m_book.locate("section map", m_sectionMapId, where))
      return false;
    std::vector<std::uint8_t> map;
    if (!readSystemPage("section map", where.address, kSectionMapType, map))
      return false;
    const std::size_t mapAt = static_cast<std::size_t>(where.address);
    if (map.size() < 20)
      return fail("section map", mapAt, "section map cut short");
    std::uint32_t count = dwgLe32(map.data());
    std::size_t at = 20;
    for (std::uint32_t i = 0; i < count; ++i) {
      if (map.size() - at < kDescriptionSize)
        return fail("section map", mapAt, "more sections declared than the map holds");
      const std::uint8_t* d = map.data() + at;
      SectionDescription s;
      s.size = dwgLe64(d);
      std::uint32_t pageCount = dwgLe32(d + 8);
      s.maxSize = dwgLe32(d + 12);
      s.compressed = dwgLe32(d + 20);
      s.number = dwgLe32(d + 24);
      s.encrypted = dwgLe32(d + 28);
      s.descriptionAt = at;
      const char* nameStart = reinterpret_cast<const char*>(d + 32);
      std::string name(nameStart, std::find(nameStart, nameStart + 64, '\0'));
      at += kDescriptionSize;
      if (pageCount > (map.size() - at) / kPageEntrySize)
        return fail("section map", mapAt,
                    "section " + name + " lists more pages than the map holds");
      s.pages.resize(pageCount);
      for (SectionPage& p : s.pages) {
        p.number = static_cast<std::int32_t>(dwgLe32(map.data() + at));
        p.dataSize = dwgLe32(map.data() + at + 4);
        p.startOffset = dwgLe64(map.data() + at + 8);
        at += kPageEntrySize;
      }
      if (!name.empty())
        m_sections[name] = std::move(s);
    }
    return true;
  }

  // Reads one section's pages, in order, into `out`.
  bool readSection(const char* name, std::vector<std::uint8_t>& out) override
  {
    const SectionDescription* found = findSection(name);
    if (found == nullptr)
      return false;
    const SectionDescription& s = *found;
    if (s.encrypted == 1)
      return fail(name, 0, "section is encrypted");
    if (s.compressed != 1 && s.compressed != 2)
      return fail(name, 0, "unknown compression");
    // Check the declared sizes against what the pages can hold before allocating.
    std::uint64_t capacity = 0;
    std::vector<std::uint64_t> addresses;
    addresses.reserve(s.pages.size());
    for (const SectionPage& p : s.pages) {
      DwgPageLocation where;
      if (!m_book.take(name, p.number, where) ||
          !m_book.holds(name, where, kDataPageHeader + std::uint64_t(p.dataSize)))
        return false;
      addresses.push_back(where.address);
      if (s.compressed == 2 && !expansionFits(s.maxSize, p.dataSize))
        return fail(name, where.address, "page size is more than its data can hold");
      capacity += s.compressed == 2 ? s.maxSize : p.dataSize;
    }
    if (s.size > capacity)
      return fail(name, 0, "section is larger than its pages");
    out.assign(static_cast<std::size_t>(s.size), 0);
    std::vector<std::uint8_t> scratch(s.compressed == 2 ? s.maxSize : 0);
    std::uint64_t filled = 0;
    for (std::size_t i = 0; i < s.pages.size(); ++i) {
      if (!readDataPage(name, s, s.pages[i], addresses[i], filled, out, scratch))
        return false;
    }
    if (filled != s.size)
      return fail(name, 0, "pages hold fewer bytes than the section's size");
    return true;
  }

  // The data page of `p` at `address`, checked and expanded into `out` at `filled`.
  bool readDataPage(const char* name, const SectionDescription& s, const SectionPage& p,
                    std::uint64_t address, std::uint64_t& filled, std::vector<std::uint8_t>& out,
                    std::vector<std::uint8_t>& scratch)
  {
    std::uint32_t head[8];
    const std::uint32_t mask = 0x4164536bu ^ static_cast<std::uint32_t>(address);
    for (int i = 0; i < 8; ++i)
      head[i] = dwgLe32(m_data + address + 4 * i) ^ mask;
    if (head[0] != kDataPageType)
      return fail(name, address, "data page has not its type mark");
    if (head[1] != s.number)
      return fail(name, address + 4, "data page belongs to another section");
    if (head[2] != p.dataSize)
      return fail(name, address + 8, "data page's size differs from the section map's");
    if (head[4] != p.startOffset || p.startOffset != filled)
      return fail(name, address + 16, "data page's start is not where the previous page ended");
    const std::uint8_t* stream = m_data + address + kDataPageHeader;
    std::uint32_t dataSum = dwgPageChecksum(0, stream, p.dataSize);
    if (dataSum != head[7])
      return fail(name, address + 28, "data page checksum mismatch");
    std::uint8_t plain[kDataPageHeader];
    for (int i = 0; i < 8; ++i) {
      std::uint32_t word = i == 6 ? 0 : head[i];
      for (int b = 0; b < 4; ++b)
        plain[4 * i + b] = static_cast<std::uint8_t>(word >> (8 * b));
    }
    if (dwgPageChecksum(head[7], plain, sizeof plain) != head[6])
      return fail(name, address + 24, "page header checksum mismatch");
    const std::uint64_t wanted =
        std::min<std::uint64_t>(s.size - filled, s.compressed == 2 ? s.maxSize : p.dataSize);
    if (s.compressed == 1) {
      std::memcpy(out.data() + filled, stream, static_cast<std::size_t>(wanted));
    } else {
      DwgInflateResult r = dwgInflate2004(stream, p.dataSize, scratch.data(), scratch.size());
      if (!r.ok)
        return fail(name, address + kDataPageHeader + r.srcOffset, r.what);
      if (r.written < wanted)
        return fail(name, address, "data page expands to fewer bytes than its share");
      std::memcpy(out.data() + filled, scratch.data(), static_cast<std::size_t>(wanted));
    }
    filled += wanted;
    return true;
  }

  std::uint64_t m_pageMapAddress = 0; // its file offset
  std::int32_t m_sectionMapId = 0;    // page number of the section map
};

} // namespace

bool readDwgPagedContainer(const std::uint8_t* data, std::size_t size, DwgSections& out,
                           DwgFault& fault)
{
  return PagedReader(data, size, out, fault).read();
}
