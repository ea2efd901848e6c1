// The container of DWG 2007: the reference drawing's sections checked against the
// documented layout of each section (sentinels, sizes, CRCs, an object map whose every
// entry lands on an object whose CRC checks), and damaged files that must fail cleanly.
#include "DwgSample.h"
#include "DwgSectionChecks.h"
#include "arx/dwg/DwgSections.h"

#include <gtest/gtest.h>

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
  // The header's compressed length (bytes 24-27 of its data) claims 2 GiB: in the
  // interleaved blocks, data byte j of block 0 lies at 0x80 + 3 j.
  std::vector<std::uint8_t> damaged = bytes;
  for (int j = 24; j < 28; ++j)
    damaged[0x80 + 3 * j] = j == 27 ? 0x7f : 0xff;
  DwgFault fault;
  EXPECT_FALSE(read(damaged, fault));
  EXPECT_EQ("file header", fault.section);
  EXPECT_EQ("header length out of range", fault.what);
}
