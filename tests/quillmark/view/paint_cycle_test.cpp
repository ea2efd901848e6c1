// The paint cycle: background, measure pass, fit, mapping, pens and clean-up.
#include "PaintProbe.h"
#include "TestDrawing.h"

#include "arx/db/AcDbLine.h"
#include "arx/db/AcDbPoint.h"
#include "arx/host/HostTestHooks.h"

#include <gtest/gtest.h>
#include <psapi.h>

namespace {

struct PaintCycle : ::testing::Test {
  // A block "B" of lines of the given colour indexes, one unit apart in y.
  void lines(std::initializer_list<int> colors)
  {
    AcDbObjectId b = drawing.addBlock("B");
    double y = 0;
    for (int c : colors) {
      drawing.add(b, new AcDbLine({0, y, 0}, {10, y, 0}), c);
      y += 1;
    }
    window.view.setDatabase(&drawing.db);
    window.view.setBlockName("B");
  }
  TestDrawing drawing;
  PreviewWindow window{278, 252};
};

} // namespace

TEST_F(PaintCycle, empty_name_paints_only_background)
{
  window.view.setDatabase(&drawing.db);
  MetafileRecord r = window.paint();
  ASSERT_EQ(r.brushesCreated.size(), 1u);
  EXPECT_EQ(r.brushesCreated[0], 0u) << "background brush is black";
  EXPECT_TRUE(r.mapModes.empty()) << "no mapping without a block";
  EXPECT_EQ(r.clipRegions, 0);
  EXPECT_TRUE(r.pensCreated.empty());
}

TEST_F(PaintCycle, mapping_is_isotropic_about_the_centre)
{
  lines({1});
  MetafileRecord r = window.paint();
  ASSERT_EQ(r.mapModes.size(), 1u);
  EXPECT_EQ(r.mapModes[0], MM_ISOTROPIC);
  ASSERT_EQ(r.windowExts.size(), 1u);
  EXPECT_EQ(r.windowExts[0].cx, 25000);
  EXPECT_EQ(r.windowExts[0].cy, 25000);
  ASSERT_EQ(r.viewportExts.size(), 1u);
  EXPECT_EQ(r.viewportExts[0].cx, 139);
  EXPECT_EQ(r.viewportExts[0].cy, -126) << "y grows upward";
  ASSERT_EQ(r.viewportOrgs.size(), 1u);
  EXPECT_EQ(r.viewportOrgs[0].x, 139);
  EXPECT_EQ(r.viewportOrgs[0].y, 126);
  EXPECT_EQ(r.clipRegions, 1);
  ASSERT_EQ(r.segments.size(), 1u);
  EXPECT_TRUE(pointNear(r.segments[0].points[0], -22500, 0, 0));
  EXPECT_TRUE(pointNear(r.segments[0].points[1], 22500, 0, 0));
}

TEST_F(PaintCycle, pens_change_only_with_colour)
{
  // The measure pass ends on blue, so the first pen is blue; the first red line
  // replaces it, and so on.
  lines({1, 1, 5, 5});
  MetafileRecord r = window.paint();
  const COLORREF red = 0x0000FF, blue = 0xFF0000;
  ASSERT_EQ(r.pensCreated.size(), 3u);
  EXPECT_EQ(r.pensCreated[0], blue);
  EXPECT_EQ(r.pensCreated[1], red);
  EXPECT_EQ(r.pensCreated[2], blue);
  EXPECT_EQ(r.brushesCreated.size(), 4u) << "background and one brush per pen";
  ASSERT_EQ(r.segments.size(), 4u);
  EXPECT_EQ(r.segments[0].pen, red);
  EXPECT_EQ(r.segments[1].pen, red);
  EXPECT_EQ(r.segments[2].pen, blue);
  EXPECT_EQ(r.segments[3].pen, blue);
  EXPECT_EQ(window.view.m_color, blue) << "the colour carries over to the next paint";

  // One colour throughout: the pen selected by beginDraw is the only one.
  MetafileRecord again = window.paint();
  EXPECT_EQ(again.pensCreated.size(), 3u);
}

TEST_F(PaintCycle, single_colour_block_makes_one_pen)
{
  lines({3, 3, 3});
  window.view.m_color = 0x00FF00; // as a previous paint of green would leave it
  MetafileRecord r = window.paint();
  ASSERT_EQ(r.pensCreated.size(), 1u);
  EXPECT_EQ(r.pensCreated[0], 0x00FF00u);
}

TEST_F(PaintCycle, unknown_block_prints_once_per_pass_and_draws_nothing)
{
  window.view.setDatabase(&drawing.db);
  window.view.setBlockName("NOSUCH");
  hostCaptureOutput(true);
  MetafileRecord r = window.paint();
  std::string out = hostTakeOutput();
  hostCaptureOutput(false);
  EXPECT_EQ(out, "\nUnknown error in block \"NOSUCH\".\n\nUnknown error in block \"NOSUCH\".\n");
  EXPECT_TRUE(r.allPoints().empty());
  EXPECT_EQ(window.view.m_scale, 45000.0);
}

TEST_F(PaintCycle, dc_gets_its_own_pen_and_brush_back_and_nothing_leaks)
{
  lines({1, 2, 3, 4});
  DibCanvas canvas(278, 252);
  HGDIOBJ pen = GetCurrentObject(canvas.dc.m_hDC, OBJ_PEN);
  HGDIOBJ brush = GetCurrentObject(canvas.dc.m_hDC, OBJ_BRUSH);
  window.view.paintPreview(&canvas.dc); // first paint makes what is kept for good
  DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  PROCESS_MEMORY_COUNTERS_EX before = {};
  before.cb = sizeof(before);
  K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&before),
                          sizeof(before));
  for (int i = 0; i < 1000; ++i) {
    window.view.paintPreview(&canvas.dc);
  }
  DWORD gdiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  PROCESS_MEMORY_COUNTERS_EX after = {};
  after.cb = sizeof(after);
  K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&after),
                          sizeof(after));
  EXPECT_EQ(gdiAfter, gdiBefore) << "GDI objects left behind by 1000 paints";
  EXPECT_LT(after.PrivateUsage, before.PrivateUsage + 64 * 1024)
      << "memory grew by " << (after.PrivateUsage - before.PrivateUsage) << " bytes";
  EXPECT_EQ(GetCurrentObject(canvas.dc.m_hDC, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(canvas.dc.m_hDC, OBJ_BRUSH), brush);
  EXPECT_EQ(window.view.m_pClipRgn, nullptr);
}

TEST_F(PaintCycle, wide_control_fits_height_and_centres)
{
  AcDbObjectId b = drawing.addBlock("SQ");
  drawing.add(b, new AcDbLine({0, 0, 0}, {10, 0, 0}), 7);
  drawing.add(b, new AcDbLine({10, 0, 0}, {10, 10, 0}), 7);
  drawing.add(b, new AcDbLine({10, 10, 0}, {0, 10, 0}), 7);
  drawing.add(b, new AcDbLine({0, 10, 0}, {0, 0, 0}), 7);
  PreviewWindow wide(400, 200);
  wide.view.setDatabase(&drawing.db);
  wide.view.setBlockName("SQ");
  DibCanvas canvas(400, 200);
  wide.view.paintPreview(&canvas.dc);
  RECT box;
  ASSERT_TRUE(canvas.litBox(box));
  EXPECT_NEAR(box.bottom - box.top, 180, 2) << "90 per cent of the height";
  EXPECT_NEAR(box.right - box.left, 180, 2) << "square stays square";
  EXPECT_NEAR((box.left + box.right) / 2, 200, 1) << "centred horizontally";
  EXPECT_EQ(canvas.pixel(box.left, 100), 0xFFFFFFu) << "drawn white";
}

TEST_F(PaintCycle, wm_paint_reaches_on_paint_through_the_message_map)
{
  lines({1});
  HWND hwnd = window.view.Detach();
  ASSERT_TRUE(window.view.SubclassWindow(hwnd));
  ShowWindow(hwnd, SW_SHOWNOACTIVATE); // hidden windows get no WM_PAINT
  window.view.m_color = 0x123456;
  window.view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(window.view.m_color, 0x0000FFu) << "the paint walked the red block";
  EXPECT_EQ(window.view.m_measuring, 0);
  EXPECT_EQ(window.view.m_scale, 4500.0);
}
