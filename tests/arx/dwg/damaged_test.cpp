// DWG files that are not read: old and unknown versions, and damaged copies of a
// sample (truncated, a byte changed in each section) give a failing status whose
// message names the file, the section and the byte, and leave a usable database.
#include "DwgTwin.h"

#include "arx/db/AcDbBlockTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
std::vector<unsigned char> sample2000()
{
  const std::string folder = drawingsFolder();
  if (folder.empty())
    return {};
  std::ifstream in(folder + "/dwg/example_2000.dwg", std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::string readError(const std::vector<unsigned char>& data, Acad::ErrorStatus* status = nullptr)
{
  AcDbDatabase db(false);
  const Acad::ErrorStatus es = db.readDwgData(data.data(), data.size(), "d.dwg");
  if (status != nullptr)
    *status = es;
  // What was read before the fault stays usable.
  AcDbBlockTable* table = nullptr;
  EXPECT_EQ(db.getSymbolTable(table, AcDb::kForRead), Acad::eOk);
  if (table != nullptr)
    table->close();
  return es == Acad::eOk ? std::string("(read)") : std::string(db.readError());
}

TEST(DwgDamaged, VersionsNotReadAreNamed)
{
  // The file's first bytes choose the reader, whatever its name says.
  const char* path = "dwg_damaged_old.dxf";
  {
    std::ofstream out(path, std::ios::binary);
    out << "AC1009" << std::string(100, '\0');
  }
  AcDbDatabase db(false);
  EXPECT_EQ(db.readDwgFile(path), Acad::eDwgNotRecognized);
  EXPECT_EQ(std::string(db.readError()),
            std::string(path) +
                ": file header: byte 0: a DWG drawing of version AC1009, which is not read");
  std::remove(path);

  std::vector<unsigned char> r14 = {'A', 'C', '1', '.', '5', '0'};
  EXPECT_EQ(readError(r14), "d.dwg: file header: byte 0: a DWG drawing of version AC1.50, "
                            "which is not read");
  std::vector<unsigned char> unknown = {'A', 'C', '1', '0', '9', '9', 0, 0};
  EXPECT_EQ(readError(unknown), "d.dwg: file header: byte 0: a DWG drawing of version AC1099, "
                                "which is not read");
  std::vector<unsigned char> shortHeader = {'A', 'C', '1', '0', '1', '5', 0, 0, 0};
  EXPECT_EQ(readError(shortHeader),
            "d.dwg: file header: byte 9: the file is too short for its header");
}

TEST(DwgDamaged, ChangedBytesAreFoundByTheirSectionsChecks)
{
  std::vector<unsigned char> data = sample2000();
  if (data.empty())
    GTEST_SKIP() << "the reference drawings (../shared/drawings) are absent";
  ASSERT_EQ(readError(data), "(read)");
  // Offsets from the file header's six section locators (bytes 0x19..0x4E, worked out
  // by hand): classes at 25181 (2490 bytes), object map at 580235. The header's CRC
  // follows the locators (0x19 + 6 * 9 = 79); the classes' CRC precedes their
  // 16-byte end sentinel (2490 - 16 - 2 = 2472).
  struct Case {
    std::size_t at;
    const char* message;
  } cases[] = {
      {0x20, "d.dwg: file header: byte 79: CRC mismatch of the file header"},
      {25181 + 40, "d.dwg: AcDb:Classes: byte 2472: CRC mismatch of the section"},
      {25181 + 3, "d.dwg: AcDb:Classes: byte 0: the section's start sentinel is wrong"},
      {580235 + 100, "d.dwg: AcDb:Handles: byte 0: CRC mismatch of a run of the object map"},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> bad = data;
    bad[c.at] ^= 0x10;
    Acad::ErrorStatus es = Acad::eOk;
    EXPECT_EQ(readError(bad, &es), c.message) << "byte " << c.at;
    EXPECT_EQ(es, Acad::eDwgNotRecognized);
  }
  // A byte changed inside the objects: that object's CRC names it.
  std::vector<unsigned char> bad = data;
  bad[117865 + 10] ^= 0x01;
  EXPECT_EQ(readError(bad), "d.dwg: AcDb:AcDbObjects: byte 117865: CRC mismatch of the object");
}

TEST(DwgDamaged, EveryTruncationFailsWithASectionAndByte)
{
  std::vector<unsigned char> data = sample2000();
  if (data.empty())
    GTEST_SKIP() << "the reference drawings (../shared/drawings) are absent";
  for (std::size_t size = 0; size < data.size(); size += data.size() / 97 + 1) {
    std::vector<unsigned char> cut(data.begin(), data.begin() + static_cast<long>(size));
    const std::string error = readError(cut);
    EXPECT_EQ(error.rfind("d.dwg: ", 0), 0u) << size << ": " << error;
    EXPECT_NE(error.find(": byte "), std::string::npos) << size << ": " << error;
  }
}
} // namespace
