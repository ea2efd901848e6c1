// Damaged, truncated and foreign files: every one is a failing status whose
// message names the file, the line and the group code, and the database stays usable.
#include "DxfText.h"

#include "arx/db/AcDbLine.h"
#include "arx/db/AcDbText.h"
#include "arx/dxf/DxfScan.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {
const char* const kGood =
    "0|SECTION|2|ENTITIES|0|LINE|8|0|10|0|20|0|30|0|11|1|21|1|31|0|0|ENDSEC|0|EOF";

struct DamagedCase {
  const char* name;
  std::string text;
  const char* expected; // a part of readError()
};
} // namespace

TEST(DamagedDxf, every_fault_fails_and_names_file_line_and_group_code)
{
  const DamagedCase cases[] = {
      {"bad group code", dxfText("0|SECTION|2|ENTITIES|1x|LINE|0|ENDSEC|0|EOF"),
       "t.dxf: line 5: invalid group code \"1x\""},
      {"group code out of range", dxfText("0|SECTION|2|ENTITIES|0|LINE|5000|7|0|ENDSEC|0|EOF"),
       "line 7: invalid group code \"5000\""},
      {"bad number", dxfText("0|SECTION|2|ENTITIES|0|LINE|10|abc|0|ENDSEC|0|EOF"),
       "line 8: group code 10: invalid number \"abc\""},
      {"not a number: nan", dxfText("0|SECTION|2|ENTITIES|0|LINE|10|nan|0|ENDSEC|0|EOF"),
       "group code 10: invalid number"},
      {"bad integer", dxfText("0|SECTION|2|ENTITIES|0|LINE|62|1.5|0|ENDSEC|0|EOF"),
       "group code 62: invalid integer \"1.5\""},
      {"no EOF", dxfText("0|SECTION|2|ENTITIES|0|LINE|10|1|0|ENDSEC"), "(no EOF)"},
      {"cut inside a section", dxfText("0|SECTION|2|ENTITIES|0|LINE|10|1"),
       "the file ends inside the ENTITIES section"},
      {"value missing", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n",
       "line 7: group code 10: the file ends before the value"},
      {"block without ENDBLK",
       dxfText("0|SECTION|2|BLOCKS|0|BLOCK|2|B|10|0|20|0|30|0|0|LINE|0|ENDSEC|0|EOF"),
       "line 17: group code 0: block \"B\" has no ENDBLK"},
      {"nameless block without ENDBLK", dxfText("0|SECTION|2|BLOCKS|0|BLOCK|10|0|0|ENDSEC|0|EOF"),
       "line 9: group code 0: the BLOCK at line 5 has no ENDBLK"},
      {"section without ENDSEC", dxfText("0|SECTION|2|ENTITIES|0|LINE|0|SECTION|2|BLOCKS"),
       "group code 0: the ENTITIES section has no ENDSEC"},
      {"stray tag outside sections", dxfText("8|0|0|EOF"),
       "line 1: group code 8: expected SECTION"},
      {"empty file", "", "t.dxf: line 0: group code 0: the file is empty"},
      {"DWG drawing", std::string("AC1015\0\0\0\0\x01", 11), "a DWG drawing"},
      {"binary DXF", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22), "binary DXF"},
  };
  for (const DamagedCase& c : cases) {
    AcDbDatabase db(false);
    EXPECT_NE(readDxf(db, c.text), Acad::eOk) << c.name;
    std::string error = db.readError();
    EXPECT_NE(error.find(c.expected), std::string::npos)
        << c.name << ": expected \"" << c.expected << "\" in \"" << error << "\"";
    EXPECT_EQ(error.rfind("t.dxf: ", 0), 0u) << c.name << ": got \"" << error << "\"";
  }
}

TEST(DamagedDxf, truncated_file_fails_but_keeps_a_consistent_database)
{
  AcDbDatabase db(false);
  // Cut inside a second line: the first, read whole, stays.
  std::string text = dxfText(kGood);
  text.resize(text.find("0\nENDSEC"));
  text += "0\nLINE\n10\n5\n";
  EXPECT_EQ(readDxf(db, text), Acad::eBadDxfSequence);
  AcDbLine* line = nthEntity<AcDbLine>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(line, nullptr) << "what was read before the cut stays";
  EXPECT_EQ(line->endPoint(), AcGePoint3d(1, 1, 0));
  AcDbBlockTable* table = nullptr;
  ASSERT_EQ(db.getSymbolTable(table, AcDb::kForRead), Acad::eOk);
  EXPECT_TRUE(table->has(ACDB_PAPER_SPACE)) << "every database has its paper space";
  table->close();

  // A later good read clears the error.
  AcDbDatabase again(false);
  EXPECT_EQ(readDxf(again, dxfText(kGood)), Acad::eOk);
  EXPECT_STREQ(again.readError(), "");
}

TEST(DamagedDxf, files_on_disk_missing_and_present)
{
  AcDbDatabase db(false);
  EXPECT_EQ(db.readDwgFile("no-such-drawing.dxf"), Acad::eFileNotFound);
  EXPECT_STREQ(db.readError(), "no-such-drawing.dxf: cannot open the file");

  const char* path = "db_reader_crlf.dxf";
  std::FILE* f = std::fopen(path, "wb");
  ASSERT_NE(f, nullptr);
  std::string crlf = dxfText(kGood, "\r\n");
  std::fwrite(crlf.data(), 1, crlf.size(), f);
  std::fclose(f);
  AcDbDatabase fromDisk(false);
  EXPECT_EQ(fromDisk.readDwgFile(path), Acad::eOk) << fromDisk.readError();
  AcDbLine* line = nthEntity<AcDbLine>(fromDisk, ACDB_MODEL_SPACE);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->endPoint(), AcGePoint3d(1, 1, 0));
  std::remove(path);
}

TEST(DamagedDxf, large_file_read_in_pieces_matches_the_text)
{
  // Some megabytes with CRLF ends and one line of the greatest length read (64 KiB):
  // pairs split across buffer refills must come out whole.
  std::string text = "0\r\nSECTION\r\n2\r\nENTITIES\r\n";
  for (int i = 0; i < 30000; ++i)
    text += "0\r\nLINE\r\n8\r\nL" + std::to_string(i % 7) + "\r\n10\r\n" + std::to_string(i) +
            ".25\r\n20\r\n0\r\n11\r\n1\r\n21\r\n1\r\n";
  const std::string longText(65536, 'x');
  text += "0\r\nTEXT\r\n1\r\n" + longText + "\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n";
  const char* path = "db_reader_large.dxf";
  std::FILE* f = std::fopen(path, "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  AcDbDatabase db(false);
  ASSERT_EQ(db.readDwgFile(path), Acad::eOk) << db.readError();
  std::remove(path);
  for (int i : {0, 14999, 29999}) {
    AcDbLine* line = nthEntity<AcDbLine>(db, ACDB_MODEL_SPACE, i);
    ASSERT_NE(line, nullptr) << "line " << i;
    EXPECT_EQ(line->startPoint().x, i + 0.25) << "line " << i;
    EXPECT_EQ(std::string(line->layerName()), "L" + std::to_string(i % 7)) << "line " << i;
  }
  EXPECT_EQ(nthEntity<AcDbLine>(db, ACDB_MODEL_SPACE, 30000), nullptr);
  AcDbText* last = nthEntity<AcDbText>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(std::string(last->textStringConst()), longText);
}

TEST(DamagedDxf, scan_counts_pairs_and_stops_at_a_fault)
{
  std::string good = dxfText(kGood);
  EXPECT_EQ(dxfScanTags(good.data(), good.size()), 12u);
  std::string bad = dxfText("0|SECTION|2|ENTITIES|10|x|0|EOF");
  EXPECT_EQ(dxfScanTags(bad.data(), bad.size()), 2u);
}
