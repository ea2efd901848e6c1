// The walk budget: a block that asks for more drawing than a paint may do is cut
// short at the same place in both passes, and the preview says so with a mark in
// its lower right corner.
#include "HostileDrawings.h"
#include "PaintProbe.h"

#include "arx/db/AcDbDatabase.h"

#include <gtest/gtest.h>

namespace {

const DWORD kAmber = 0xFFC000; // the mark, as a DIB pixel 0x00RRGGBB

struct Box {
  long minX = LONG_MAX, minY = LONG_MAX, maxX = LONG_MIN, maxY = LONG_MIN;
  void add(const std::vector<DrawnShape>& shapes)
  {
    for (const DrawnShape& s : shapes)
      for (POINT p : s.points) {
        minX = std::min(minX, long(p.x));
        minY = std::min(minY, long(p.y));
        maxX = std::max(maxX, long(p.x));
        maxY = std::max(maxY, long(p.y));
      }
  }
};

struct WalkBudget : ::testing::Test {
  void open(const std::string& dxf)
  {
    ASSERT_EQ(db.readDxfText(dxf.data(), dxf.size(), "hostile.dxf"), Acad::eOk) << db.readError();
    window.view.setDatabase(&db);
    window.view.setBlockName("TOP");
  }
  AcDbDatabase db{false};
  PreviewWindow window{278, 252};
};

} // namespace

// A pass that drew less or more than the pass that measured would leave the picture
// short of the fitted frame (90 per cent of 25000 logical units from the centre) or
// past it.
TEST_F(WalkBudget, hostile_blocks_are_cut_alike_in_both_passes_and_fill_the_fit)
{
  std::vector<hostile::Case> cases = hostile::cases();
  for (size_t i : {size_t(0), size_t(3), size_t(5)}) {
    SCOPED_TRACE(cases[i].name);
    db.~AcDbDatabase();
    new (&db) AcDbDatabase(false);
    open(cases[i].dxf);
    for (int paint = 0; paint < 2; ++paint) { // the second starts from the first's colour
      MetafileRecord r = window.paint();
      EXPECT_TRUE(window.view.m_cut);
      Box box;
      box.add(r.polylines);
      box.add(r.segments);
      ASSERT_LE(box.minX, box.maxX) << "nothing drawn";
      long reach = std::max({-box.minX, box.maxX, -box.minY, box.maxY});
      EXPECT_NEAR(reach, 22500, 2) << "the drawing reaches the fitted frame, no farther";
    }
  }
}

TEST_F(WalkBudget, budget_counts_points_not_only_entities)
{
  // 1,000 references of a 200,000-vertex polyline: 1,000 entities, 200 million points.
  open(hostile::cases()[1].dxf);
  MetafileRecord r = window.paint();
  EXPECT_TRUE(window.view.m_cut);
  EXPECT_GT(r.polylines.size(), 0u);
  EXPECT_LT(r.polylines.size(), 1000u) << "every reference drawn: the budget did not count points";
  for (const DrawnShape& p : r.polylines)
    EXPECT_EQ(p.points.size(), 200000u) << "a polyline is drawn whole or not at all";
}

TEST_F(WalkBudget, cut_preview_has_the_mark_in_its_corner_and_a_whole_one_none)
{
  DibCanvas canvas(278, 252);
  open(hostile::cases()[0].dxf);
  window.view.paintPreview(&canvas.dc);
  EXPECT_EQ(canvas.pixel(277, 251), kAmber) << "the corner pixel";
  EXPECT_EQ(canvas.pixel(270, 251), kAmber) << "the mark's bottom edge, 8 pixels in";
  EXPECT_EQ(canvas.pixel(277, 244), kAmber) << "its right edge, 8 pixels up";
  EXPECT_NE(canvas.pixel(268, 251), kAmber) << "9 pixels in is past it";
  EXPECT_NE(canvas.pixel(270, 244), kAmber) << "inside the square, outside the triangle";

  // A block that fits: no mark. (A fresh canvas: a paint leaves its mapping in the DC.)
  DibCanvas fresh(278, 252);
  AcDbDatabase small(false);
  std::string dxf = hostile::drawing(hostile::block("TOP", hostile::line(0, 0, 10, 10)));
  ASSERT_EQ(small.readDxfText(dxf.data(), dxf.size(), "small.dxf"), Acad::eOk);
  window.view.setDatabase(&small);
  window.view.paintPreview(&fresh.dc);
  EXPECT_FALSE(window.view.m_cut);
  EXPECT_EQ(fresh.pixel(277, 251), 0u) << "black background in the corner";
  window.view.setDatabase(nullptr);
}
