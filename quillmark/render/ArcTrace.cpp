#include "quillmark/render/ArcTrace.h"

#include "quillmark/render/BulgeArc.h"
#include "quillmark/render/PolarPoint.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

const double kTwoPi = 6.283185307179586;
const double kNoBound = std::numeric_limits<double>::infinity();

// The host's cosine and sine of `angle` (polarPoint at distance 1 from the origin). Circles
// all start at 0 and share one step, so the last few answers are kept (UI thread only).
void directionOf(double angle, double& c, double& s)
{
  struct Answer {
    double angle, c, s;
  };
  const double none = std::numeric_limits<double>::quiet_NaN(); // matches no angle
  static Answer kept[4] = {{none, 0, 0}, {none, 0, 0}, {none, 0, 0}, {none, 0, 0}};
  static unsigned next = 0;
  for (const Answer& a : kept) {
    if (a.angle == angle && std::signbit(a.angle) == std::signbit(angle)) {
      c = a.c;
      s = a.s;
      return;
    }
  }
  AcGePoint3d p = polarPoint(AcGePoint3d::kOrigin, angle, 1.0);
  c = p.x;
  s = p.y;
  kept[next++ % 4] = Answer{angle, c, s};
}

// The sweep of a bulge arc and the rotation of one of its `segments` steps. Drawings
// repeat a few bulges many times over (fillets, half and quarter circles), so the last
// answers are kept (UI thread only).
void rotationOf(double bulge, int segments, double& sweep, double& cosStep, double& sinStep)
{
  struct Answer {
    double bulge;
    int segments;
    double sweep, cosStep, sinStep;
  };
  static Answer kept[4] = {};
  static unsigned next = 0;
  for (const Answer& a : kept) {
    if (a.bulge == bulge && a.segments == segments && bulge != 0.0) {
      sweep = a.sweep;
      cosStep = a.cosStep;
      sinStep = a.sinStep;
      return;
    }
  }
  sweep = 4.0 * std::atan(bulge);
  double step = segments > 0 ? sweep / segments : 0.0;
  cosStep = std::cos(step);
  sinStep = std::sin(step);
  kept[next++ % 4] = Answer{bulge, segments, sweep, cosStep, sinStep};
}

} // namespace

ArcTrace circularArcTrace(const AcGePoint3d& center, double radius, double start, double step,
                          int n)
{
  ArcTrace t;
  t.center = center;
  t.radius = radius;
  t.n = n;
  // The host's own sine and cosine of the first angle and of the step.
  directionOf(start, t.cos0, t.sin0);
  directionOf(step, t.cosStep, t.sinStep);
  // The exact angles are sums of the step, each rounded by at most half an ulp of the
  // largest angle reached; the sines and cosines are off by an ulp or two.
  double reach = std::fabs(start) + std::fabs(step) * n;
  t.angleError = (n + 2) * DBL_EPSILON * (reach + 4.0);
  if (!std::isfinite(t.angleError) || !(reach <= 1000.0)) {
    t.angleError = kNoBound; // angles too large for the sums to stay near the rotation
  }
  t.anglesKnown = true;
  t.start = start;
  t.step = step;
  t.p1 = t.p2 = AcGePoint3d::kOrigin;
  t.bulge = 0.0;
  return t;
}

ArcTrace bulgeArcTrace(const AcGePoint3d& p1, const AcGePoint3d& p2, double bulge, int segments)
{
  BulgeCircle circle = bulgeCircle(p1, p2, bulge);
  ArcTrace t;
  t.center = circle.center;
  t.radius = circle.radius;
  t.n = segments;
  t.anglesKnown = false;
  t.start = t.step = 0.0;
  t.p1 = p1;
  t.p2 = p2;
  t.bulge = bulge;
  // Vertex 0 points from the centre to p1: the direction acutAngle takes the start
  // angle of, from the very same differences.
  double dx = p1.x - circle.center.x;
  double dy = p1.y - circle.center.y;
  double length = std::sqrt(dx * dx + dy * dy);
  t.cos0 = dx / length;
  t.sin0 = dy / length;
  // The arc sweeps four times the arctangent of the bulge. The exact sweep is taken between
  // the two directions from the computed centre, whose rounding moves each direction by
  // about its error over the radius: e bounds that, with a wide margin.
  double sweep = 0.0;
  rotationOf(bulge, segments, sweep, t.cosStep, t.sinStep);
  double r = circle.radius;
  double spread = std::fabs(p1.x) + std::fabs(p1.y) + std::fabs(p2.x) + std::fabs(p2.y) +
                  std::fabs(circle.center.x) + std::fabs(circle.center.y);
  double e = 16.0 * DBL_EPSILON * (1.0 + spread / r);
  // Vertex k's angle: the start's error, k / segments of the sweep's, and the sums.
  t.angleError = 4.0 * e + (segments + 2) * DBL_EPSILON * (2.0 * kTwoPi + 4.0);
  // The exact sweep wraps at 0 and at a whole turn: near either the rounding could
  // put it on the other side, and the rotation would follow another arc.
  double a = std::fabs(sweep);
  if (!std::isfinite(t.angleError) || !(length > 0.0) || !std::isfinite(length) || segments < 1 ||
      !(a >= 1e4 * e) || !(kTwoPi - a >= 1e4 * e)) {
    t.angleError = kNoBound;
  }
  return t;
}

const double* rotationTable(double cosStep, double sinStep, int n)
{
  struct Table {
    double cosStep, sinStep;
    int n;              // -1: not made
    unsigned long used; // when it last served
    double turns[2 * (kMostTracedSteps + 1)];
  };
  // The least recently used table goes: the steps of one-off arcs pass through without
  // pushing out those of the circles and bulges that come back.
  static Table kept[8] = {};
  static unsigned long clock = 0;
  if (n < 0 || n > kMostTracedSteps) {
    return nullptr;
  }
  ++clock;
  Table* oldest = &kept[0];
  for (Table& t : kept) {
    if (t.used != 0 && t.n >= n && t.cosStep == cosStep && t.sinStep == sinStep) {
      t.used = clock;
      return t.turns;
    }
    if (t.used < oldest->used) {
      oldest = &t;
    }
  }
  Table& t = *oldest;
  t.cosStep = cosStep;
  t.sinStep = sinStep;
  t.n = n;
  t.used = clock;
  double c = 1.0, s = 0.0;
  for (int k = 0; k <= n; ++k) {
    t.turns[2 * k] = c;
    t.turns[2 * k + 1] = s;
    double turned = c * cosStep - s * sinStep;
    s = s * cosStep + c * sinStep;
    c = turned;
  }
  return t.turns;
}
