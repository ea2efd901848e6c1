// Hatches, viewports and multilines: where their points land.
#include "quillmark/view/PaintProbe.h"

#include "arx/db/AcDbHatch.h"
#include "arx/db/AcDbMline.h"
#include "arx/db/AcDbViewport.h"

#include <gtest/gtest.h>

TEST(OtherDrawers, hatch_pattern_lines_at_elevation)
{
  AcDbHatch hatch;
  hatch.setElevation(2.0);
  HatchPatternLine family; // horizontal lines 20 apart: one crosses the square
  family.base = AcGePoint2d(0.0, 0.5);
  family.offset = AcGeVector2d(0.0, 20.0);
  hatch.setPatternDefinition({family});
  HatchLoop square;
  square.isPolyline = true;
  square.vertices = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  hatch.appendLoop(square);
  CBlockView v;
  v.resetExtents();
  v.drawHatch(&hatch);
  EXPECT_EQ(v.m_extMin.z, 2.0) << "z is the elevation";

  DrawProbe probe;
  probe.view().drawHatch(&hatch);
  hatch.setSolidFill(true); // no pattern lines: nothing
  probe.view().drawHatch(&hatch);
  MetafileRecord r = probe.finish();
  ASSERT_EQ(r.segments.size(), 1u);
  EXPECT_TRUE(pointNear(r.segments[0].points[0], 0, 500));
  EXPECT_TRUE(pointNear(r.segments[0].points[1], 10000, 500));
}

// Pattern lines are made in the hatch's object coordinate system: the line
// from OCS (0, 0.5, 2) to (10, 0.5, 2) of the test above lands, for N = (0, 0, -1)
// (Ax = (-1, 0, 0), Ay = (0, 1, 0), a mirrored hatch), on (0, 0.5) to (-10, 0.5);
// for N = (1, 0, 0) (Ax = (0, 1, 0), Ay = (0, 0, 1): OCS (x, y, z) is world
// (z, x, y)), on (2, 0, 0.5) to (2, 10, 0.5).
TEST(OtherDrawers, hatch_lines_lie_in_the_plane_of_their_normal)
{
  const struct {
    AcGeVector3d normal;
    long x0, y0, x1, y1;
  } cases[] = {{{0, 0, -1}, 0, 500, -10000, 500}, {{1, 0, 0}, 2000, 0, 2000, 10000}};
  for (const auto& c : cases) {
    AcDbHatch hatch;
    hatch.setElevation(2.0);
    hatch.setNormal(c.normal);
    HatchPatternLine family;
    family.base = AcGePoint2d(0.0, 0.5);
    family.offset = AcGeVector2d(0.0, 20.0);
    hatch.setPatternDefinition({family});
    HatchLoop square;
    square.isPolyline = true;
    square.vertices = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    hatch.appendLoop(square);
    DrawProbe probe;
    probe.view().drawHatch(&hatch);
    MetafileRecord r = probe.finish();
    ASSERT_EQ(r.segments.size(), 1u) << c.normal.x << " " << c.normal.z;
    EXPECT_TRUE(pointNear(r.segments[0].points[0], c.x0, c.y0)) << c.normal.x << " " << c.normal.z;
    EXPECT_TRUE(pointNear(r.segments[0].points[1], c.x1, c.y1)) << c.normal.x << " " << c.normal.z;
  }
}

TEST(OtherDrawers, viewport_frame_and_multiline_path)
{
  AcDbViewport vp;
  vp.setCenterPoint({5, 5, 0});
  vp.setWidth(4);
  vp.setHeight(2);
  AcDbMline open, emptyClosed;
  for (AcGePoint3d p : {AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0), AcGePoint3d(10, 5, 0)})
    open.appendSeg(p);
  emptyClosed.setClosedMline(true);
  DrawProbe probe;
  probe.view().drawViewport(&vp);
  probe.view().drawMline(&open);
  probe.view().drawMline(&emptyClosed);
  MetafileRecord r = probe.finish();
  ASSERT_EQ(r.polylines.size(), 2u) << "a closed multiline without vertices draws nothing";
  const long frame[5][2] = {{3000, 4000}, {7000, 4000}, {7000, 6000}, {3000, 6000}, {3000, 4000}};
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(pointNear(r.polylines[0].points.at(i), frame[i][0], frame[i][1], 0)) << i;
  EXPECT_EQ(r.polylines[1].points.size(), 3u) << "an open multiline is not closed";
}
