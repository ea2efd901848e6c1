// The paged container of DWG 2004-2018: the reference drawings' sections checked against
// what the documented layout of each section says (sentinels, sizes, CRCs, an object map
// whose every offset lands on an object whose CRC checks), and damaged or hostile files that must
// fail with a fault naming the section.
#include "DwgSample.h"
#include "DwgSectionChecks.h"
#include "PagedFileWriter.h"
#include "arx/dwg/DwgSections.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace dwgcheck;

namespace {

struct Expected {
  const char* file;
  int version;
  std::size_t headerExtra; // a high size word after the size (2010 and later)
};

const Expected kSamples[] = {{"example_2004.dwg", 1018, 0},
                             {"example_2010.dwg", 1024, 4},
                             {"example_2013.dwg", 1027, 4},
                             {"example_2018.dwg", 1032, 4}};

} // namespace

TEST(PagedContainer, reference_drawings_give_well_formed_sections)
{
  for (const Expected& e : kSamples) {
    SCOPED_TRACE(e.file);
    std::vector<std::uint8_t> bytes = readDwgSample(e.file);
    if (bytes.empty()) {
      std::printf("skipped: %s not found beside the project\n", e.file);
      continue;
    }
    DwgSections s;
    DwgFault fault;
    ASSERT_TRUE(readDwgPagedContainer(bytes.data(), bytes.size(), s, fault))
        << fault.section << " at " << fault.offset << ": " << fault.what;
    EXPECT_EQ(e.version, s.version);
    EXPECT_EQ(30, s.codePage); // the DXF twin's $DWGCODEPAGE is ANSI_1252

    // Header and classes: sentinels, size, CRC (2010 and later add a high size word).
    checkFramedSection(s.header, kHeaderStart, kHeaderEnd, e.headerExtra);
    checkFramedSection(s.classes, kClassesStart, kClassesEnd, e.headerExtra);

    // Objects open with their 0x0DCA mark; the object map points at objects.
    ASSERT_GE(s.objects.size(), 4u);
    EXPECT_EQ(0x0dcau, rl(s.objects, 0));
    EXPECT_GT(checkObjectMap(s), 100);
  }
}

TEST(PagedContainer, written_file_reads_back_across_pages)
{
  std::vector<TestSection> sections = {{"AcDb:Header", 1, {}, 16},
                                       {"AcDb:Classes", 3, {}, 16},
                                       {"AcDb:Handles", 4, {}, 300},
                                       {"AcDb:AcDbObjects", 7, {}, 16}};
  for (std::size_t i = 0; i < 40; ++i)
    sections[0].bytes.push_back(static_cast<std::uint8_t>(i)); // 16 + 16 + 8
  sections[1].bytes.assign(4, 0xcc);
  sections[2].bytes.assign(300, 0x21); // one page of 300: a long literal run
  for (std::size_t i = 0; i < 53; ++i)
    sections[3].bytes.push_back(static_cast<std::uint8_t>(200 - i)); // 16 * 3 + 5
  std::vector<std::uint8_t> file = writePagedFile(sections);
  DwgSections s;
  DwgFault fault;
  ASSERT_TRUE(readDwgPagedContainer(file.data(), file.size(), s, fault))
      << fault.section << " at " << fault.offset << ": " << fault.what;
  EXPECT_EQ(1018, s.version);
  EXPECT_EQ(sections[0].bytes, s.header);
  EXPECT_EQ(sections[1].bytes, s.classes);
  EXPECT_EQ(sections[2].bytes, s.handles);
  EXPECT_EQ(sections[3].bytes, s.objects);
}

TEST(PagedContainer, hostile_sizes_and_streams_fail_naming_the_section)
{
  std::vector<TestSection> sections = {
      {"AcDb:Header", 1, std::vector<std::uint8_t>(8, 1), 16},
      {"AcDb:Classes", 3, std::vector<std::uint8_t>(8, 2), 16},
      {"AcDb:Handles", 4, std::vector<std::uint8_t>(8, 3), 16},
      {"AcDb:AcDbObjects", 7, std::vector<std::uint8_t>(40, 4), 16}};
  struct Case {
    PagedFileTweaks tweaks;
    const char* section;
    const char* what;
  };
  Case cases[3];
  cases[0].tweaks.claimedPages = 0x7fffffff;
  cases[0].section = "section map";
  cases[0].what = "section AcDb:Header lists more pages than the map holds";
  cases[1].tweaks.claimedSize = 1ull << 40;
  cases[1].section = "AcDb:Header";
  cases[1].what = "section is larger than its pages";
  cases[2].tweaks.extraOutput = 20; // the last 8-byte page expands to 28 > 16
  cases[2].section = "AcDb:AcDbObjects";
  cases[2].what = "output exceeds its declared size";
  for (const Case& c : cases) {
    std::vector<std::uint8_t> file = writePagedFile(sections, c.tweaks);
    DwgSections s;
    DwgFault fault;
    EXPECT_FALSE(readDwgPagedContainer(file.data(), file.size(), s, fault));
    EXPECT_EQ(c.section, fault.section);
    EXPECT_EQ(c.what, fault.what);
    EXPECT_LT(fault.offset, file.size());
  }
}

TEST(PagedContainer, damaged_drawing_fails_naming_the_section)
{
  DWG_SAMPLE_OR_SKIP(bytes, "example_2004.dwg");
  auto read = [](const std::vector<std::uint8_t>& b, DwgFault& fault) {
    DwgSections s;
    return readDwgPagedContainer(b.data(), b.size(), s, fault);
  };
  // Truncated anywhere: a fault, never a crash; its offset lies within the file or at its end.
  for (std::size_t size :
       {std::size_t(0x90), std::size_t(0x1000), bytes.size() / 2, bytes.size() - 1}) {
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + size);
    DwgFault fault;
    EXPECT_FALSE(read(cut, fault)) << size;
    EXPECT_FALSE(fault.section.empty()) << size;
    EXPECT_LE(fault.offset, size);
  }
  // The data pages, found by their masked type mark (0x4163043b XOR 0x4164536b XOR offset).
  auto findPage = [&](std::uint32_t section) {
    for (std::size_t at = 0x100; at + 32 <= bytes.size(); at += 0x20) {
      std::uint32_t mask = 0x4164536bu ^ static_cast<std::uint32_t>(at);
      if ((rl(bytes, at) ^ mask) == 0x4163043bu && (rl(bytes, at + 4) ^ mask) == section)
        return at;
    }
    return std::size_t(0);
  };
  std::size_t classesPage = findPage(3), handlesPage = findPage(4);
  ASSERT_NE(0u, classesPage);
  ASSERT_NE(0u, handlesPage);
  struct Flip {
    std::size_t at;
    const char* section;
    const char* what;
  } flips[] = {{classesPage + 0x14, "AcDb:Classes", "page header checksum mismatch"},
               {handlesPage + 0x40, "AcDb:Handles", "data page checksum mismatch"},
               {0x80 + 0x30, "file header", "CRC mismatch"}};
  for (const Flip& f : flips) {
    std::vector<std::uint8_t> damaged = bytes;
    damaged[f.at] ^= 0x10;
    DwgFault fault;
    EXPECT_FALSE(read(damaged, fault));
    EXPECT_EQ(f.section, fault.section);
    EXPECT_EQ(f.what, fault.what);
  }
}
