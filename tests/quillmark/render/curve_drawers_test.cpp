// Arcs, circles, bulges and polylines reach GDI as one polyline each, with the
// point counts and positions the drawing holds.
#include "quillmark/view/PaintProbe.h"
#include "quillmark/view/TestDrawing.h"

#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDbArc.h"
#include "arx/db/AcDbCircle.h"
#include "arx/db/AcDbPolyline.h"
#include "arx/db/AcDbSpline.h"
#include "quillmark/render/BulgeArc.h"
#include "quillmark/render/PointBuffer.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

const double kPi = 3.141592653589793;

// The one polyline that `draw` sends to GDI (logical = model * 1000).
template <class F> std::vector<POINT> drawn(F draw)
{
  DrawProbe probe;
  draw(probe.view());
  MetafileRecord r = probe.finish();
  EXPECT_EQ(r.polylines.size(), 1u);
  return r.polylines.empty() ? std::vector<POINT>() : r.polylines[0].points;
}

std::vector<POINT> drawnArc(double start, double end, AcGeVector3d normal = {0, 0, 1})
{
  AcDbArc a;
  a.setCenter({10, 0, 0});
  a.setRadius(1.0);
  a.setStartAngle(start);
  a.setEndAngle(end);
  a.setNormal(normal);
  return drawn([&](CBlockView& v) { v.drawArc(&a); });
}

std::vector<POINT> drawnPolyline(AcDbPolyline& pl)
{
  return drawn([&](CBlockView& v) { v.drawLightweightPolyline(&pl); });
}

} // namespace

TEST(Curves, arc_and_circle_point_counts)
{
  std::vector<POINT> quarter = drawnArc(0.0, kPi / 2);
  ASSERT_EQ(quarter.size(), 10u);
  EXPECT_TRUE(pointNear(quarter.front(), 11000, 0));
  EXPECT_TRUE(pointNear(quarter.back(), 10000, 1000));
  EXPECT_EQ(drawnArc(3 * kPi / 2, kPi / 2).size(), 19u) << "through angle 0";
  EXPECT_EQ(drawnArc(0.0, 0.5235987755982988).size(), 3u) << "pi/6 truncates 2.9999...";
  EXPECT_EQ(drawnArc(0.0, 0.1).size(), 2u) << "under 10 degrees: still one segment";

  AcDbCircle circle({2, 3, 0}, {0, 0, 1}, 1.0);
  std::vector<POINT> p = drawn([&](CBlockView& v) { v.drawCircle(&circle); });
  ASSERT_EQ(p.size(), 37u);
  EXPECT_TRUE(pointNear(p.front(), 3000, 3000));
  EXPECT_TRUE(pointNear(p[9], 2000, 4000)) << "a quarter of the way round";
  EXPECT_TRUE(pointNear(p.back(), 3000, 3000));
}

// Writers store full circles as arcs of a whole turn, often 20 to 380 degrees:
// such an arc is the whole circle, from and back to its start angle. On the
// unit circle about (10, 0), 20 degrees is (10.9397, 0.3420) and 110 degrees,
// nine segments on, is (9.6580, 0.9397).
TEST(Curves, an_arc_of_whole_turns_is_a_circle)
{
  const double degree = kPi / 180.0;
  const double turns[][2] = {{20, 380}, {20, 740}, {380, 20}};
  for (const auto& t : turns) {
    std::vector<POINT> p = drawnArc(t[0] * degree, t[1] * degree);
    ASSERT_EQ(p.size(), 37u) << t[0] << " to " << t[1] << " degrees";
    EXPECT_TRUE(pointNear(p.front(), 10939, 342)) << t[0] << " to " << t[1];
    EXPECT_TRUE(pointNear(p[9], 9657, 939)) << t[0] << " to " << t[1];
    EXPECT_TRUE(pointNear(p.back(), 10939, 342)) << t[0] << " to " << t[1];
  }
  std::vector<POINT> most = drawnArc(20 * degree, 400 * degree);
  EXPECT_EQ(most.size(), 3u) << "380 degrees is 20 degrees round: two segments";
}

// Arcs and circles are made in their object coordinate system (OCS) and taken
// to world coordinates by the arbitrary-axis algorithm; the preview shows x and
// y. Worked out by hand: Ax = Wy x N when |Nx| and |Ny| are under 1/64, else
// Wz x N, and Ay = N x Ax; a world point P has the OCS coordinates
// (P.Ax, P.Ay, P.N).
TEST(Curves, arcs_and_circles_lie_in_the_plane_of_their_normal)
{
  // N = (0, 0, -1): Ax = (-1, 0, 0), Ay = (0, 1, 0). The centre (10, 0, 0) is
  // (-10, 0, 0) in the OCS; the OCS angle a lands on (10 - cos a, sin a): the
  // quarter from 0 to pi/2 runs from (9, 0) up to (10, 1).
  std::vector<POINT> p = drawnArc(0.0, kPi / 2, {0, 0, -1});
  ASSERT_EQ(p.size(), 10u);
  for (const POINT& q : p)
    EXPECT_TRUE(q.x <= 10001 && q.y >= -1) << "point outside the second quadrant";
  EXPECT_TRUE(pointNear(p.front(), 9000, 0));
  EXPECT_TRUE(pointNear(p.back(), 10000, 1000));

  // N = (1, 0, 0): Ax = (0, 1, 0), Ay = (0, 0, 1). The centre (10, 0, 0) is
  // (0, 0, 10) in the OCS; angle a lands on (10, cos a, sin a): seen from above,
  // the quarter is the line x = 10 from y = 1 down to y = 0.
  p = drawnArc(0.0, kPi / 2, {1, 0, 0});
  ASSERT_EQ(p.size(), 10u);
  for (const POINT& q : p)
    EXPECT_NEAR(q.x, 10000, 1) << "a plane standing on the x = 10 line";
  EXPECT_TRUE(pointNear(p.front(), 10000, 1000));
  EXPECT_TRUE(pointNear(p.back(), 10000, 0));
  AcDbArc standing;
  standing.setCenter({10, 0, 0});
  standing.setRadius(1.0);
  standing.setEndAngle(kPi / 2);
  standing.setNormal({1, 0, 0});
  CBlockView v;
  v.resetExtents();
  v.drawArc(&standing);
  EXPECT_NEAR(v.m_extMax.z, 1.0, 1e-12) << "measured in world coordinates: z = sin a";

  // N = (0, 1, 0): Ax = (-1, 0, 0), Ay = (0, 0, 1). The centre (0, 3, 0) is
  // (0, 0, 3) in the OCS; angle a lands on (-cos a, 3, sin a): the line y = 3
  // from x = -1 through x = 0 (a = pi/2) to x = 1 (a = pi) and back.
  AcDbCircle upright({0, 3, 0}, {0, 1, 0}, 1.0);
  p = drawn([&](CBlockView& view) { view.drawCircle(&upright); });
  ASSERT_EQ(p.size(), 37u);
  EXPECT_TRUE(pointNear(p[0], -1000, 3000));
  EXPECT_TRUE(pointNear(p[9], 0, 3000));
  EXPECT_TRUE(pointNear(p[18], 1000, 3000));
  EXPECT_TRUE(pointNear(p[27], 0, 3000));
}

TEST(Curves, bulges_of_lightweight_polylines)
{
  for (double bulge : {1.0, -1.0}) {
    AcDbPolyline pl;
    pl.addVertexAt(0, {0, 0}, bulge);
    pl.addVertexAt(1, {10, 0}, 0.0);
    std::vector<POINT> p = drawnPolyline(pl);
    ASSERT_EQ(p.size(), 38u) << "37 arc points and the end vertex again";
    EXPECT_TRUE(pointNear(p[18], 5000, bulge > 0 ? -5000 : 5000)) << "bulge " << bulge;
    EXPECT_TRUE(pointNear(p[36], 10000, 0));
  }

  PointBuffer out; // a quarter circle about (5, 5)
  appendBulgeArc(out, {0, 0, 2}, {10, 0, 2}, 0.41421356237309503, 36);
  ASSERT_EQ(out.count, 37);
  EXPECT_NEAR(out.pointAt(18).y, 5.0 - 7.0710678118654755, 1e-9);
  EXPECT_EQ(out.pointAt(18).z, 2.0) << "the centre takes the first vertex's z";

  AcDbPolyline pl;
  pl.addVertexAt(0, {0, 0}, 0.0);
  pl.addVertexAt(1, {10, 0}, 0.0);
  pl.addVertexAt(2, {10, 10}, 1.0);
  EXPECT_EQ(drawnPolyline(pl).size(), 3u) << "an open polyline ignores its last bulge";
  pl.setClosed(true);
  std::vector<POINT> p = drawnPolyline(pl);
  ASSERT_EQ(p.size(), 2u + 37u + 1u);
  EXPECT_TRUE(pointNear(p[20], 0, 10000, 2)) << "half circle from (10, 10) round to (0, 0)";
  EXPECT_TRUE(pointNear(p.back(), 0, 0));

  // Normal (0, 0, -1): the OCS x is world -x; the half circle below the
  // OCS chord (0, 0)-(10, 0) passes (5, -5), which is world (-5, -5).
  AcDbPolyline mirrored;
  mirrored.setNormal({0, 0, -1});
  mirrored.addVertexAt(0, {0, 0}, 1.0);
  mirrored.addVertexAt(1, {10, 0}, 0.0);
  p = drawnPolyline(mirrored);
  ASSERT_EQ(p.size(), 38u);
  EXPECT_TRUE(pointNear(p[18], -5000, -5000));
  EXPECT_TRUE(pointNear(p[36], -10000, 0));

  // A tilted normal N = (0, -0.6, 0.8): Ax = Wz x N = (0.6, 0, 0), made unit
  // (1, 0, 0); Ay = N x Ax = (0, 0.8, 0.6). The OCS point (x, y, e) is world
  // x Ax + y Ay + e N. At elevation 5 the chord (0, 0)-(10, 0) runs from world
  // (0, -3, 4) to (10, -3, 4), and the arc's middle, OCS (5, -5, 5), is world
  // (5, -4 - 3, -3 + 4) = (5, -7, 1).
  AcDbPolyline tilted;
  tilted.setNormal({0, -0.6, 0.8});
  tilted.setElevation(5.0);
  tilted.addVertexAt(0, {0, 0}, 1.0);
  tilted.addVertexAt(1, {10, 0}, 0.0);
  p = drawnPolyline(tilted);
  ASSERT_EQ(p.size(), 38u);
  EXPECT_TRUE(pointNear(p[0], 0, -3000));
  EXPECT_TRUE(pointNear(p[18], 5000, -7000));
  EXPECT_TRUE(pointNear(p[36], 10000, -3000));
}

// The drawers reuse their storage from one entity to the next within a pass:
// nothing of a long path may show in the shorter shapes drawn after it.
TEST(Curves, shapes_drawn_one_after_another_keep_their_own_points)
{
  AcDbPolyline longPath;
  for (unsigned int i = 0; i < 12; ++i)
    longPath.addVertexAt(i, {static_cast<double>(i), static_cast<double>(i % 2)}, 0.5);
  AcDbPolyline shortPath;
  shortPath.addVertexAt(0, {0, 0}, 0.0);
  shortPath.addVertexAt(1, {3, 0}, 0.0);
  AcDbCircle circle({2, 3, 0}, {0, 0, 1}, 1.0);
  DrawProbe probe;
  for (int pass = 0; pass < 2; ++pass) {
    probe.view().drawLightweightPolyline(&longPath);
    probe.view().drawLightweightPolyline(&shortPath);
    probe.view().drawCircle(&circle);
  }
  MetafileRecord r = probe.finish();
  ASSERT_EQ(r.polylines.size(), 6u);
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(r.polylines[3 * pass].points.size(), 11u * 37u + 1u) << "pass " << pass;
    ASSERT_EQ(r.polylines[3 * pass + 1].points.size(), 2u) << "pass " << pass;
    EXPECT_TRUE(pointNear(r.polylines[3 * pass + 1].points[1], 3000, 0));
    ASSERT_EQ(r.polylines[3 * pass + 2].points.size(), 37u) << "pass " << pass;
    EXPECT_TRUE(pointNear(r.polylines[3 * pass + 2].points[9], 2000, 4000));
  }
}

TEST(Curves, old_style_polyline_spline_and_rectangle)
{
  TestDrawing d; // vertices open by id only in a database
  AcDb2dPolyline* made = new AcDb2dPolyline;
  made->setElevation(5.0);
  for (AcGePoint3d v : {AcGePoint3d(0, 0, 9), AcGePoint3d(4, 0, 9), AcGePoint3d(4, 3, 9)})
    made->appendVertex(new AcDb2dVertex(v, 1.0));
  AcDb2dPolyline* pl = nullptr;
  ASSERT_EQ(acdbOpenObject(pl, d.add(d.addBlock("P"), made), AcDb::kForRead), Acad::eOk);
  CBlockView v;
  v.resetExtents();
  v.draw2dPolyline(pl);
  EXPECT_EQ(v.m_extMax.z, 5.0) << "every vertex at the elevation";
  EXPECT_EQ(drawn([&](CBlockView& view) { view.draw2dPolyline(pl); }).size(), 3u)
      << "vertex bulges are not drawn";
  pl->close();

  AcDbSpline s;
  for (AcGePoint3d c : {AcGePoint3d(0, 0, 0), AcGePoint3d(1, 2, 0), AcGePoint3d(4, 0, 0)})
    s.appendControlPoint(c);
  EXPECT_TRUE(pointNear(drawn([&](CBlockView& view) { view.drawSpline(&s); }).at(1), 1000, 2000));
  s.appendFitPoint({0, 0, 0});
  s.appendFitPoint({4, 0, 0});
  EXPECT_EQ(drawn([&](CBlockView& view) { view.drawSpline(&s); }).size(), 2u) << "fit points";

  v.resetExtents();
  v.drawRectangle({0, 0, 0}, {2, 1, 3});
  EXPECT_EQ(v.m_extMax.z, 3.0);
  std::vector<POINT> p = drawn([&](CBlockView& view) { view.drawRectangle({0, 0, 0}, {2, 1, 3}); });
  const long corners[5][2] = {{0, 0}, {2000, 0}, {2000, 1000}, {0, 1000}, {0, 0}};
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(pointNear(p.at(i), corners[i][0], corners[i][1], 0)) << "corner " << i;
}
