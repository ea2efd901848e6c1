// Hostile files: lines far longer than any DXF value, and blocks whose names cannot
// be used. Reading stays bounded by the file and keeps what can be kept.
#include "DxfText.h"

#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbLine.h"
#include "arx/db/DrawingReadWatcher.h"
#include "arx/dxf/DxfTagReader.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Writes `text` to a file of that name and returns the name.
std::string writeFile(const char* path, const std::string& text)
{
  std::FILE* f = std::fopen(path, "wb");
  if (f != nullptr) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  return path;
}

bool hasBlock(AcDbDatabase& db, const char* name)
{
  AcDbBlockTable* table = nullptr;
  if (db.getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
    return false;
  bool has = table->has(name);
  table->close();
  return has;
}

} // namespace

TEST(HostileDxf, line_longer_than_64_kib_is_an_error_naming_its_line)
{
  const std::string head =
      dxfText("0|SECTION|2|ENTITIES|0|TEXT|1"); // the code is line 7, its value line 8
  const std::string tail = "\n0\nENDSEC\n0\nEOF\n";
  struct Case {
    const char* name;
    std::string text;
    const char* expected;
  } cases[] = {
      {"value of 64 KiB + 1", head + std::string(65537, 'x') + tail,
       "t.dxf: line 8: group code 1: a value longer than 65536 bytes"},
      {"value of 64 KiB + 1 before CR LF", head + std::string(65537, 'x') + "\r" + tail,
       "t.dxf: line 8: group code 1: a value longer than 65536 bytes"},
      {"group code line of 100 KiB", dxfText("0|SECTION|2|ENTITIES") + std::string(100000, '0'),
       "t.dxf: line 5: a line longer than 65536 bytes"},
      {"no line break at all", std::string(3000000, '\0'),
       "t.dxf: line 1: a line longer than 65536 bytes"},
  };
  for (const Case& c : cases) {
    AcDbDatabase fromMemory(false);
    EXPECT_EQ(readDxf(fromMemory, c.text), Acad::eInvalidDxfCode) << c.name;
    EXPECT_STREQ(fromMemory.readError(), c.expected) << c.name;
    // The same from a file, read through the reader's buffer.
    AcDbDatabase fromFile(false);
    writeFile("t.dxf", c.text);
    EXPECT_EQ(fromFile.readDwgFile("t.dxf"), Acad::eInvalidDxfCode) << c.name;
    EXPECT_STREQ(fromFile.readError(), c.expected) << c.name;
  }
  // 64 KiB exactly is still a value.
  AcDbDatabase db(false);
  EXPECT_EQ(readDxf(db, head + std::string(65536, 'x') + tail), Acad::eOk) << db.readError();
  std::remove("t.dxf");
}

TEST(HostileDxf, file_buffer_never_grows_past_a_line)
{
  // 5 MB without a line break, through a buffer that starts small and one that
  // starts at the usual megabyte.
  writeFile("t.dxf", std::string(5000000, 'x'));
  for (std::size_t initial : {std::size_t(16), std::size_t(1) << 20}) {
    std::FILE* f = std::fopen("t.dxf", "rb");
    ASSERT_NE(f, nullptr);
    DxfTagReader reader(f, initial);
    DxfTag tag;
    EXPECT_FALSE(reader.next(tag));
    EXPECT_EQ(reader.error(), "line 1: a line longer than 65536 bytes");
    EXPECT_LE(reader.bufferSize(), std::max<std::size_t>(initial, 65536 + 2)) << initial;
    std::fclose(f);
  }
  std::remove("t.dxf");
}

TEST(HostileDxf, block_whose_name_cannot_be_used_is_skipped_and_the_rest_read)
{
  const std::string longName(256, 'N');
  const std::string text =
      dxfText("0|SECTION|2|BLOCKS"
              // no name at all
              "|0|BLOCK|10|0|20|0|30|0|0|LINE|10|0|20|0|30|0|11|9|21|9|31|0|0|ENDBLK"
              // a name longer than 255 bytes
              "|0|BLOCK|2|" +
              longName +
              "|10|0|20|0|30|0|0|LINE|10|0|20|0|30|0|11|9|21|9|31|0|0|ENDBLK"
              // a name with a control character (a tab)
              "|0|BLOCK|2|A\tB|10|0|20|0|30|0|0|ENDBLK"
              // a good block after them, with its line
              "|0|BLOCK|2|GOOD|10|0|20|0|30|0|0|LINE|10|1|20|2|30|0|11|3|21|4|31|0|0|ENDBLK"
              "|0|ENDSEC|0|SECTION|2|ENTITIES"
              "|0|INSERT|2|" +
              longName + "|10|0|20|0|30|0|0|INSERT|2|GOOD|10|0|20|0|30|0|0|ENDSEC|0|EOF");
  AcDbDatabase db(false);
  ASSERT_EQ(readDxf(db, text), Acad::eOk) << db.readError();
  EXPECT_TRUE(hasBlock(db, "GOOD"));
  EXPECT_FALSE(hasBlock(db, longName.c_str()));
  EXPECT_FALSE(hasBlock(db, "A\tB"));
  AcDbLine* line = nthEntity<AcDbLine>(db, "GOOD");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->startPoint(), AcGePoint3d(1, 2, 0));
  EXPECT_EQ(nthEntity<AcDbLine>(db, "GOOD", 1), nullptr) << "the skipped blocks' lines are dropped";
  // The reference to the skipped block names no block; the other one its block.
  AcDbBlockReference* lost = nthEntity<AcDbBlockReference>(db, ACDB_MODEL_SPACE, 0);
  AcDbBlockReference* good = nthEntity<AcDbBlockReference>(db, ACDB_MODEL_SPACE, 1);
  ASSERT_NE(lost, nullptr);
  ASSERT_NE(good, nullptr);
  EXPECT_TRUE(lost->blockTableRecord().isNull());
  EXPECT_FALSE(good->blockTableRecord().isNull());
}

namespace {

// Follows a read: the fractions it was told, and a stop after `stopAfter` of them.
struct Watcher : DrawingReadWatcher {
  void begin(const char* file) override { began = file; }
  bool advance(double fraction) override
  {
    fractions.push_back(fraction);
    return static_cast<int>(fractions.size()) < stopAfter;
  }
  bool end() override
  {
    ++ended;
    return static_cast<int>(fractions.size()) >= stopAfter;
  }
  std::string began;
  std::vector<double> fractions;
  int stopAfter = 1 << 30;
  int ended = 0;
};

// 20,000 lines in block "B" and a reference to it.
std::string manyLines()
{
  std::string text = "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n10\n0\n20\n0\n30\n0\n";
  for (int i = 0; i < 20000; ++i)
    text += "0\nLINE\n8\n0\n10\n" + std::to_string(i) + "\n20\n0\n30\n0\n11\n1\n21\n1\n31\n0\n";
  return text + "0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nB\n10\n0\n20\n0\n30\n"
                "0\n0\nENDSEC\n0\nEOF\n";
}

} // namespace

TEST(HostileDxf, watcher_follows_a_read_and_a_stopped_read_leaves_nothing)
{
  writeFile("t.dxf", manyLines());
  Watcher all;
  setDrawingReadWatcher(&all);
  AcDbDatabase whole(false);
  EXPECT_EQ(whole.readDwgFile("t.dxf"), Acad::eOk) << whole.readError();
  setDrawingReadWatcher(nullptr);
  EXPECT_EQ(all.began, "t.dxf");
  EXPECT_EQ(all.ended, 1);
  // Told every 1024 records and entities: 20,000 lines and some records.
  ASSERT_GE(all.fractions.size(), 19u);
  for (size_t i = 1; i < all.fractions.size(); ++i)
    EXPECT_GE(all.fractions[i], all.fractions[i - 1]) << "the read goes forward";
  EXPECT_GT(all.fractions.front(), 0.0);
  EXPECT_LE(all.fractions.back(), 1.0);
  EXPECT_GT(all.fractions.back(), 0.9) << "the last report is near the end of the file";

  Watcher stopping;
  stopping.stopAfter = 3;
  setDrawingReadWatcher(&stopping);
  AcDbDatabase stopped(false);
  EXPECT_NE(stopped.readDwgFile("t.dxf"), Acad::eOk);
  setDrawingReadWatcher(nullptr);
  EXPECT_STREQ(stopped.readError(), "t.dxf: Reading cancelled");
  EXPECT_EQ(stopping.fractions.size(), 3u) << "the read stops when told to";
  EXPECT_FALSE(hasBlock(stopped, "B")) << "nothing half-read stays";
  EXPECT_EQ(nthEntity<AcDbLine>(stopped, "B"), nullptr);
  EXPECT_TRUE(hasBlock(stopped, ACDB_MODEL_SPACE)) << "the database stays usable";
  std::remove("t.dxf");
}
