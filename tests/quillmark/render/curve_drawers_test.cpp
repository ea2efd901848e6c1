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

// The one polyline that `draw` sends to GDI (scale 1000: logical = model * 1000).
template <class F> std::vector<POINT> drawnPolyline(F draw)
{
  DrawProbe probe;
  draw(probe.view());
  MetafileRecord r = probe.finish();
  EXPECT_EQ(r.polylines.size(), 1u);
  return r.polylines.empty() ? std::vector<POINT>() : r.polylines[0].points;
}

AcDbArc arc(AcGePoint3d c, double r, double start, double end, AcGeVector3d n = {0, 0, 1})
{
  AcDbArc a;
  a.setCenter(c);
  a.setRadius(r);
  a.setStartAngle(start);
  a.setEndAngle(end);
  a.setNormal(n);
  return a;
}

} // namespace

TEST(CircularArc, segment_counts_follow_sweep)
{
  struct Case {
    double start, end;
    size_t points;
    const char* what;
  } cases[] = {
      {0.0, kPi / 2, 10, "quarter"},
      {3 * kPi / 2, kPi / 2, 19, "through angle 0"},
      {0.0, 0.5235987755982988, 3, "pi/6: 2.9999999999999996 truncates"},
      {0.0, 0.1, 2, "under 10 degrees still one segment"},
  };
  for (const Case& c : cases) {
    AcDbArc a = arc({0, 0, 0}, 1.0, c.start, c.end);
    std::vector<POINT> p = drawnPolyline([&](CBlockView& v) { v.drawArc(&a); });
    EXPECT_EQ(p.size(), c.points) << c.what;
    if (!p.empty()) {
      EXPECT_TRUE(pointNear(p.front(), std::lround(1000 * std::cos(c.start)),
                            std::lround(1000 * std::sin(c.start))))
          << c.what;
      EXPECT_TRUE(pointNear(p.back(), std::lround(1000 * std::cos(c.end)),
                            std::lround(1000 * std::sin(c.end))))
          << c.what;
    }
  }
}

TEST(CircularArc, circle_has_37_points_and_closes)
{
  AcDbCircle circle({2, 3, 0}, {0, 0, 1}, 1.0);
  std::vector<POINT> p = drawnPolyline([&](CBlockView& v) { v.drawCircle(&circle); });
  ASSERT_EQ(p.size(), 37u);
  EXPECT_TRUE(pointNear(p.front(), 3000, 3000));
  EXPECT_TRUE(pointNear(p.back(), 3000, 3000));
  EXPECT_TRUE(pointNear(p[9], 2000, 4000)) << "a quarter of the way round";
}

TEST(CircularArc, mirrored_arc_is_drawn_where_the_drawing_has_it)
{
  // Normal (0, 0, -1): the object x axis is world -x, so the OCS quarter from
  // 0 to pi/2 lies in the world's second quadrant, from (-1, 0) round to (0, 1).
  AcDbArc a = arc({10, 0, 0}, 1.0, 0.0, kPi / 2, {0, 0, -1});
  std::vector<POINT> p = drawnPolyline([&](CBlockView& v) { v.drawArc(&a); });
  ASSERT_EQ(p.size(), 10u);
  for (const POINT& q : p) {
    EXPECT_LE(q.x, 10001) << "every point left of the centre, got " << pointText(q);
    EXPECT_GE(q.y, -1) << "every point above the centre, got " << pointText(q);
  }
  EXPECT_TRUE(pointNear(p.front(), 10000, 1000));
  EXPECT_TRUE(pointNear(p.back(), 9000, 0));
}

TEST(BulgeArc, half_and_quarter_circles)
{
  struct Case {
    double bulge;
    long midY;
  } cases[] = {{1.0, -5000}, {-1.0, 5000}};
  for (const Case& c : cases) {
    AcDbPolyline pl;
    pl.addVertexAt(0, {0, 0}, c.bulge);
    pl.addVertexAt(1, {10, 0}, 0.0);
    std::vector<POINT> p = drawnPolyline([&](CBlockView& v) { v.drawLightweightPolyline(&pl); });
    ASSERT_EQ(p.size(), 38u) << "37 arc points and the end vertex again, bulge " << c.bulge;
    EXPECT_TRUE(pointNear(p[0], 0, 0));
    EXPECT_TRUE(pointNear(p[18], 5000, c.midY)) << "bulge " << c.bulge;
    EXPECT_TRUE(pointNear(p[36], 10000, 0));
    EXPECT_TRUE(pointNear(p[37], 10000, 0));
  }

  PointBuffer out;
  appendBulgeArc(out, {0, 0, 2}, {10, 0, 2}, 0.41421356237309503, 36);
  ASSERT_EQ(out.count, 37);
  AcGePoint3d mid = out.pointAt(18); // the quarter circle about (5, 5), radius 7.07...
  EXPECT_NEAR(mid.x, 5.0, 1e-9);
  EXPECT_NEAR(mid.y, 5.0 - 7.0710678118654755, 1e-9);
  EXPECT_EQ(mid.z, 2.0) << "the centre takes the first vertex's z";
}

TEST(BulgeArc, closed_polyline_uses_last_bulge_and_open_ignores_it)
{
  AcDbPolyline pl;
  pl.addVertexAt(0, {0, 0}, 0.0);
  pl.addVertexAt(1, {10, 0}, 0.0);
  pl.addVertexAt(2, {10, 10}, 1.0);
  std::vector<POINT> open = drawnPolyline([&](CBlockView& v) { v.drawLightweightPolyline(&pl); });
  EXPECT_EQ(open.size(), 3u) << "the last bulge of an open polyline is not used";

  pl.setClosed(true);
  std::vector<POINT> p = drawnPolyline([&](CBlockView& v) { v.drawLightweightPolyline(&pl); });
  ASSERT_EQ(p.size(), 2u + 37u + 1u);
  EXPECT_TRUE(pointNear(p[2], 10000, 10000));
  // Counter-clockwise from (10, 10) to (0, 0) about (5, 5): through (0, 10).
  EXPECT_TRUE(pointNear(p[2 + 18], 0, 10000, 2));
  EXPECT_TRUE(pointNear(p.back(), 0, 0));
}

TEST(BulgeArc, mirrored_polyline_keeps_its_arcs_in_place)
{
  // Normal (0, 0, -1): OCS (0, 0) -> (10, 0) is world (0, 0) -> (-10, 0); the
  // counter-clockwise OCS half circle dips below the chord in the OCS, and the
  // mirror keeps it below in the world.
  AcDbPolyline pl;
  pl.setNormal({0, 0, -1});
  pl.addVertexAt(0, {0, 0}, 1.0);
  pl.addVertexAt(1, {10, 0}, 0.0);
  std::vector<POINT> p = drawnPolyline([&](CBlockView& v) { v.drawLightweightPolyline(&pl); });
  ASSERT_EQ(p.size(), 38u);
  EXPECT_TRUE(pointNear(p[0], 0, 0));
  EXPECT_TRUE(pointNear(p[18], -5000, -5000));
  EXPECT_TRUE(pointNear(p[36], -10000, 0));
}

TEST(Polylines, old_style_2d_polyline_is_straight_at_its_elevation)
{
  // Vertices open by id only in a database.
  TestDrawing d;
  AcDb2dPolyline* made = new AcDb2dPolyline;
  made->setElevation(5.0);
  made->appendVertex(new AcDb2dVertex({0, 0, 9}, 1.0));
  made->appendVertex(new AcDb2dVertex({4, 0, 9}, 1.0));
  made->appendVertex(new AcDb2dVertex({4, 3, 9}, 0.0));
  AcDbObjectId id = d.add(d.addBlock("P"), made);
  AcDb2dPolyline* opened = nullptr;
  ASSERT_EQ(acdbOpenObject(opened, id, AcDb::kForRead), Acad::eOk);
  AcDb2dPolyline& pl = *opened;
  CBlockView v;
  v.resetExtents();
  v.draw2dPolyline(&pl);
  EXPECT_EQ(v.m_extMin.z, 5.0);
  EXPECT_EQ(v.m_extMax.z, 5.0);
  std::vector<POINT> p = drawnPolyline([&](CBlockView& view) { view.draw2dPolyline(&pl); });
  ASSERT_EQ(p.size(), 3u) << "bulges of 2D polyline vertices are not drawn";
  EXPECT_TRUE(pointNear(p[2], 4000, 3000, 0));
  opened->close();
}

TEST(Polylines, spline_through_fit_points_else_control_points)
{
  AcDbSpline s;
  s.appendControlPoint({0, 0, 0});
  s.appendControlPoint({1, 2, 0});
  s.appendControlPoint({3, 2, 0});
  s.appendControlPoint({4, 0, 0});
  std::vector<POINT> p = drawnPolyline([&](CBlockView& v) { v.drawSpline(&s); });
  ASSERT_EQ(p.size(), 4u);
  EXPECT_TRUE(pointNear(p[1], 1000, 2000, 0));
  s.appendFitPoint({0, 0, 0});
  s.appendFitPoint({4, 0, 0});
  p = drawnPolyline([&](CBlockView& v) { v.drawSpline(&s); });
  ASSERT_EQ(p.size(), 2u);
  EXPECT_TRUE(pointNear(p[1], 4000, 0, 0));
}

TEST(Polylines, rectangle_keeps_max_z_only_at_third_corner)
{
  CBlockView v;
  v.resetExtents();
  v.drawRectangle({0, 0, 0}, {2, 1, 3});
  EXPECT_EQ(v.m_extMax.z, 3.0);
  std::vector<POINT> p = drawnPolyline([&](CBlockView& view) {
    view.drawRectangle({0, 0, 0}, {2, 1, 3});
  });
  ASSERT_EQ(p.size(), 5u);
  const long expected[5][2] = {{0, 0}, {2000, 0}, {2000, 1000}, {0, 1000}, {0, 0}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(pointNear(p[i], expected[i][0], expected[i][1], 0)) << "corner " << i;
  }
}
