// Writes small DWG files in the paged layout of 2004, written from the documented layout
// (file header XORed with its sequence and ended by a CRC-32, page map, section map, data
// pages with masked headers and checksums), with literal-only compressed streams. Tests
// use them to reach faults that a real drawing cannot show, such as a page count or a
// section size that no file could hold.
#pragma once

#include "arx/dwg/DwgCrc32.h"
#include "arx/dwg/DwgPageChecksum.h"

#include <cstdint>
#include <string>
#include <vector>

struct TestSection {
  std::string name;
  std::uint32_t number = 0;        // the section number its pages carry
  std::vector<std::uint8_t> bytes; // its contents
  std::uint32_t maxSize = 16;      // bytes per page
};

struct PagedFileTweaks {
  std::uint32_t claimedPages = 0; // non-zero: the first section claims this many pages
  std::uint64_t claimedSize = 0;  // non-zero: the first section claims this size
  std::size_t extraOutput = 0;    // the last page of the last section expands this much further
};

namespace pagedfile {

inline void put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x)
{
  for (int i = 0; i < 4; ++i)
    v[at + i] = static_cast<std::uint8_t>(x >> (8 * i));
}

inline void put64(std::vector<std::uint8_t>& v, std::size_t at, std::uint64_t x)
{
  put32(v, at, static_cast<std::uint32_t>(x));
  put32(v, at + 4, static_cast<std::uint32_t>(x >> 32));
}

inline void append32(std::vector<std::uint8_t>& v, std::uint32_t x)
{
  v.resize(v.size() + 4);
  put32(v, v.size() - 4, x);
}

// A stream of one literal run (at least 4 bytes) and the end mark.
inline std::vector<std::uint8_t> literalStream(const std::vector<std::uint8_t>& bytes)
{
  std::vector<std::uint8_t> s;
  std::size_t n = bytes.size();
  if (n <= 18) {
    s.push_back(static_cast<std::uint8_t>(n - 3));
  } else {
    s.push_back(0);
    std::size_t rest = n - 18; // 255 per zero byte, then a non-zero byte
    while (rest > 255) {
      s.push_back(0);
      rest -= 255;
    }
    s.push_back(static_cast<std::uint8_t>(rest));
  }
  s.insert(s.end(), bytes.begin(), bytes.end());
  s.push_back(0x11);
  return s;
}

// Appends a system page (page map or section map) holding `data` compressed.
inline void appendSystemPage(std::vector<std::uint8_t>& file, std::uint32_t type,
                             const std::vector<std::uint8_t>& data)
{
  std::vector<std::uint8_t> stream = literalStream(data);
  std::vector<std::uint8_t> head;
  for (std::uint32_t w : {type, static_cast<std::uint32_t>(data.size()),
                          static_cast<std::uint32_t>(stream.size()), 2u, 0u})
    append32(head, w);
  std::uint32_t sum =
      dwgPageChecksum(dwgPageChecksum(0, head.data(), head.size()), stream.data(), stream.size());
  put32(head, 16, sum);
  file.insert(file.end(), head.begin(), head.end());
  file.insert(file.end(), stream.begin(), stream.end());
}

} // namespace pagedfile

inline std::vector<std::uint8_t> writePagedFile(const std::vector<TestSection>& sections,
                                                const PagedFileTweaks& tweaks = {})
{
  using namespace pagedfile;
  std::vector<std::uint8_t> file(0x100, 0);
  const char* version = "AC1018";
  for (int i = 0; i < 6; ++i)
    file[i] = static_cast<std::uint8_t>(version[i]);
  file[0x13] = 30;                                           // code page
  std::vector<std::pair<std::int32_t, std::uint32_t>> pages; // page map: number, size
  std::vector<std::uint8_t> sectionMap(20, 0);
  put32(sectionMap, 0, static_cast<std::uint32_t>(sections.size()));
  for (std::size_t si = 0; si < sections.size(); ++si) {
    const TestSection& s = sections[si];
    std::vector<std::uint8_t> entries;
    std::uint32_t pageCount = 0;
    for (std::size_t start = 0; start < s.bytes.size(); start += s.maxSize, ++pageCount) {
      std::size_t end = std::min(s.bytes.size(), start + s.maxSize);
      std::vector<std::uint8_t> part(s.bytes.begin() + start, s.bytes.begin() + end);
      if (si + 1 == sections.size() && end == s.bytes.size())
        part.insert(part.end(), tweaks.extraOutput, 0x55);
      std::vector<std::uint8_t> stream = literalStream(part);
      const std::uint32_t address = static_cast<std::uint32_t>(file.size());
      const std::int32_t number = static_cast<std::int32_t>(pages.size() + 1);
      std::vector<std::uint8_t> head(32, 0);
      put32(head, 0, 0x4163043b);
      put32(head, 4, s.number);
      put32(head, 8, static_cast<std::uint32_t>(stream.size()));
      put32(head, 12, static_cast<std::uint32_t>(32 + stream.size()));
      put32(head, 16, static_cast<std::uint32_t>(start));
      std::uint32_t dataSum = dwgPageChecksum(0, stream.data(), stream.size());
      put32(head, 28, dataSum);
      put32(head, 24, dwgPageChecksum(dataSum, head.data(), head.size()));
      for (std::size_t i = 0; i < 32; i += 4) {
        std::uint32_t w = (head[i] | head[i + 1] << 8 | head[i + 2] << 16 |
                           static_cast<std::uint32_t>(head[i + 3]) << 24) ^
                          (0x4164536bu ^ address);
        put32(head, i, w);
      }
      file.insert(file.end(), head.begin(), head.end());
      file.insert(file.end(), stream.begin(), stream.end());
      pages.emplace_back(number, static_cast<std::uint32_t>(32 + stream.size()));
      std::vector<std::uint8_t> entry(16, 0);
      put32(entry, 0, static_cast<std::uint32_t>(number));
      put32(entry, 4, static_cast<std::uint32_t>(stream.size()));
      put64(entry, 8, start);
      entries.insert(entries.end(), entry.begin(), entry.end());
    }
    std::vector<std::uint8_t> d(96, 0);
    put64(d, 0, si == 0 && tweaks.claimedSize ? tweaks.claimedSize : s.bytes.size());
    put32(d, 8, si == 0 && tweaks.claimedPages ? tweaks.claimedPages : pageCount);
    put32(d, 12, s.maxSize);
    put32(d, 20, 2); // compressed
    put32(d, 24, s.number);
    for (std::size_t i = 0; i < s.name.size() && i < 63; ++i)
      d[32 + i] = static_cast<std::uint8_t>(s.name[i]);
    sectionMap.insert(sectionMap.end(), d.begin(), d.end());
    sectionMap.insert(sectionMap.end(), entries.begin(), entries.end());
  }
  const std::size_t sectionMapAt = file.size();
  appendSystemPage(file, 0x4163003b, sectionMap);
  const std::int32_t sectionMapId = static_cast<std::int32_t>(pages.size() + 1);
  pages.emplace_back(sectionMapId, static_cast<std::uint32_t>(file.size() - sectionMapAt));
  const std::size_t pageMapAt = file.size();
  const std::int32_t pageMapId = static_cast<std::int32_t>(pages.size() + 1);
  std::vector<std::uint8_t> pageMap;
  // The page map's own size is not known before it is written; it is the last entry, so
  // any size does (nothing follows it).
  pages.emplace_back(pageMapId, 0x100);
  for (const auto& p : pages) {
    append32(pageMap, static_cast<std::uint32_t>(p.first));
    append32(pageMap, p.second);
  }
  appendSystemPage(file, 0x41630e3b, pageMap);

  std::vector<std::uint8_t> header(0x6c, 0);
  const char* id = "AcFssFcAJMB";
  for (int i = 0; i < 12; ++i)
    header[i] = static_cast<std::uint8_t>(id[i]);
  put32(header, 0x10, 0x6c);
  put32(header, 0x14, 4);
  put32(header, 0x50, static_cast<std::uint32_t>(pageMapId));
  put64(header, 0x54, pageMapAt - 0x100);
  put32(header, 0x5c, static_cast<std::uint32_t>(sectionMapId));
  put32(header, 0x68, dwgCrc32(header.data(), header.size()));
  std::uint32_t seed = 1;
  for (std::size_t i = 0; i < header.size(); ++i) {
    seed = seed * 0x343fd + 0x269ec3;
    file[0x80 + i] = static_cast<std::uint8_t>(header[i] ^ (seed >> 16));
  }
  return file;
}
