// The container of DWG 2007: the reference drawing's sections checked against the
// documented layout of each section (sentinels, sizes, CRCs, an object map whose every
// entry lands on an object whose CRC checks), and damaged files that must fail cleanly.
#include "DwgSample.h"
#include "DwgSectionChecks.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/dwg/DwgSections.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace dwgcheck;

TEST(R2007Container, reference_drawing_gives_well_formed_sections)
{
  DWG_SAMPLE_OR_SKIP(bytes, "example_2007.dwg");
  DwgSections s;
  DwgFault fault;
  ASSERT_TRUE(readDwgR2007Container(bytes.data(), bytes.size(), s, fault))
      << fault.section << " at " << fault.offset << ": " << fault.what;
  EXPECT_EQ(1021, s.version);
  EXPECT_EQ(30, s.codePage); // the DXF twin's $DWGCODEPAGE is ANSI_1252
  checkFramedSection(s.header, kHeaderStart, kHeaderEnd, 0);
  checkFramedSection(s.classes, kClassesStart, kClassesEnd, 0);
  ASSERT_GE(s.objects.size(), 4u);
  EXPECT_EQ(0x0dcau, rl(s.objects, 0));
  EXPECT_GT(checkObjectMap(s), 100);
}

TEST(R2007Container, damaged_drawing_fails_naming_where)
{
  DWG_SAMPLE_OR_SKIP(bytes, "example_2007.dwg");
  auto read = [](const std::vector<std::uint8_t>& b, DwgFault& fault) {
    DwgSections s;
    return readDwgR2007Container(b.data(), b.size(), s, fault);
  };
  for (std::size_t size :
       {std::size_t(0x200), std::size_t(0x500), std::size_t(0x4000), bytes.size() / 2}) {
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + size);
    DwgFault fault;
    EXPECT_FALSE(read(cut, fault)) << size;
    EXPECT_FALSE(fault.section.empty()) << size;
    EXPECT_LE(fault.offset, size);
  }
  // A byte changed in what the reader reads breaks a Reed-Solomon block's parity: the
  // header's compressed length (its data byte 24, at 0x80 + 3 * 24 in the interleaved
  // blocks), the page map at 0x480, and bytes across the rest of the file, where each
  // change either lies in a part not read or is reported with its section.
  std::vector<std::uint8_t> damaged = bytes;
  damaged[0x80 + 3 * 24] ^= 0x40;
  DwgFault fault;
  EXPECT_FALSE(read(damaged, fault));
  EXPECT_EQ("file header", fault.section);
  EXPECT_EQ("Reed-Solomon parity mismatch", fault.what);
  damaged = bytes;
  damaged[0x480 + 5] ^= 0x01;
  EXPECT_FALSE(read(damaged, fault));
  EXPECT_EQ("page map", fault.section);
  EXPECT_EQ("Reed-Solomon parity mismatch", fault.what);
  std::set<std::string> named;
  for (std::size_t at = 0x1000; at < bytes.size(); at += 4099) {
    damaged = bytes;
    damaged[at] ^= 0x08;
    fault = DwgFault();
    if (!read(damaged, fault)) {
      EXPECT_EQ("Reed-Solomon parity mismatch", fault.what) << fault.section << " at " << at;
      EXPECT_LE(fault.offset, at);
      named.insert(fault.section);
    }
  }
  EXPECT_EQ(1u, named.count("AcDb:AcDbObjects"));
}

// Every Reed-Solomon block the reader takes is checked, parity bytes included, and a
// mismatch names the file, the section and the block's first byte (byte j of block i of
// a page of n blocks lies at j * n + i). In the sample, the section map is page 21 at
// 445248 (16 blocks of 239 data bytes), and page 14 of AcDb:AcDbObjects lies at 388096
// (199 blocks of 251), as its page map and section map give them.
TEST(R2007Container, section_map_and_data_page_parity_name_the_damaged_block)
{
  DWG_SAMPLE_OR_SKIP(bytes, "example_2007.dwg");
  auto read = [](const std::vector<std::uint8_t>& b) {
    AcDbDatabase db(false);
    const Acad::ErrorStatus es = db.readDwgData(b.data(), b.size(), "d.dwg");
    return es == Acad::eOk ? std::string("(read)") : std::string(db.readError());
  };
  EXPECT_EQ("(read)", read(bytes));
  const struct {
    std::size_t at; // the byte changed
    const char* error;
  } cases[] = {
      // Data byte 7 of the section map's block 3, and parity byte 250 of its block 9.
      {445248 + 7 * 16 + 3, "d.dwg: section map: byte 445251: Reed-Solomon parity mismatch"},
      {445248 + 250 * 16 + 9, "d.dwg: section map: byte 445257: Reed-Solomon parity mismatch"},
      // Data byte 100 of the objects page's block 130, and parity byte 252 of its last.
      {388096 + 100 * 199 + 130,
       "d.dwg: AcDb:AcDbObjects: byte 388226: Reed-Solomon parity mismatch"},
      {388096 + 252 * 199 + 198,
       "d.dwg: AcDb:AcDbObjects: byte 388294: Reed-Solomon parity mismatch"},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> damaged = bytes;
    damaged[c.at] ^= 0x21;
    EXPECT_EQ(c.error, read(damaged)) << "byte " << c.at << " changed";
  }
}
