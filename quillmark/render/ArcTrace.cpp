#include "quillmark/render/ArcTrace.h"

#include "quillmark/render/BulgeArc.h"
#include "quillmark/render/PolarPoint.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

const double kTwoPi = 6.283185307179586;
const double kNoBound = std::numeric_limits<double>::infinity();

} // namespace

ArcTrace circularArcTrace(const AcGePoint3d& center, double radius, double start, double step,
                          int n)
{
  ArcTrace t;
  t.center = center;
  t.radius = radius;
  t.n = n;
  // The host's own sine and cosine of the first angle and of the step.
  AcGePoint3d first = polarPoint(AcGePoint3d::kOrigin, start, 1.0);
  AcGePoint3d turn = polarPoint(AcGePoint3d::kOrigin, step, 1.0);
  t.cos0 = first.x;
  t.sin0 = first.y;
  t.cosStep = turn.x;
  t.sinStep = turn.y;
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
  // about its error over the radius: E bounds that, with a wide margin.
  double sweep = 4.0 * std::atan(bulge);
  double r = circle.radius;
  double spread = std::fabs(p1.x) + std::fabs(p1.y) + std::fabs(p2.x) + std::fabs(p2.y) +
                  std::fabs(circle.center.x) + std::fabs(circle.center.y);
  double e = 16.0 * DBL_EPSILON * (1.0 + spread / r);
  double step = segments > 0 ? sweep / segments : 0.0;
  t.cosStep = std::cos(step);
  t.sinStep = std::sin(step);
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
