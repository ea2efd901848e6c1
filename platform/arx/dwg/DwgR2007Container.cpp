// The container of DWG 2007 (AC1021):
//   0x00   "AC1021", code page at 0x13
//   0x80   the file header: 3 Reed-Solomon blocks (239 data bytes each, interleaved), whose
//          data is a 32-byte preamble (the compressed length at 24) and the compressed
//          header of 34 64-bit fields (page map and section map: place, sizes, factor)
//   0x480  pages, placed by the page map (a size and a page id per page, in file order)
// Reed-Solomon parity is checked on the file header, the page map, the section map and the
// data pages (of sections stored in Reed-Solomon blocks). The 64-bit checksum and CRC of
// each page entry in the section map are not checked (how the drawings seen compute them
// is not known here); a data page's parity, and the CRCs of the sections and objects in
// it, guard the same bytes.
// The page map and section map are system pages: their compressed bytes, padded to 8 and
// repeated `factor` times, make Reed-Solomon blocks of 239. Data pages are blocks of 251
// (when the section says it is encoded), compressed when smaller than their size.
// Each section's pages are concatenated at the offsets the section map gives them.
#include "arx/dwg/DwgSections.h"

#include "arx/dwg/DwgInflate2007.h"
#include "arx/dwg/DwgLittleEndian.h"
#include "arx/dwg/DwgPagedFile.h"
#include "arx/dwg/DwgReedSolomon.h"

#include <algorithm>
#include <cstring>

namespace {

const std::size_t kHeaderOffset = 0x80;
const std::size_t kHeaderBlocks = 3;
const std::size_t kSystemData = 239; // data bytes per block of the header and the maps
const std::size_t kPageData = 251;   // of data pages
const std::size_t kBlock = 255;
const std::size_t kPagesStart = 0x480;
const std::size_t kFieldsSize = 0x110;    // the header's 34 fields
const std::size_t kSectionFixed = 64;     // a section description before its name
const std::size_t kPageEntry = 56;        // one of its pages
const std::uint64_t kMaxPage = 16u << 20; // largest page size accepted
const std::uint64_t kMaxExpansion = 256;  // largest section, in multiples of the file

struct SectionPage {
  std::uint64_t offset = 0;     // where its bytes go in the section
  std::uint64_t id = 0;         // page id in the page map
  std::uint64_t size = 0;       // bytes it expands to
  std::uint64_t compressed = 0; // its compressed bytes
};

struct SectionDescription {
  std::uint64_t size = 0;      // the section's bytes
  std::uint64_t encrypted = 0; // non-zero when its pages are encrypted
  std::uint64_t encoding = 0;  // 4: Reed-Solomon blocks, 1: stored as is
  std::vector<SectionPage> pages;
};

class R2007Reader : public DwgPagedFile<std::uint64_t, SectionDescription> {
public:
  using DwgPagedFile::DwgPagedFile;

private:
  std::uint64_t field(int index) const { return dwgLe64(m_fields + 8 * index); }

  bool readFileHeader() override
  {
    if (m_size < kHeaderOffset + kHeaderBlocks * kBlock)
      return fail("file header", m_size, "file ends inside the file header");
    m_out.version = 1021;
    m_out.codePage = dwgLe16(m_data + 0x13);
    std::size_t bad = 0;
    if (!dwgReedSolomonIntact(m_data + kHeaderOffset, kHeaderBlocks, kSystemData, bad))
      return fail("file header", kHeaderOffset + bad, "Reed-Solomon parity mismatch");
    std::uint8_t header[kHeaderBlocks * kSystemData];
    dwgDeinterleave(m_data + kHeaderOffset, kHeaderBlocks, kSystemData, header);
    std::int32_t length = static_cast<std::int32_t>(dwgLe32(header + 24));
    const std::size_t room = sizeof header - 32;
    if (length < 0) {
      // Stored as is.
      if (static_cast<std::size_t>(-static_cast<std::int64_t>(length)) > room ||
          static_cast<std::size_t>(-static_cast<std::int64_t>(length)) < kFieldsSize)
        return fail("file header", kHeaderOffset, "header length out of range");
      std::memcpy(m_fields, header + 32, kFieldsSize);
    } else {
      if (static_cast<std::size_t>(length) > room)
        return fail("file header", kHeaderOffset, "header length out of range");
      DwgInflateResult r =
          dwgInflate2007(header + 32, static_cast<std::size_t>(length), m_fields, kFieldsSize);
      if (!r.ok)
        return fail("file header", kHeaderOffset, r.what);
      if (r.written != kFieldsSize)
        return fail("file header", kHeaderOffset, "header expands to fewer bytes than its fields");
    }
    return true;
  }

  // A page map or section map page: `compressed` bytes, padded to 8 and repeated `factor`
  // times, in Reed-Solomon blocks of 239 data bytes.
  bool readSystemPage(const char* section, std::uint64_t address, std::uint64_t compressed,
                      std::uint64_t size, std::uint64_t factor, std::uint64_t limit,
                      std::vector<std::uint8_t>& out)
  {
    if (factor == 0 || factor > 255 || compressed > m_size)
      return fail(section, kHeaderOffset, "page's sizes out of range");
    std::uint64_t blocks =
        (((compressed + 7) & ~std::uint64_t(7)) * factor + kSystemData - 1) / kSystemData;
    if (address > m_size || blocks * kBlock > m_size - address)
      return fail(section, address, "page lies past the end of the file");
    if (size > limit)
      return fail(section, address, "page is larger than the file can need");
    std::size_t bad = 0;
    if (!dwgReedSolomonIntact(m_data + address, static_cast<std::size_t>(blocks), kSystemData, bad))
      return fail(section, address + bad, "Reed-Solomon parity mismatch");
    std::vector<std::uint8_t> decoded(static_cast<std::size_t>(blocks * kSystemData));
    dwgDeinterleave(m_data + address, static_cast<std::size_t>(blocks), kSystemData,
                    decoded.data());
    out.assign(static_cast<std::size_t>(size), 0);
    if (compressed >= size) {
      std::memcpy(out.data(), decoded.data(), static_cast<std::size_t>(size));
      return true;
    }
    DwgInflateResult r = dwgInflate2007(decoded.data(), static_cast<std::size_t>(compressed),
                                        out.data(), out.size());
    if (!r.ok)
      return fail(section, address, r.what);
    if (r.written != size)
      return fail(section, address, "page expands to fewer bytes than declared");
    return true;
  }

  // The page map: a size and an id per page, in file order from 0x480 on (a negative id
  // is a gap).
  bool readPageMap() override
  {
    std::uint64_t address = kPagesStart + field(7);
    if (field(7) > m_size)
      return fail("page map", kHeaderOffset, "page map lies past the end of the file");
    m_book.setMapAddress(address);
    std::vector<std::uint8_t> map;
    // 16 bytes per page, and no page is shorter than one block.
    const std::uint64_t limit = 16 * (m_size / kBlock + 1);
    if (!readSystemPage("page map", address, field(10), field(11), field(3), limit, map))
      return false;
    std::uint64_t at = kPagesStart;
    for (std::size_t i = 0; i + 16 <= map.size(); i += 16) {
      std::uint64_t size = dwgLe64(map.data() + i);
      std::int64_t id = static_cast<std::int64_t>(dwgLe64(map.data() + i + 8));
      if (size > m_size)
        return fail("page map", address, "page size larger than the file");
      if (id > 0 && !m_book.add(static_cast<std::uint64_t>(id), {at, size}))
        return false;
      at += size;
    }
    return true;
  }

  bool readSectionMap() override
  {
    DwgPageLocation where;
    if (!m_book.locate("section map", field(24), where))
      return false;
    std::vector<std::uint8_t> map;
    // 56 bytes per page and a description per section: well under 256 bytes per block.
    const std::uint64_t limit = 256 * (m_size / kBlock + 16);
    if (!readSystemPage("section map", where.address, field(22), field(25), field(27), limit, map))
      return false;
    std::size_t at = 0;
    while (map.size() - at >= kSectionFixed) {
      const std::uint8_t* d = map.data() + at;
      SectionDescription s;
      s.size = dwgLe64(d);
      s.encrypted = dwgLe64(d + 16);
      std::uint64_t nameBytes = dwgLe64(d + 32);
      s.encoding = dwgLe64(d + 48);
      std::uint64_t pageCount = dwgLe64(d + 56);
      at += kSectionFixed;
      if (nameBytes > map.size() - at)
        return fail("section map", where.address, "section name runs past the map");
      std::string name;
      for (std::size_t i = 0; i + 1 < nameBytes; i += 2) {
        std::uint16_t c = dwgLe16(map.data() + at + i);
        if (c == 0)
          break;
        name += c < 0x80 ? static_cast<char>(c) : '?';
      }
      at += static_cast<std::size_t>(nameBytes);
      if (pageCount > (map.size() - at) / kPageEntry)
        return fail("section map", where.address,
                    "section " + name + " lists more pages than the map holds");
      s.pages.resize(static_cast<std::size_t>(pageCount));
      for (SectionPage& p : s.pages) {
        const std::uint8_t* e = map.data() + at;
        p.offset = dwgLe64(e);
        p.id = dwgLe64(e + 16);
        p.size = dwgLe64(e + 24);
        p.compressed = dwgLe64(e + 32);
        at += kPageEntry;
      }
      if (!name.empty())
        m_sections[name] = std::move(s);
    }
    return true;
  }

  bool readSection(const char* name, std::vector<std::uint8_t>& out) override
  {
    const SectionDescription* found = findSection(name);
    if (found == nullptr)
      return false;
    const SectionDescription& s = *found;
    if (s.encrypted != 0)
      return fail(name, 0, "section is encrypted");
    if (s.encoding != 1 && s.encoding != 4)
      return fail(name, 0, "unknown encoding");
    // Check every page against the file and the declared sizes before allocating.
    std::uint64_t capacity = 0;
    std::vector<DwgPageLocation> places;
    places.reserve(s.pages.size());
    for (const SectionPage& p : s.pages) {
      DwgPageLocation where;
      if (!m_book.take(name, p.id, where) || !m_book.holds(name, where, where.size))
        return false;
      places.push_back(where);
      std::uint64_t room = s.encoding == 4 ? where.size / kBlock * kPageData : where.size;
      if (p.compressed > room)
        return fail(name, where.address, "page's compressed size is more than the page holds");
      if (p.size > kMaxPage)
        return fail(name, where.address, "page size out of range");
      capacity += p.size;
    }
    if (s.size > capacity)
      return fail(name, 0, "section is larger than its pages");
    // A compressed page may expand thousands of times over; no real section is more than
    // a small multiple of its whole file, so a section's size is held to 256 times it.
    if (s.size > kMaxExpansion * m_size)
      return fail(name, 0, "section is larger than the file can hold");
    out.assign(static_cast<std::size_t>(s.size), 0);
    std::uint64_t filled = 0;
    std::vector<std::uint8_t> decoded, page;
    for (std::size_t i = 0; i < s.pages.size(); ++i) {
      const SectionPage& p = s.pages[i];
      const DwgPageLocation& where = places[i];
      if (p.offset != filled)
        return fail(name, where.address, "page's offset is not where the previous page ended");
      const std::uint8_t* stream = m_data + where.address;
      if (s.encoding == 4) {
        std::size_t blocks = static_cast<std::size_t>(where.size / kBlock);
        std::size_t bad = 0;
        if (!dwgReedSolomonIntact(stream, blocks, kPageData, bad))
          return fail(name, where.address + bad, "Reed-Solomon parity mismatch");
        decoded.resize(blocks * kPageData);
        dwgDeinterleave(stream, blocks, kPageData, decoded.data());
        stream = decoded.data();
      }
      std::uint64_t wanted = std::min<std::uint64_t>(p.size, s.size - filled);
      if (p.compressed >= p.size) {
        std::memcpy(out.data() + filled, stream, static_cast<std::size_t>(wanted));
      } else {
        // A whole page expands in place; the last one, cut at the section's size, aside.
        std::uint8_t* to = out.data() + filled;
        if (wanted < p.size) {
          page.resize(static_cast<std::size_t>(p.size));
          to = page.data();
        }
        DwgInflateResult r = dwgInflate2007(stream, static_cast<std::size_t>(p.compressed), to,
                                            static_cast<std::size_t>(p.size));
        if (!r.ok)
          return fail(name, where.address, r.what);
        if (r.written != p.size)
          return fail(name, where.address, "page expands to fewer bytes than declared");
        if (to != out.data() + filled)
          std::memcpy(out.data() + filled, to, static_cast<std::size_t>(wanted));
      }
      filled += wanted;
    }
    if (filled != s.size)
      return fail(name, 0, "pages hold fewer bytes than the section's size");
    return true;
  }

  std::uint8_t m_fields[kFieldsSize] = {}; // the file header's fields
};

} // namespace

bool readDwgR2007Container(const std::uint8_t* data, std::size_t size, DwgSections& out,
                           DwgFault& fault)
{
  return R2007Reader(data, size, out, fault).read();
}
