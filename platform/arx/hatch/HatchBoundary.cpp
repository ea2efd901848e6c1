// Hatch boundary flattening: bulge arcs, edge arcs, elliptic arcs and splines
// become chords.
#include "arx/hatch/HatchBoundary.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
// Largest angle step whose chord stays within 1e-3 * radius of the arc:
// r * (1 - cos(step / 2)) = 1e-3 * r.
const double kMaxStep = 2.0 * std::acos(1.0 - 1e-3);
// Coordinates beyond this are refused: the patterns' spacings no longer resolve.
constexpr double kMaxCoordinate = 1e15;
// Chords per non-empty knot span of a spline, and the most a spline may give.
constexpr int kSplineSamplesPerSpan = 16;
constexpr std::size_t kMaxSplineSamples = 65536;

// Appends p unless it repeats the last vertex.
void appendVertex(std::vector<AcGePoint2d>& out, const AcGePoint2d& p)
{
  if (out.empty() || out.back() != p) {
    out.push_back(p);
  }
}

double distance(const AcGePoint2d& a, const AcGePoint2d& b)
{
  return std::hypot(a.x - b.x, a.y - b.y);
}

int chordCount(double sweep)
{
  double n = std::ceil(std::fabs(sweep) / kMaxStep);
  if (!(n >= 1.0)) {
    return 1;
  }
  return n > 4096.0 ? 4096 : static_cast<int>(n);
}

// The sweep of an arc from start to end taken counter-clockwise, in (0, 2 pi]:
// equal angles mean the whole circle, as a full-circle edge stores 0 and 2 pi.
double ccwSweep(double start, double end)
{
  double sweep = std::fmod(end - start, kTwoPi);
  if (!(sweep > 1e-12)) {
    sweep += kTwoPi;
  }
  return sweep;
}

// Points of a circular or elliptic edge: center + u cos(t) + v sin(t). With the
// flag clear the stored parameters run clockwise, so t is mirrored to -t.
void appendConic(std::vector<AcGePoint2d>& out, const AcGePoint2d& c, const AcGeVector2d& u,
                 const AcGeVector2d& v, double start, double end, bool ccw)
{
  double sweep = ccwSweep(start, end);
  int n = chordCount(sweep);
  double sign = ccw ? 1.0 : -1.0;
  for (int i = 0; i <= n; ++i) {
    double t = sign * (start + sweep * i / n);
    appendVertex(out, AcGePoint2d(c.x + u.x * std::cos(t) + v.x * std::sin(t),
                                  c.y + u.y * std::cos(t) + v.y * std::sin(t)));
  }
}

// The arc from p to q whose included angle is 4 atan(bulge), counter-clockwise
// for a positive bulge; q itself is left to the next vertex.
void appendBulgeArc(std::vector<AcGePoint2d>& out, const AcGePoint2d& p, const AcGePoint2d& q,
                    double bulge)
{
  appendVertex(out, p);
  double dx = q.x - p.x;
  double dy = q.y - p.y;
  double chord = std::hypot(dx, dy);
  if (bulge == 0.0 || !(chord > 0.0)) {
    return;
  }
  // Centre: from the chord's midpoint along its left normal by the distance
  // (chord / 2) * (1 - b^2) / (2 b); negative values put it on the right.
  double h = (1.0 - bulge * bulge) / (2.0 * bulge) * 0.5;
  AcGePoint2d c(p.x + dx * 0.5 - dy * h, p.y + dy * 0.5 + dx * h);
  double r = std::hypot(p.x - c.x, p.y - c.y);
  double a0 = std::atan2(p.y - c.y, p.x - c.x);
  double sweep = 4.0 * std::atan(bulge);
  int n = chordCount(sweep);
  for (int i = 1; i < n; ++i) {
    double a = a0 + sweep * i / n;
    appendVertex(out, AcGePoint2d(c.x + r * std::cos(a), c.y + r * std::sin(a)));
  }
}

// True when the spline's knots, control points and weights define a B-spline.
bool hasBSpline(const HatchEdge& e)
{
  std::size_t n = e.controlPoints.size();
  if (e.degree < 1 || e.degree > 32 || n < static_cast<std::size_t>(e.degree) + 1) {
    return false;
  }
  if (e.knots.size() != n + e.degree + 1) {
    return false;
  }
  if (!e.weights.empty() && e.weights.size() != n) {
    return false;
  }
  for (std::size_t i = 1; i < e.knots.size(); ++i) {
    if (!(e.knots[i] >= e.knots[i - 1])) {
      return false; // descending or NaN
    }
  }
  for (double w : e.weights) {
    if (!(w > 0.0) || !std::isfinite(w)) {
      return false;
    }
  }
  return e.knots[n] > e.knots[e.degree];
}

// The point at parameter u of a (rational) B-spline, by de Boor's algorithm on
// homogeneous coordinates; `span` is the knot span k with knots[k] <= u < knots[k+1].
AcGePoint2d deBoor(const HatchEdge& e, std::size_t span, double u)
{
  const int p = e.degree;
  double x[33], y[33], w[33];
  for (int j = 0; j <= p; ++j) {
    std::size_t i = span - p + j;
    double wi = e.weights.empty() ? 1.0 : e.weights[i];
    x[j] = e.controlPoints[i].x * wi;
    y[j] = e.controlPoints[i].y * wi;
    w[j] = wi;
  }
  for (int r = 1; r <= p; ++r) {
    for (int j = p; j >= r; --j) {
      std::size_t i = span - p + j;
      double den = e.knots[i + p - r + 1] - e.knots[i];
      double a = den > 0.0 ? (u - e.knots[i]) / den : 0.0;
      x[j] = (1.0 - a) * x[j - 1] + a * x[j];
      y[j] = (1.0 - a) * y[j - 1] + a * y[j];
      w[j] = (1.0 - a) * w[j - 1] + a * w[j];
    }
  }
  return AcGePoint2d(x[p] / w[p], y[p] / w[p]);
}

void appendSpline(std::vector<AcGePoint2d>& out, const HatchEdge& e)
{
  if (!hasBSpline(e)) {
    const auto& pts = e.fitPoints.size() >= 2 ? e.fitPoints : e.controlPoints;
    for (const auto& p : pts) {
      appendVertex(out, p);
    }
    return;
  }
  const std::size_t n = e.controlPoints.size();
  const std::size_t p = static_cast<std::size_t>(e.degree);
  std::size_t spans = 0;
  for (std::size_t k = p; k < n; ++k) {
    spans += e.knots[k + 1] > e.knots[k] ? 1 : 0;
  }
  std::size_t perSpan = kSplineSamplesPerSpan;
  if (spans * perSpan > kMaxSplineSamples) {
    perSpan = std::max<std::size_t>(1, kMaxSplineSamples / spans);
  }
  for (std::size_t k = p; k < n; ++k) {
    double u0 = e.knots[k];
    double u1 = e.knots[k + 1];
    if (!(u1 > u0)) {
      continue;
    }
    for (std::size_t s = 0; s < perSpan; ++s) {
      appendVertex(out, deBoor(e, k, u0 + (u1 - u0) * s / perSpan));
    }
  }
  // The end point: the last span evaluated at its upper knot.
  std::size_t last = n - 1;
  while (last > p && !(e.knots[last + 1] > e.knots[last])) {
    --last;
  }
  appendVertex(out, deBoor(e, last, e.knots[n]));
}

void appendEdge(std::vector<AcGePoint2d>& out, const HatchEdge& e)
{
  switch (e.kind) {
  case HatchEdge::kLine:
    appendVertex(out, e.start);
    appendVertex(out, e.end);
    break;
  case HatchEdge::kCircularArc:
    appendConic(out, e.center, AcGeVector2d(e.radius, 0.0), AcGeVector2d(0.0, e.radius),
                e.startAngle, e.endAngle, e.counterClockwise);
    break;
  case HatchEdge::kEllipticArc: {
    const AcGeVector2d& u = e.majorAxis;
    AcGeVector2d v(-u.y * e.ratio, u.x * e.ratio);
    appendConic(out, e.center, u, v, e.startAngle, e.endAngle, e.counterClockwise);
    break;
  }
  case HatchEdge::kSpline:
    appendSpline(out, e);
    break;
  }
}

bool isUsable(const AcGePoint2d& p)
{
  return std::fabs(p.x) <= kMaxCoordinate && std::fabs(p.y) <= kMaxCoordinate; // false for NaN
}

} // namespace

std::vector<AcGePoint2d> flattenHatchLoop(const HatchLoop& loop)
{
  std::vector<AcGePoint2d> out;
  if (loop.isPolyline) {
    const std::size_t n = loop.vertices.size();
    for (std::size_t i = 0; i < n; ++i) {
      double bulge = i < loop.bulges.size() ? loop.bulges[i] : 0.0;
      bool hasNext = i + 1 < n || loop.closed;
      if (hasNext) {
        appendBulgeArc(out, loop.vertices[i], loop.vertices[(i + 1) % n], bulge);
      } else {
        appendVertex(out, loop.vertices[i]);
      }
    }
  } else {
    std::vector<AcGePoint2d> piece;
    for (const auto& e : loop.edges) {
      piece.clear();
      appendEdge(piece, e);
      // Some writers store an edge of a loop end to start: follow it backwards
      // when its end, not its start, meets the loop so far.
      if (!out.empty() && piece.size() > 1 &&
          distance(out.back(), piece.back()) < distance(out.back(), piece.front())) {
        std::reverse(piece.begin(), piece.end());
      }
      for (const auto& p : piece) {
        appendVertex(out, p);
      }
    }
  }
  while (out.size() > 1 && out.back() == out.front()) {
    out.pop_back();
  }
  if (out.size() < 3 || !std::all_of(out.begin(), out.end(), isUsable)) {
    out.clear();
  }
  return out;
}
