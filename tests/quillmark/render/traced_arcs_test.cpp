// The draw pass follows arcs by rotation and places exactly only the vertices whose
// logical point rounding could decide; the measure pass leaves out arcs that cannot
// widen the extents. Both must give what the plain way gives, bit for bit: every vertex
// placed with polarPoint and taken through toView and the truncation. Checked here on
// many random arcs and maps, and on arcs made so that their vertices land on or next to
// whole logical units, where only the exact way can tell.
#include "quillmark/render/ArcTrace.h"
#include "quillmark/render/BulgeArc.h"
#include "quillmark/render/PointBuffer.h"
#include "quillmark/render/PolarPoint.h"
#include "quillmark/view/CBlockView.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

const double kPi = 3.141592653589793;

// The draw pass's transform of a view: m_xform, m_offset, m_scale and the origin.
struct ViewMap {
  double m[4][4];
  AcGePoint3d offset;
  double scale, originX, originY;
};

ViewMap identityMap(double scale, double originX, double originY)
{
  ViewMap v = {
      {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}, {0, 0, 0}, scale, originX, originY};
  return v;
}

void setUp(CBlockView& view, const ViewMap& map, int measuring)
{
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      view.m_xform.entry[i][j] = map.m[i][j];
  view.m_offset = map.offset;
  view.m_scale = map.scale;
  view.m_originX = map.originX;
  view.m_originY = map.originY;
  view.m_measuring = measuring;
}

// The plain way: each vertex from polarPoint, its angle a sum of steps. False when a
// vertex lies beyond the logical range.
bool plainPoints(CBlockView& view, const std::vector<AcGePoint3d>& vertices,
                 std::vector<POINT>& out)
{
  out.assign(vertices.size(), POINT{0, 0});
  for (size_t k = 0; k < vertices.size(); ++k)
    if (!view.placeExactly(vertices[k], out[k]))
      return false;
  return true;
}

std::vector<AcGePoint3d> arcVertices(AcGePoint3d center, double r, double start, double step, int n)
{
  std::vector<AcGePoint3d> v;
  double angle = start;
  for (int k = 0; k <= n; ++k, angle += step)
    v.push_back(polarPoint(center, angle, r));
  return v;
}

std::vector<AcGePoint3d> bulgeVertices(AcGePoint3d p1, AcGePoint3d p2, double bulge)
{
  PointBuffer buffer;
  appendBulgeArc(buffer, p1, p2, bulge, 36);
  return std::vector<AcGePoint3d>(buffer.data, buffer.data + buffer.count);
}

// The traced points against the plain ones: the same points, or both ways beyond the range.
::testing::AssertionResult tracesAsPlain(CBlockView& view, const ArcTrace& trace,
                                         const std::vector<AcGePoint3d>& vertices)
{
  std::vector<POINT> plain, traced(vertices.size(), POINT{-7, -7});
  bool plainOk = plainPoints(view, vertices, plain);
  if (static_cast<int>(vertices.size()) != trace.n + 1)
    return ::testing::AssertionFailure()
           << "trace of " << trace.n + 1 << " vertices, plain " << vertices.size();
  bool tracedOk = view.traceArc(trace, traced.data());
  if (plainOk != tracedOk)
    return ::testing::AssertionFailure()
           << "plain way in range: " << plainOk << ", traced: " << tracedOk;
  if (!plainOk)
    return ::testing::AssertionSuccess();
  for (size_t k = 0; k < vertices.size(); ++k)
    if (plain[k].x != traced[k].x || plain[k].y != traced[k].y)
      return ::testing::AssertionFailure()
             << "vertex " << k << ": expected (" << plain[k].x << ", " << plain[k].y << "), got ("
             << traced[k].x << ", " << traced[k].y << ") for the arc about (" << trace.center.x
             << ", " << trace.center.y << ") radius " << trace.radius;
  return ::testing::AssertionSuccess();
}

// A map as a block reference and the fit make it: turned, unevenly scaled, maybe
// mirrored, moved; an offset as a multiple insert's cell has; a scale and origin as the
// fit of a block of the given size gives.
ViewMap randomMap(std::mt19937& random, double blockSize)
{
  auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  double turn = uniform(0, 2 * kPi);
  double sx = uniform(0.2, 5) * (random() % 4 == 0 ? -1 : 1);
  double sy = uniform(0.2, 5);
  ViewMap v = identityMap(1, 0, 0);
  v.m[0][0] = std::cos(turn) * sx;
  v.m[0][1] = -std::sin(turn) * sy;
  v.m[1][0] = std::sin(turn) * sx;
  v.m[1][1] = std::cos(turn) * sy;
  v.m[0][3] = uniform(-1e4, 1e4);
  v.m[1][3] = uniform(-1e4, 1e4);
  v.m[2][3] = uniform(-5, 5);
  v.offset = AcGePoint3d(uniform(-100, 100), uniform(-100, 100), 0);
  v.scale = 45000.0 / (blockSize * uniform(1, 10));
  v.originX = uniform(-1e4, 1e4) * v.scale;
  v.originY = uniform(-1e4, 1e4) * v.scale;
  return v;
}

} // namespace

TEST(TracedArcs, random_arcs_and_bulges_land_where_the_plain_way_puts_them)
{
  std::mt19937 random(20261208);
  auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  CBlockView view;
  long long vertices = 0;
  long long before = view.m_tracedExactly;
  for (int i = 0; i < 4000; ++i) {
    setUp(view, randomMap(random, 1e4), 0);
    for (int j = 0; j < 5; ++j) {
      AcGePoint3d c(uniform(-1e4, 1e4), uniform(-1e4, 1e4), uniform(-3, 3));
      double r = std::exp(uniform(std::log(0.01), std::log(500)));
      double start = uniform(0, 2 * kPi);
      int n = 1 + static_cast<int>(uniform(0, 36));
      double step = uniform(0.01, 2 * kPi) / n;
      ASSERT_TRUE(tracesAsPlain(view, circularArcTrace(c, r, start, step, n),
                                arcVertices(c, r, start, step, n)));
      vertices += n + 1;
      AcGePoint3d p1(uniform(-1e4, 1e4), uniform(-1e4, 1e4), c.z);
      AcGePoint3d p2(p1.x + uniform(-60, 60), p1.y + uniform(-60, 60), c.z);
      double bulge = j == 0 ? uniform(-30, 30) : std::tan(uniform(-kPi / 2, kPi / 2) / 1.01);
      ASSERT_TRUE(
          tracesAsPlain(view, bulgeArcTrace(p1, p2, bulge, 36), bulgeVertices(p1, p2, bulge)));
      vertices += 37;
    }
  }
  // The rotation settles nearly every vertex by itself.
  EXPECT_LT(view.m_tracedExactly - before, vertices / 1000) << "of " << vertices;
}

TEST(TracedArcs, vertices_on_whole_logical_units_are_placed_the_exact_way)
{
  // Whole-unit centres and radii at scales of powers of two and the angles of the
  // tessellation: many vertices land exactly on a whole unit or a hair either side
  // (cos 60 degrees is 0.5000000000000001), where only the exact value truncates right.
  CBlockView view;
  long long before = view.m_tracedExactly;
  const double kDegree = kPi / 180.0;
  for (double scale : {1.0, 2.0, 0.5, 4.0, 1024.0}) {
    for (double origin : {0.0, 3.0, -17.0}) {
      setUp(view, identityMap(scale, origin, -origin), 0);
      for (int cx = -6; cx <= 6; cx += 3) {
        for (int r = 1; r <= 24; ++r) {
          AcGePoint3d c(cx, 2 * cx, 0);
          for (int startDegrees : {0, 10, 30, 45, 90, 170, 350}) {
            double start = startDegrees * kDegree;
            ASSERT_TRUE(tracesAsPlain(view, circularArcTrace(c, r, start, 10 * kDegree, 36),
                                      arcVertices(c, r, start, 10 * kDegree, 36)));
            ASSERT_TRUE(tracesAsPlain(view, circularArcTrace(c, -r, start, -5 * kDegree, 7),
                                      arcVertices(c, -r, start, -5 * kDegree, 7)));
          }
          for (double bulge : {1.0, -1.0, 0.41421356237309503, -0.41421356237309503,
                               0.17632698070846498, 3.0, -1e6}) {
            AcGePoint3d p1(cx, -r, 0), p2(cx + 2 * r, r, 0);
            ASSERT_TRUE(tracesAsPlain(view, bulgeArcTrace(p1, p2, bulge, 36),
                                      bulgeVertices(p1, p2, bulge)));
            AcGePoint3d q1(cx, 0, 0), q2(cx + 2 * r, 0, 0);
            ASSERT_TRUE(tracesAsPlain(view, bulgeArcTrace(q1, q2, bulge, 36),
                                      bulgeVertices(q1, q2, bulge)));
          }
        }
      }
    }
  }
  // The exact way was needed, and taken, for many of them.
  EXPECT_GT(view.m_tracedExactly - before, 1000);
}

TEST(TracedArcs, arcs_the_rotation_cannot_follow_or_that_leave_the_range_still_match)
{
  CBlockView view;
  // Bulges near a straight chord and near a whole circle, a zero radius, huge and tiny
  // coordinates, angles of many turns.
  setUp(view, identityMap(3.7, 0.25, -0.5), 0);
  for (double bulge : {1e-300, -1e-17, 1e-9, 1e-6, 1e6, -1e12, 1e300}) {
    AcGePoint3d p1(1, 2, 0), p2(4, 6, 0);
    ASSERT_TRUE(tracesAsPlain(view, bulgeArcTrace(p1, p2, bulge, 36), bulgeVertices(p1, p2, bulge)))
        << bulge;
  }
  ASSERT_TRUE(tracesAsPlain(view, circularArcTrace({5, 5, 0}, 0.0, 0.3, 0.1, 36),
                            arcVertices({5, 5, 0}, 0.0, 0.3, 0.1, 36)));
  ASSERT_TRUE(tracesAsPlain(view, circularArcTrace({5, 5, 0}, 2.0, 2e4, 0.17, 36),
                            arcVertices({5, 5, 0}, 2.0, 2e4, 0.17, 36)));
  // Circles crossing the edge of the logical range, and wholly beyond it.
  for (double away : {3.6e7, 3.62759e7, 1e9, 1e15}) {
    ASSERT_TRUE(tracesAsPlain(view, circularArcTrace({away, 0, 0}, 1000.0, 0.0, 0.17, 36),
                              arcVertices({away, 0, 0}, 1000.0, 0.0, 0.17, 36)))
        << away;
    ASSERT_TRUE(tracesAsPlain(view, bulgeArcTrace({away, 0, 0}, {away, 500, 0}, 0.5, 36),
                              bulgeVertices({away, 0, 0}, {away, 500, 0}, 0.5)))
        << away;
  }
  // A projective transform: every vertex the exact way.
  ViewMap projective = identityMap(2.0, 1.0, 1.0);
  projective.m[3][0] = 1e-3;
  setUp(view, projective, 0);
  ASSERT_TRUE(tracesAsPlain(view, circularArcTrace({5, 5, 0}, 3.0, 0.3, 0.17, 36),
                            arcVertices({5, 5, 0}, 3.0, 0.3, 0.17, 36)));
  ASSERT_TRUE(tracesAsPlain(view, bulgeArcTrace({1, 2, 0}, {4, 6, 0}, -0.7, 36),
                            bulgeVertices({1, 2, 0}, {4, 6, 0}, -0.7)));
}

TEST(TracedArcs, an_arc_said_to_lie_within_the_extents_changes_none_of_them)
{
  std::mt19937 random(7);
  auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  CBlockView view;
  int within = 0, outside = 0;
  for (int i = 0; i < 20000; ++i) {
    ViewMap map = randomMap(random, 1e4);
    if (i % 4 == 0)
      map.m[2][0] = uniform(-1, 1); // a tilted plane: z varies along the arc too
    setUp(view, map, 1);
    AcGePoint3d c(uniform(-1e4, 1e4), uniform(-1e4, 1e4), uniform(-3, 3));
    double r = std::exp(uniform(std::log(0.01), std::log(500)));
    // Extents around the arc's view, sometimes just wide enough, sometimes a hair short.
    AcGePoint3d v = view.toView(c);
    double halfX = (std::fabs(map.m[0][0]) + std::fabs(map.m[0][1])) * r;
    double halfY = (std::fabs(map.m[1][0]) + std::fabs(map.m[1][1])) * r;
    double halfZ = (std::fabs(map.m[2][0]) + std::fabs(map.m[2][1])) * r;
    double slack = std::exp(uniform(std::log(1e-14), std::log(1.0)));
    double grow = (random() % 2 == 0 ? 1.0 : -1.0) * slack;
    view.m_extMin = AcGePoint3d(v.x - halfX * (1 + grow) - uniform(0, 1) * (random() % 2) * r,
                                v.y - halfY * (1 + grow), v.z - halfZ * (1 + grow));
    view.m_extMax =
        AcGePoint3d(v.x + halfX * (1 + grow), v.y + halfY * (1 + grow), v.z + halfZ * (1 + grow));
    AcGePoint3d lo = view.m_extMin, hi = view.m_extMax;
    if (!view.arcWithinExtents(c, r)) {
      ++outside;
      continue;
    }
    ++within;
    for (const AcGePoint3d& p : arcVertices(c, r, uniform(0, 2 * kPi), 0.17453292519943295, 36))
      view.growExtents(view.toView(p));
    ASSERT_TRUE(view.m_extMin == lo && view.m_extMax == hi)
        << "arc about (" << c.x << ", " << c.y << ") radius " << r;
  }
  // Both answers were given often.
  EXPECT_GT(within, 2000);
  EXPECT_GT(outside, 2000);
}
