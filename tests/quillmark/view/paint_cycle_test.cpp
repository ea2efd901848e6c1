// The paint cycle: background, measure pass, fit, mapping, pens and clean-up.
#include "PaintProbe.h"
#include "TestDrawing.h"

#include "arx/db/AcDbLine.h"
#include "arx/host/HostTestHooks.h"

#include "support/ProcessCounters.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

const COLORREF kRed = 0x0000FF, kBlue = 0xFF0000;

struct PaintCycle : ::testing::Test {
  // Block "B": a horizontal line of length 10 per colour index, one unit apart.
  PaintCycle& lines(std::initializer_list<int> colors)
  {
    AcDbObjectId b = drawing.addBlock("B");
    double y = 0;
    for (int c : colors) {
      drawing.add(b, new AcDbLine({0, y, 0}, {10, y, 0}), c);
      y += 1;
    }
    window.view.setDatabase(&drawing.db);
    window.view.setBlockName("B");
    return *this;
  }
  TestDrawing drawing;
  PreviewWindow window{278, 252};
};

} // namespace

TEST_F(PaintCycle, empty_name_paints_only_the_background)
{
  window.view.setDatabase(&drawing.db);
  MetafileRecord r = window.paint();
  EXPECT_EQ(r.brushes, std::vector<COLORREF>{0}) << "one black brush";
  EXPECT_TRUE(r.mapModes.empty() && r.pens.empty() && r.clipRegions == 0);
}

TEST_F(PaintCycle, isotropic_mapping_about_the_centre_with_one_pen)
{
  lines({3});
  window.view.m_color = 0x00FF00; // green, as a previous paint of green leaves it
  MetafileRecord r = window.paint();
  ASSERT_EQ(r.mapModes, std::vector<int>{MM_ISOTROPIC});
  ASSERT_EQ(r.windowExts.size() + r.viewportExts.size() + r.viewportOrgs.size(), 3u);
  EXPECT_EQ(r.windowExts[0].cx, 25000);
  EXPECT_EQ(r.windowExts[0].cy, 25000);
  EXPECT_EQ(r.viewportExts[0].cx, 139);
  EXPECT_EQ(r.viewportExts[0].cy, -126) << "logical y grows upward";
  EXPECT_TRUE(pointNear(r.viewportOrgs[0], 139, 126, 0));
  EXPECT_EQ(r.clipRegions, 1);
  EXPECT_EQ(r.pens, std::vector<COLORREF>{0x00FF00}) << "one colour: beginDraw's pen only";
  ASSERT_EQ(r.segments.size(), 1u);
  EXPECT_TRUE(pointNear(r.segments[0].points[0], -22500, 0, 0));
  EXPECT_TRUE(pointNear(r.segments[0].points[1], 22500, 0, 0));
}

TEST_F(PaintCycle, pens_change_only_with_colour)
{
  // The measure pass ends on blue, so the first pen is blue; the first red line
  // replaces it, the first blue line replaces that.
  MetafileRecord r = lines({1, 1, 5, 5}).window.paint();
  EXPECT_EQ(r.pens, (std::vector<COLORREF>{kBlue, kRed, kBlue}));
  EXPECT_EQ(r.brushes.size(), 4u) << "the background's and one per pen";
  ASSERT_EQ(r.segments.size(), 4u);
  EXPECT_EQ(r.segments[1].pen, kRed);
  EXPECT_EQ(r.segments[2].pen, kBlue);
}

TEST_F(PaintCycle, unknown_block_is_looked_up_once_per_pass)
{
  window.view.setDatabase(&drawing.db);
  window.view.setBlockName("NOSUCH");
  hostCaptureOutput(true);
  MetafileRecord r = window.paint();
  EXPECT_EQ(hostTakeOutput(),
            "\nUnknown error in block \"NOSUCH\".\n\nUnknown error in block \"NOSUCH\".\n");
  hostCaptureOutput(false);
  EXPECT_TRUE(r.allPoints().empty());
}

TEST_F(PaintCycle, thousand_paints_leave_nothing_behind)
{
  lines({1, 2, 3, 4});
  DibCanvas canvas(278, 252);
  HGDIOBJ pen = GetCurrentObject(canvas.dc.m_hDC, OBJ_PEN);
  HGDIOBJ brush = GetCurrentObject(canvas.dc.m_hDC, OBJ_BRUSH);
  window.view.paintPreview(&canvas.dc); // the first paint makes what lives for good
  int gdi = counters::gdiObjectCount();
  size_t heap = counters::heapBytesInUse();
  size_t committed = counters::privateCommittedBytes();
  for (int i = 0; i < 1000; ++i)
    window.view.paintPreview(&canvas.dc);
  EXPECT_EQ(counters::gdiObjectCount(), gdi) << "GDI objects left";
  // A leak of even 16 bytes a paint would show as 16,000.
  EXPECT_LT(counters::heapBytesInUse(), heap + 4096) << "heap blocks left";
  EXPECT_LT(counters::privateCommittedBytes(), committed + 1024 * 1024) << "memory grew";
  EXPECT_EQ(GetCurrentObject(canvas.dc.m_hDC, OBJ_PEN), pen) << "the DC's own pen is back";
  EXPECT_EQ(GetCurrentObject(canvas.dc.m_hDC, OBJ_BRUSH), brush);
  EXPECT_EQ(window.view.m_pClipRgn, nullptr);
}

// The counters above must see what a leaking paint would leave: GDI objects,
// small heap blocks and large allocations.
TEST(ProcessCounters, counters_see_a_deliberate_leak)
{
  int gdi = counters::gdiObjectCount();
  ASSERT_GT(gdi, 0) << "no GDI handle table";
  HPEN pens[5];
  for (HPEN& pen : pens)
    pen = CreatePen(PS_SOLID, 0, 0x123456);
  HBRUSH brush = CreateSolidBrush(0x654321);
  EXPECT_EQ(counters::gdiObjectCount(), gdi + 6);
  for (HPEN pen : pens)
    DeleteObject(pen);
  DeleteObject(brush);
  EXPECT_EQ(counters::gdiObjectCount(), gdi);

  std::vector<char*> small;
  small.reserve(1000);
  size_t heap = counters::heapBytesInUse();
  for (int i = 0; i < 1000; ++i)
    small.push_back(new char[16]);
  EXPECT_GE(counters::heapBytesInUse(), heap + 16000);
  for (char* p : small)
    delete[] p;
  EXPECT_LT(counters::heapBytesInUse(), heap + 4096);

  size_t committed = counters::privateCommittedBytes();
  std::vector<char> large(8 * 1024 * 1024, 1);
  EXPECT_GE(counters::privateCommittedBytes(), committed + large.size());
}

TEST_F(PaintCycle, wide_control_fits_the_height_and_centres)
{
  AcDbObjectId b = drawing.addBlock("SQ"); // a 10 x 10 square
  drawing.add(b, new AcDbLine({0, 0, 0}, {0, 10, 0}));
  drawing.add(b, new AcDbLine({10, 10, 0}, {10, 0, 0}));
  PreviewWindow wide(400, 200);
  wide.view.setDatabase(&drawing.db);
  wide.view.setBlockName("SQ");
  DibCanvas canvas(400, 200);
  wide.view.paintPreview(&canvas.dc);
  RECT box;
  ASSERT_TRUE(canvas.litBox(box));
  EXPECT_NEAR(box.bottom - box.top, 180, 2) << "90 per cent of the height";
  EXPECT_NEAR(box.right - box.left, 180, 2) << "square stays square";
  EXPECT_NEAR((box.left + box.right) / 2, 200, 1) << "centred";
}

TEST_F(PaintCycle, wm_paint_reaches_on_paint_through_the_message_map)
{
  lines({1});
  HWND hwnd = window.view.Detach();
  ASSERT_TRUE(window.view.SubclassWindow(hwnd));
  ShowWindow(hwnd, SW_SHOWNOACTIVATE); // a hidden window gets no WM_PAINT
  window.view.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(window.view.m_color, kRed) << "the paint walked the red block";
  EXPECT_EQ(window.view.m_scale, 4500.0);
}
