// The bundled sample drawings: every block of every sample is previewed inside
// the fitted area, its larger side spanning 90 per cent of the control.
#include "quillmark/view/PaintProbe.h"

#include "arx/db/AcDbDatabase.h"
#include "quillmark/dialog/DrawingAccess.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const char* const kSamples[] = {"furniture.dxf", "fixtures_r12.dxf", "site_r2018.dxf"};

} // namespace

TEST(Samples, every_block_fills_ninety_per_cent_and_stays_inside)
{
  int checked = 0;
  for (const char* sample : kSamples) {
    std::string path = std::string(QUILL_SOURCE_DIR) + "/samples/" + sample;
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(path.c_str()), Acad::eOk) << path << ": " << db.readError();
    CStringList list;
    ASSERT_EQ(listTableNames(&db, list, 0), 0);
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
      CString name = list.GetNext(pos);
      if (name[0] == '*') {
        continue; // layouts and anonymous blocks are not listed by the dialog
      }
      std::string where = std::string(sample) + " block " + static_cast<const char*>(name);
      PreviewWindow window(278, 252);
      window.view.setDatabase(&db);
      window.view.setBlockName(name);
      MetafileRecord drawn = window.paint();
      // Rays and construction lines reach far beyond the fitted area: they are
      // the only segments longer than its diagonal (45000 * sqrt 2).
      bool farReaching = false;
      std::vector<DrawnShape> kept;
      for (const DrawnShape& s : drawn.segments) {
        double dx = s.points[1].x - s.points[0].x, dy = s.points[1].y - s.points[0].y;
        bool tooLong = dx * dx + dy * dy > 63641.0 * 63641.0;
        farReaching = farReaching || tooLong;
        if (!tooLong)
          kept.push_back(s);
      }
      drawn.segments = kept;
      std::vector<POINT> points = drawn.allPoints();
      ASSERT_FALSE(points.empty()) << where;
      RECT box{points[0].x, points[0].y, points[0].x, points[0].y};
      for (const POINT& p : points)
        box = RECT{std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
                   std::max(box.bottom, p.y)};
      EXPECT_TRUE(box.left >= -22501 && box.right <= 22501 && box.top >= -22501 &&
                  box.bottom <= 22501)
          << where << ": drawn outside the fitted area";
      EXPECT_NEAR(std::max(box.right - box.left, box.bottom - box.top), 45000, 2) << where;

      if (farReaching) {
        ++checked;
        continue; // the rays light the whole control
      }
      DibCanvas canvas(278, 252);
      window.view.paintPreview(&canvas.dc);
      ASSERT_TRUE(canvas.litBox(box)) << where << ": nothing visible";
      long side = std::max(box.right - box.left, box.bottom - box.top);
      // LineTo leaves out its last pixel, so a block whose extremes are line
      // ends lights a pixel or two less on each side.
      EXPECT_NEAR(side, 0.9 * 252, 4) << where;
      ++checked;
    }
  }
  EXPECT_GE(checked, 3) << "blocks previewed";
}
