// A block previewed from a DWG drawing is the block previewed from its DXF twin: every
// named block (and the model space) of each reference drawing is painted from both
// files into metafiles, and the records compared: the same shapes, in the same order and
// pens, each point within one logical unit (a thousandth of a pixel or less: the DXF's
// decimals and the DWG's binary doubles agree to about 1e-15, which can tip a rounding).
// Anonymous blocks are left out, as their numbers differ between the writers of some
// versions.
#include "quillmark/view/PaintProbe.h"

#include "arx/db/AcDbDatabase.h"
#include "quillmark/dialog/DrawingAccess.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string referenceDrawings()
{
  const char* env = std::getenv("QUILL_DRAWINGS");
  for (std::string folder :
       {std::string(env != nullptr ? env : ""), std::string(QUILL_SOURCE_DIR "/../shared/drawings"),
        std::string(QUILL_SOURCE_DIR "/../../shared/drawings")}) {
    if (folder.empty())
      continue;
    if (std::FILE* f = std::fopen((folder + "/dwg/example_2000.dwg").c_str(), "rb")) {
      std::fclose(f);
      return folder;
    }
  }
  return "";
}

MetafileRecord paintRecords(AcDbDatabase* db, const char* block)
{
  PreviewWindow window;
  window.view.setDatabase(db);
  window.view.setBlockName(block);
  return window.paint();
}

::testing::AssertionResult paintsAlike(const MetafileRecord& expected, const MetafileRecord& actual)
{
  if (expected.pens != actual.pens || expected.brushes != actual.brushes)
    return ::testing::AssertionFailure()
           << "pens " << expected.pens.size() << " against " << actual.pens.size() << ", brushes "
           << expected.brushes.size() << " against " << actual.brushes.size();
  if (expected.clipRegions != actual.clipRegions)
    return ::testing::AssertionFailure() << "another clip";
  const std::vector<DrawnShape>* lists[2][4] = {
      {&expected.polylines, &expected.segments, &expected.polygons, &expected.pixels},
      {&actual.polylines, &actual.segments, &actual.polygons, &actual.pixels}};
  const char* kinds[4] = {"polyline", "segment", "polygon", "pixel"};
  for (int k = 0; k < 4; ++k) {
    const std::vector<DrawnShape>& a = *lists[0][k];
    const std::vector<DrawnShape>& b = *lists[1][k];
    if (a.size() != b.size())
      return ::testing::AssertionFailure()
             << a.size() << " " << kinds[k] << "s against " << b.size();
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (a[i].pen != b[i].pen || a[i].points.size() != b[i].points.size())
        return ::testing::AssertionFailure() << kinds[k] << " " << i << ": another pen or length";
      for (std::size_t j = 0; j < a[i].points.size(); ++j) {
        const POINT p = a[i].points[j], q = b[i].points[j];
        if (std::labs(p.x - q.x) > 1 || std::labs(p.y - q.y) > 1)
          return ::testing::AssertionFailure()
                 << kinds[k] << " " << i << " point " << j << ": (" << q.x << ", " << q.y
                 << ") against (" << p.x << ", " << p.y << ")";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

class DwgPreview : public ::testing::TestWithParam<const char*> {};

TEST_P(DwgPreview, every_named_block_paints_as_from_the_dxf_twin)
{
  const std::string folder = referenceDrawings();
  if (folder.empty())
    GTEST_SKIP() << "the reference drawings (../shared/drawings) are absent";
  const std::string base = folder + "/dwg/example_" + GetParam();
  AcDbDatabase dxf(false), dwg(false);
  ASSERT_EQ(dxf.readDwgFile((base + ".dxf").c_str()), Acad::eOk) << dxf.readError();
  ASSERT_EQ(dwg.readDwgFile((base + ".dwg").c_str()), Acad::eOk) << dwg.readError();
  CStringList dxfNames, dwgNames;
  ASSERT_EQ(listTableNames(&dxf, dxfNames, 0), 0);
  ASSERT_EQ(listTableNames(&dwg, dwgNames, 0), 0);
  const bool oldDxf = std::string(GetParam()) == "r13" || std::string(GetParam()) == "r14";
  int painted = 0;
  for (POSITION pos = dxfNames.GetHeadPosition(); pos != nullptr;) {
    const CString name = dxfNames.GetNext(pos);
    const bool modelSpace = name.CompareNoCase("*Model_Space") == 0;
    // The R13 and R14 DXF holds the model space's newer kinds (multileader, table, arc
    // dimension) turned into older ones by its writer, drawn in another order and colours.
    if ((name[0] == '*' && !modelSpace) || (modelSpace && oldDxf))
      continue;
    ASSERT_NE(dwgNames.Find(name), nullptr) << name << " is not in the DWG drawing";
    const MetafileRecord expected = paintRecords(&dxf, name);
    EXPECT_GE(expected.allPoints().size(), 10u) << name << ": hardly anything drawn";
    EXPECT_TRUE(paintsAlike(expected, paintRecords(&dwg, name))) << name;
    ++painted;
  }
  EXPECT_GE(painted, oldDxf ? 2 : 3);
}

INSTANTIATE_TEST_SUITE_P(Samples, DwgPreview,
                         ::testing::Values("r13", "r14", "2000", "2004", "2007", "2010", "2013",
                                           "2018"));
} // namespace
