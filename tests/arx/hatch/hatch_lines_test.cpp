// Hatch pattern lines: what generateHatchLines yields for simple boundaries.
#include "arx/hatch/HatchPattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace {

constexpr double kPi = 3.14159265358979323846;

HatchLoop squareLoop(double x0, double y0, double size)
{
  HatchLoop loop;
  loop.isPolyline = true;
  loop.vertices = {{x0, y0}, {x0 + size, y0}, {x0 + size, y0 + size}, {x0, y0 + size}};
  return loop;
}

HatchPatternLine family(double angleDeg, double spacing, std::vector<double> dashes = {})
{
  HatchPatternLine line;
  line.angle = angleDeg * kPi / 180.0;
  line.base = AcGePoint2d(0.0, 0.0);
  // The next line lies `spacing` away, to the left of the direction.
  line.offset = AcGeVector2d(-std::sin(line.angle) * spacing, std::cos(line.angle) * spacing);
  line.dashes = std::move(dashes);
  return line;
}

double length(const HatchSegment& s)
{
  return std::hypot(s.end.x - s.start.x, s.end.y - s.start.y);
}

bool onSquareBoundary(const AcGePoint2d& p, double size)
{
  const double tol = 1e-9;
  bool inside = p.x > -tol && p.x < size + tol && p.y > -tol && p.y < size + tol;
  bool onEdge = std::fabs(p.x) < tol || std::fabs(p.x - size) < tol || std::fabs(p.y) < tol ||
                std::fabs(p.y - size) < tol;
  return inside && onEdge;
}

TEST(HatchLines, diagonal_lines_across_square_end_on_its_boundary)
{
  auto segs = generateHatchLines({family(45.0, 1.0)}, {squareLoop(0, 0, 10)});
  // Lines x - y = c at perpendicular spacing 1: c = k * sqrt(2); inside for
  // |c| < 10, so k from -7 to 7 (k = 0 is the diagonal through two corners).
  ASSERT_EQ(segs.size(), 15u);
  for (const auto& s : segs) {
    EXPECT_TRUE(onSquareBoundary(s.start, 10))
        << "start (" << s.start.x << ", " << s.start.y << ")";
    EXPECT_TRUE(onSquareBoundary(s.end, 10)) << "end (" << s.end.x << ", " << s.end.y << ")";
    EXPECT_NEAR((s.end.y - s.start.y) / (s.end.x - s.start.x), 1.0, 1e-9);
  }
  double longest = 0.0;
  for (const auto& s : segs) {
    longest = std::max(longest, length(s));
  }
  EXPECT_NEAR(longest, 10.0 * std::sqrt(2.0), 1e-9);
}

TEST(HatchLines, horizontal_lines_skip_a_hole_by_even_odd_rule)
{
  // Outer 0..10, hole 3..7 (both as loops of their own): lines y = 2, 4, 6, 8.
  auto segs = generateHatchLines({family(0.0, 2.0)}, {squareLoop(0, 0, 10), squareLoop(3, 3, 4)});
  std::map<double, std::pair<int, double>> byY; // y -> span count, total length
  for (const auto& s : segs) {
    byY[s.start.y].first++;
    byY[s.start.y].second += length(s);
  }
  for (double y : {2.0, 8.0}) {
    EXPECT_EQ(byY[y].first, 1) << "spans at y " << y;
    EXPECT_NEAR(byY[y].second, 10.0, 1e-9) << "length at y " << y;
  }
  for (double y : {4.0, 6.0}) {
    EXPECT_EQ(byY[y].first, 2) << "spans at y " << y;
    EXPECT_NEAR(byY[y].second, 6.0, 1e-9) << "expected 0..3 and 7..10 at y " << y;
  }
}

// Even-odd point-in-polygon test for the checks below.
bool insidePolygon(const std::vector<AcGePoint2d>& poly, const AcGePoint2d& p)
{
  bool inside = false;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const AcGePoint2d& a = poly[i];
    const AcGePoint2d& b = poly[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
      inside = !inside;
    }
  }
  return inside;
}

TEST(HatchLines, lines_through_vertices_keep_the_spans_inside)
{
  // Zig-zag polygons whose vertices lie on the lines of a rotated family, where
  // rounding puts them a hair to either side: every span must still lie inside.
  for (double angle : {30.0, 45.0, 60.0, 110.0}) {
    HatchPatternLine line = family(angle, 0.7);
    AcGeVector2d dir(std::cos(line.angle), std::sin(line.angle));
    auto at = [&](double k, double t) {
      return AcGePoint2d(k * line.offset.x + t * dir.x, k * line.offset.y + t * dir.y);
    };
    // Caps half way between lines; lines 1 to 11 each pass through two vertices.
    std::vector<AcGePoint2d> poly = {at(0.5, 4.0)};
    for (int k = 1; k <= 11; ++k) {
      poly.push_back(at(k, (k % 2) ? 1.0 : 0.0));
    }
    poly.push_back(at(11.5, 4.0));
    for (int k = 11; k >= 1; --k) {
      poly.push_back(at(k, (k % 3) ? 9.0 : 7.5));
    }
    HatchLoop loop;
    loop.isPolyline = true;
    loop.vertices = poly;
    auto segs = generateHatchLines({line}, {loop});
    EXPECT_EQ(segs.size(), 11u) << "angle " << angle;
    for (const auto& s : segs) {
      AcGePoint2d mid((s.start.x + s.end.x) / 2, (s.start.y + s.end.y) / 2);
      EXPECT_TRUE(insidePolygon(poly, mid))
          << "angle " << angle << ": span midpoint (" << mid.x << ", " << mid.y << ") outside";
    }
  }
}

TEST(HatchLines, dashes_are_laid_from_the_line_origin_and_line_up_across_spans)
{
  // Dash 1, gap 1 along y = 2 (base (0, 0), spacing 2): drawn on [2m, 2m + 1].
  // The line is inside on 0.5..3.5 and 6.5..9.5 (a hole spans 3.5..6.5).
  HatchLoop outer = squareLoop(0.5, 0.5, 9.0);
  HatchLoop hole = squareLoop(3.5, 1.0, 3.0);
  auto segs = generateHatchLines({family(0.0, 2.0, {1.0, -1.0})}, {outer, hole});
  std::vector<std::pair<double, double>> atY2;
  for (const auto& s : segs) {
    if (std::fabs(s.start.y - 2.0) < 1e-12) {
      atY2.emplace_back(s.start.x, s.end.x);
    }
  }
  std::vector<std::pair<double, double>> expected = {
      {0.5, 1.0}, {2.0, 3.0}, {6.5, 7.0}, {8.0, 9.0}};
  ASSERT_EQ(atY2.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(atY2[i].first, expected[i].first, 1e-9) << "dash " << i << " start";
    EXPECT_NEAR(atY2[i].second, expected[i].second, 1e-9) << "dash " << i << " end";
  }
}

TEST(HatchLines, offset_along_the_line_staggers_dashes_and_zero_dash_is_a_dot)
{
  HatchPatternLine line = family(0.0, 1.0, {0.0, -2.0});
  line.offset = AcGeVector2d(0.5, 1.0); // each line's pattern starts 0.5 further on
  auto segs = generateHatchLines({line}, {squareLoop(0, 0.5, 4)});
  // Lines y = 1..4 inside 0..4 x 0.5..4.5; line k has dots at x = 0.5 k + 2 m,
  // the span's ends included.
  ASSERT_FALSE(segs.empty());
  int dots = 0;
  for (const auto& s : segs) {
    ASSERT_EQ(s.start, s.end) << "a zero dash is a zero-length segment";
    double k = s.start.y;
    double phase = std::fmod(s.start.x - 0.5 * k, 2.0);
    if (phase < 0) {
      phase += 2.0;
    }
    EXPECT_TRUE(phase < 1e-9 || phase > 2.0 - 1e-9) << "dot at x " << s.start.x << " on y " << k;
    ++dots;
  }
  // y = 1: 0.5, 2.5; y = 2: 1, 3; y = 3: 1.5, 3.5; y = 4: 0, 2, 4.
  EXPECT_EQ(dots, 2 + 2 + 2 + 3);
}

TEST(HatchLines, circle_edge_loop_clips_within_tolerance)
{
  HatchEdge circle;
  circle.kind = HatchEdge::kCircularArc;
  circle.center = AcGePoint2d(5, 5);
  circle.radius = 4;
  circle.startAngle = 0;
  circle.endAngle = 2 * kPi;
  HatchLoop loop;
  loop.edges = {circle};
  auto segs = generateHatchLines({family(0.0, 1.0)}, {loop});
  ASSERT_EQ(segs.size(), 7u) << "lines y = 2..8 cross the circle";
  for (const auto& s : segs) {
    double half = std::sqrt(16.0 - (s.start.y - 5) * (s.start.y - 5));
    EXPECT_NEAR(length(s), 2 * half, 4 * 1e-3 * 4) << "chord at y " << s.start.y;
    EXPECT_NEAR((s.start.x + s.end.x) / 2, 5.0, 1e-2);
  }
}

TEST(HatchLines, clockwise_arc_edge_uses_mirrored_angles)
{
  // Half disc below the x axis: a line from (-2, 0) to (2, 0) and back along a
  // clockwise arc whose stored angles 0..180 mean -0..-180 (the lower half).
  HatchEdge diameter;
  diameter.start = AcGePoint2d(-2, 0);
  diameter.end = AcGePoint2d(2, 0);
  HatchEdge arc;
  arc.kind = HatchEdge::kCircularArc;
  arc.radius = 2;
  arc.startAngle = 0;
  arc.endAngle = kPi;
  arc.counterClockwise = false;
  HatchLoop loop;
  loop.edges = {diameter, arc};
  auto segs = generateHatchLines({family(0.0, 0.5)}, {loop});
  bool sawMinusOne = false;
  for (const auto& s : segs) {
    EXPECT_LE(s.start.y, 0.0) << "expected the lower half disc only";
    sawMinusOne = sawMinusOne || s.start.y == -1.0;
  }
  EXPECT_TRUE(sawMinusOne) << "expected a line at y = -1";
}

TEST(HatchLines, partial_elliptic_edge_either_way_round)
{
  // The ellipse x = 3 cos t, y = sin t between the parameters pi/2 and pi, closed
  // through the centre: counter-clockwise that is the quarter from (0, 1) to
  // (-3, 0); clockwise the parameters are mirrored, the quarter from (0, -1) to
  // (-3, 0). A line at height y spans x from -3 sqrt(1 - y^2) to 0.
  for (bool ccw : {true, false}) {
    const double side = ccw ? 1.0 : -1.0;
    HatchEdge quarter;
    quarter.kind = HatchEdge::kEllipticArc;
    quarter.majorAxis = AcGeVector2d(3, 0);
    quarter.ratio = 1.0 / 3.0;
    quarter.startAngle = kPi / 2;
    quarter.endAngle = kPi;
    quarter.counterClockwise = ccw;
    HatchEdge radius1, radius2;
    radius1.start = AcGePoint2d(-3, 0);
    radius1.end = AcGePoint2d(0, 0);
    radius2.start = AcGePoint2d(0, 0);
    radius2.end = AcGePoint2d(0, side);
    HatchLoop loop;
    loop.edges = {quarter, radius1, radius2};
    std::vector<double> heights;
    for (const HatchSegment& s : generateHatchLines({family(0.0, 0.4)}, {loop})) {
      if (std::fabs(s.start.y) < 1e-9)
        continue; // the line along the edge y = 0
      heights.push_back(s.start.y);
      double y = s.start.y * side;
      EXPECT_NEAR(std::min(s.start.x, s.end.x), -3 * std::sqrt(1 - y * y), 0.01) << "y " << y;
      EXPECT_NEAR(std::max(s.start.x, s.end.x), 0.0, 1e-9) << "y " << y;
    }
    std::sort(heights.begin(), heights.end());
    ASSERT_EQ(heights.size(), 2u) << (ccw ? "counter-clockwise" : "clockwise");
    EXPECT_NEAR(heights[ccw ? 0 : 1], 0.4 * side, 1e-9);
    EXPECT_NEAR(heights[ccw ? 1 : 0], 0.8 * side, 1e-9);
  }
}

TEST(HatchLines, bulge_loop_and_elliptic_and_spline_edges_bound_the_lines)
{
  // A polyline loop: (0,0)-(4,0) straight, (4,0)-(0,0) with bulge 1 (a half disc
  // of radius 2 above the chord, centre (2, 0), counter-clockwise).
  HatchLoop bulged;
  bulged.isPolyline = true;
  bulged.vertices = {{0, 0}, {4, 0}};
  bulged.bulges = {0.0, 1.0};
  auto segs = generateHatchLines({family(0.0, 0.6)}, {bulged});
  ASSERT_EQ(segs.size(), 3u) << "lines y = 0.6, 1.2 and 1.8";
  EXPECT_NEAR(length(segs[0]), 2 * std::sqrt(4.0 - 0.36), 0.02);

  // A full ellipse 6 x 2 rotated by 90 degrees: 2 wide, 6 tall.
  HatchEdge ellipse;
  ellipse.kind = HatchEdge::kEllipticArc;
  ellipse.majorAxis = AcGeVector2d(0, 3);
  ellipse.ratio = 1.0 / 3.0;
  ellipse.startAngle = 0;
  ellipse.endAngle = 2 * kPi;
  HatchLoop ell;
  ell.edges = {ellipse};
  segs = generateHatchLines({family(90.0, 0.25)}, {ell});
  for (const auto& s : segs) {
    EXPECT_LE(std::fabs(s.start.x), 1.0 + 1e-9);
    EXPECT_LE(length(s), 6.0 + 1e-9);
  }
  ASSERT_FALSE(segs.empty());

  // A quadratic B-spline with control points (0,0) (2,4) (4,0) closed by a
  // line: the curve peaks at (2, 2).
  HatchEdge spline;
  spline.kind = HatchEdge::kSpline;
  spline.degree = 2;
  spline.knots = {0, 0, 0, 1, 1, 1};
  spline.controlPoints = {{0, 0}, {2, 4}, {4, 0}};
  HatchEdge base;
  base.start = AcGePoint2d(4, 0);
  base.end = AcGePoint2d(0, 0);
  HatchLoop arch;
  arch.edges = {spline, base};
  segs = generateHatchLines({family(0.0, 0.6)}, {arch});
  ASSERT_EQ(segs.size(), 3u) << "y = 0.6, 1.2, 1.8 (the peak is at 2)";
  // The curve is x = 4 t, y = 8 t (1 - t): at y = 1.2, t = (1 -+ sqrt(0.4)) / 2.
  EXPECT_NEAR(length(segs[1]), 4 * std::sqrt(0.4), 0.02);

  // Line edges of a square, two in a row stored end to start: the same lines as
  // the square (joined as stored, they would add a diagonal).
  HatchLoop edges;
  const AcGePoint2d corners[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  for (int i = 0; i < 4; ++i) {
    HatchEdge e;
    e.start = corners[i];
    e.end = corners[(i + 1) % 4];
    if (i == 1 || i == 2) {
      std::swap(e.start, e.end);
    }
    edges.edges.push_back(e);
  }
  segs = generateHatchLines({family(45.0, 1.0)}, {edges});
  ASSERT_EQ(segs.size(), 15u) << "reversed edges must not change the boundary";
  EXPECT_NEAR(length(segs[7]), 10.0 * std::sqrt(2.0), 1e-9);

  // The same spline as fit points alone follows their polyline: a triangle.
  HatchEdge fitted;
  fitted.kind = HatchEdge::kSpline;
  fitted.fitPoints = {{0, 0}, {2, 4}, {4, 0}};
  arch.edges = {fitted, base};
  segs = generateHatchLines({family(0.0, 1.0)}, {arch});
  ASSERT_EQ(segs.size(), 3u);
  EXPECT_NEAR(length(segs[1]), 2.0, 1e-9) << "triangle width at y = 2";
}

TEST(HatchLines, limits_and_damaged_input_give_bounded_output)
{
  HatchLoop square = squareLoop(0, 0, 10);
  // The cap on segments holds across families.
  auto segs = generateHatchLines({family(0, 1), family(90, 1)}, {square}, 12);
  EXPECT_EQ(segs.size(), 12u);
  // A family too dense for the extents, a zero offset and a NaN offset are skipped.
  HatchPatternLine zero = family(0, 1);
  zero.offset = AcGeVector2d(0, 0);
  HatchPatternLine nan = family(0, 1);
  nan.offset.y = std::numeric_limits<double>::quiet_NaN();
  HatchPatternLine along = family(0, 1);
  along.offset = AcGeVector2d(3, 0); // parallel to the lines
  HatchPatternLine nanAngle = family(0, 1);
  nanAngle.angle = std::numeric_limits<double>::quiet_NaN();
  segs = generateHatchLines({family(0, 1e-9), zero, nan, along, nanAngle}, {square}, 1000);
  EXPECT_TRUE(segs.empty()) << "got " << segs.size() << " segments";
  // Huge, NaN and degenerate loops give nothing.
  HatchLoop huge = squareLoop(0, 0, 1e300);
  HatchLoop nanLoop = squareLoop(0, 0, 10);
  nanLoop.vertices[2].x = std::numeric_limits<double>::quiet_NaN();
  HatchLoop line;
  line.isPolyline = true;
  line.vertices = {{0, 0}, {5, 5}};
  HatchLoop empty;
  for (const HatchLoop& l : {huge, nanLoop, line, empty}) {
    EXPECT_TRUE(generateHatchLines({family(30, 1)}, {l}).empty());
  }
  // Gaps only, or all dots of zero length: nothing to lay, no endless loop.
  EXPECT_TRUE(generateHatchLines({family(0, 1, {-1.0})}, {square}).empty());
  EXPECT_TRUE(generateHatchLines({family(0, 1, {0.0, 0.0})}, {square}).empty());
  // A tiny dash period far out on a huge line stays within the cap.
  HatchPatternLine fine = family(0, 1, {1e-12, -1e-12});
  fine.base = AcGePoint2d(-1e9, 0);
  segs = generateHatchLines({fine}, {squareLoop(0, 0, 2)}, 500);
  EXPECT_LE(segs.size(), 500u);
}

TEST(HatchLines, thousand_unit_square_at_unit_spacing)
{
  // 45-degree lines lie (y - x) / sqrt 2 = k from the base point; across the
  // square that runs over (-707.1, 707.1): k = -707 ... 707, one line each. A
  // dash-dot family of period 4 gives about two dashes per 4 units of line.
  // (How long these take is measured by ./quill bench, as is a hostile boundary.)
  EXPECT_EQ(generateHatchLines({family(45, 1)}, {squareLoop(0, 0, 1000)}).size(), 1415u);
  std::size_t dashes =
      generateHatchLines({family(135, 1, {2.0, -1.0, 0.0, -1.0})}, {squareLoop(0, 0, 1000)}).size();
  EXPECT_NEAR(static_cast<double>(dashes), 1e6 * 2 / 4, 1e6 * 2 / 4 * 0.01);
}

} // namespace
