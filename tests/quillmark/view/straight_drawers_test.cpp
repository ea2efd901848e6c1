// Primitives and the straight-edged drawers, in both passes.
#include "PaintProbe.h"

#include "arx/db/AcDbFace.h"
#include "arx/db/AcDbPoint.h"
#include "arx/db/AcDbRay.h"
#include "arx/db/AcDbSolid.h"
#include "arx/db/AcDbXline.h"
#include "quillmark/render/PointBuffer.h"

#include <gtest/gtest.h>

TEST(Primitives, measure_and_draw_passes)
{
  CBlockView v;
  v.resetExtents();
  PointBuffer one;
  one.append({2, 3, 4});
  v.drawPolyline(one);
  EXPECT_EQ(v.m_extMax.z, 4.0) << "a single point is measured";
  v.drawSegment({-1, 5, 0}, {7, -2, 1});
  EXPECT_EQ(v.m_extMin.x, -1.0);
  EXPECT_EQ(v.m_extMin.y, -2.0);
  EXPECT_EQ(v.m_extMax.x, 7.0);
  EXPECT_EQ(v.m_extMax.y, 5.0);

  DrawProbe probe;
  probe.view().m_color = 0x00AB12;
  probe.view().drawPolyline(PointBuffer());
  probe.view().drawPolyline(one);
  PointBuffer two;
  two.append({1, 1, 0}).append({2, 0.5, 0});
  probe.view().drawPolyline(two);
  AcDbPoint point({1.5, -2.25, 0});
  probe.view().drawPoint(&point);
  MetafileRecord r = probe.finish();
  ASSERT_EQ(r.polylines.size(), 1u) << "empty and one-point polylines draw nothing";
  EXPECT_TRUE(pointNear(r.polylines[0].points[1], 2000, 500, 0));
  ASSERT_EQ(r.pixels.size(), 1u) << "a point is one pixel";
  EXPECT_TRUE(pointNear(r.pixels[0].points[0], 1500, -2250, 0));
  EXPECT_EQ(r.pixels[0].pen, 0x00AB12u) << "in m_color";
}

TEST(StraightDrawers, face_draws_and_measures_visible_edges_only)
{
  AcDbFace face;
  const AcGePoint3d corners[4] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 0}}; // 3 repeats 2
  for (Adesk::UInt16 i = 0; i < 4; ++i)
    face.setVertexAt(i, corners[i]);
  face.makeEdgeInvisibleAt(1);
  DrawProbe probe;
  probe.view().drawFace(&face);
  MetafileRecord r = probe.finish();
  ASSERT_EQ(r.segments.size(), 3u) << "edges 0, 2 and 3";
  EXPECT_TRUE(pointNear(r.segments[1].points[1], 1000, 1000, 0)) << "zero-length edge 2";
  EXPECT_TRUE(pointNear(r.segments[2].points[1], 0, 0, 0)) << "edge 3 closes to corner 0";

  for (Adesk::UInt16 i = 0; i < 4; ++i)
    face.makeEdgeInvisibleAt(i);
  CBlockView v;
  v.resetExtents();
  v.drawFace(&face);
  EXPECT_EQ(v.m_extMin.x, 1e30) << "invisible edges are not measured";
}

TEST(StraightDrawers, solid_fills_in_order_0_1_3_2)
{
  AcDbSolid solid;
  const AcGePoint3d corners[4] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
  for (Adesk::UInt16 i = 0; i < 4; ++i)
    solid.setPointAt(i, corners[i]);
  DrawProbe probe;
  probe.view().drawSolid(&solid);
  MetafileRecord r = probe.finish();
  ASSERT_EQ(r.polygons.size(), 1u);
  const long square[4][2] = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}}; // not crossed
  for (int i = 0; i < 4; ++i)
    EXPECT_TRUE(pointNear(r.polygons[0].points.at(i), square[i][0], square[i][1], 0)) << i;
  EXPECT_EQ(r.polyFillModes, std::vector<int>{WINDING});
}

TEST(StraightDrawers, rays_and_xlines_are_drawn_but_not_measured)
{
  AcDbRay ray;
  ray.setBasePoint({1, 2, 0});
  ray.setUnitDir({0, 1, 0});
  AcDbXline xline;
  xline.setUnitDir({1, 0, 0});
  CBlockView v;
  v.resetExtents();
  v.drawRay(&ray);
  v.drawXline(&xline);
  EXPECT_EQ(v.m_extMin.x, 1e30) << "not even the base point";

  DrawProbe probe(1.0);
  probe.view().drawRay(&ray);
  probe.view().drawXline(&xline);
  MetafileRecord r = probe.finish();
  ASSERT_EQ(r.segments.size(), 2u);
  EXPECT_TRUE(pointNear(r.segments[0].points[1], 1, 65537, 0));
  EXPECT_TRUE(pointNear(r.segments[1].points[0], -65535, 0, 0));
  EXPECT_TRUE(pointNear(r.segments[1].points[1], 65535, 0, 0));
}

// GDI takes logical coordinates within +-(2^27 - 1) = 134217727. Far ends beyond
// it are cut where the segment crosses that edge; the expected crossings are
// worked out from the slope, tan 30 degrees = 0.57735026918962576.
TEST(StraightDrawers, far_ends_are_clipped_keeping_their_direction)
{
  const double cos30 = 0.86602540378443865, sin30 = 0.5;
  AcDbRay ray; // from the origin at 30 degrees
  ray.setUnitDir({cos30, sin30, 0});
  AcDbXline xline; // through (1, 1) at 30 degrees
  xline.setBasePoint({1, 1, 0});
  xline.setUnitDir({cos30, sin30, 0});
  DrawProbe probe(10000.0); // 65535 * 10000 is far beyond the range
  probe.view().drawRay(&ray);
  probe.view().drawXline(&xline);
  probe.view().drawSegment({3e5, 0, 0}, {3e5, 1, 0}); // wholly beyond: nothing
  MetafileRecord r = probe.finish();
  EXPECT_EQ(r.segments.size(), 2u) << "a segment wholly beyond the range draws nothing";
  ASSERT_GE(r.segments.size(), 2u);
  // 134217727 * tan 30 = 77490640.8: not (134217727, 134217727), a 45 degree line.
  EXPECT_TRUE(pointNear(r.segments[0].points[0], 0, 0, 0));
  EXPECT_TRUE(pointNear(r.segments[0].points[1], 134217727, 77490640, 2));
  // Through logical (10000, 10000): y = 10000 + (x - 10000) tan 30 at x = -+134217727.
  EXPECT_TRUE(pointNear(r.segments[1].points[0], -134217727, -77486414, 2));
  EXPECT_TRUE(pointNear(r.segments[1].points[1], 134217727, 77494867, 2));

  // A polyline out to (1e9, 5e8) and back to (0, 1e6) at scale 1000: the first
  // edge is cut at x = 134217727, y = 67108863.5; the second comes back in at
  // x = 134217727, t = (1e9 - 134217727) / 1e9 along it, y = 5e8 - t * 4.99e8.
  DrawProbe wide(1000.0);
  PointBuffer out;
  out.append({0, 0, 0}).append({1e6, 5e5, 0}).append({0, 1000, 0});
  wide.view().drawPolyline(out);
  MetafileRecord f = wide.finish();
  ASSERT_EQ(f.polylines.size(), 2u) << "two pieces, one each side of the far point";
  ASSERT_EQ(f.polylines[0].points.size(), 2u);
  EXPECT_TRUE(pointNear(f.polylines[0].points[0], 0, 0, 0));
  EXPECT_TRUE(pointNear(f.polylines[0].points[1], 134217727, 67108863, 1));
  ASSERT_EQ(f.polylines[1].points.size(), 2u);
  EXPECT_TRUE(pointNear(f.polylines[1].points[0], 134217727, 67974645, 1));
  EXPECT_TRUE(pointNear(f.polylines[1].points[1], 0, 1000000, 0));
}
