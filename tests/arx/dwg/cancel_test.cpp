// A DWG read followed by a watcher, as the host's "Reading drawing" progress shows
// it: told how far the read is as it goes, and stopped when the watcher says so, with
// the DXF read's status and nothing half-read left behind.
#include "DwgTwin.h"

#include "arx/db/DrawingReadWatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class Watcher : public DrawingReadWatcher {
public:
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

TEST(DwgCancel, a_watcher_follows_the_read_and_a_stopped_read_leaves_nothing)
{
  const std::string folder = drawingsFolder();
  if (folder.empty())
    GTEST_SKIP() << "the reference drawings (../shared/drawings) are absent";
  const std::string path = folder + "/dwg/example_2000.dwg";

  Watcher all;
  setDrawingReadWatcher(&all);
  AcDbDatabase whole(false);
  EXPECT_EQ(whole.readDwgFile(path.c_str()), Acad::eOk) << whole.readError();
  setDrawingReadWatcher(nullptr);
  EXPECT_EQ(all.began, path);
  EXPECT_EQ(all.ended, 1);
  ASSERT_GE(all.fractions.size(), 4u) << "told every so many objects";
  for (std::size_t i = 1; i < all.fractions.size(); ++i)
    EXPECT_GE(all.fractions[i], all.fractions[i - 1]) << "the read goes forward";
  EXPECT_GT(all.fractions.front(), 0.0);
  EXPECT_LE(all.fractions.back(), 1.0);
  EXPECT_GT(all.fractions.back(), 0.8) << "the last report is near the end of the read";

  Watcher stopping;
  stopping.stopAfter = 2;
  setDrawingReadWatcher(&stopping);
  AcDbDatabase stopped(false);
  EXPECT_EQ(stopped.readDwgFile(path.c_str()), Acad::eFileAccessErr);
  setDrawingReadWatcher(nullptr);
  EXPECT_EQ(std::string(stopped.readError()), path + ": Reading cancelled");
  EXPECT_EQ(stopping.fractions.size(), 2u) << "the read stops when told to";
  // Nothing half-read: the two spaces, empty, and layer 0, as a new database.
  int blocks = 0, entities = 0, layers = 0;
  for (const TwinItem& item : describeDatabase(stopped)) {
    if (item.label.find(", entity ") != std::string::npos)
      ++entities;
    else if (item.label.rfind("block ", 0) == 0)
      ++blocks;
    else if (item.label.rfind("layer ", 0) == 0)
      ++layers;
  }
  EXPECT_EQ(blocks, 2);
  EXPECT_EQ(entities, 0);
  EXPECT_EQ(layers, 1);
  EXPECT_STREQ(stopped.dxfVersion(), "");
}
} // namespace
