#include "quillmark/render/BulgeArc.h"

#include "arx/ads/AcutUtilities.h"
#include "quillmark/render/PointBuffer.h"
#include "quillmark/render/PolarPoint.h"

namespace {
const double kTwoPi = 6.283185307179586;
}

BulgeCircle bulgeCircle(AcGePoint3d p1, AcGePoint3d p2, double bulge)
{
  // Distance from the chord's midpoint to the centre, in half chords.
  double k = (1.0 / bulge - bulge) / 2.0;
  AcGePoint3d c(((p1.x + p2.x) - k * (p2.y - p1.y)) / 2.0,
                ((p1.y + p2.y) + k * (p2.x - p1.x)) / 2.0, p1.z);
  ads_point a = {p1.x, p1.y, p1.z};
  ads_point m = {c.x, c.y, c.z};
  return BulgeCircle{c, acutDistance(a, m)};
}

BulgeArcSteps bulgeArcSteps(AcGePoint3d p1, AcGePoint3d p2, double bulge, int segments)
{
  BulgeCircle circle = bulgeCircle(p1, p2, bulge);
  const AcGePoint3d& c = circle.center;
  ads_point a = {p1.x, p1.y, p1.z};
  ads_point b = {p2.x, p2.y, p2.z};
  ads_point m = {c.x, c.y, c.z};
  double a1 = acutAngle(m, a);
  double a2 = acutAngle(m, b);
  if (a2 < a1) {
    a2 += kTwoPi;
  }
  double sweep = a2 - a1;
  if (bulge < 0.0) {
    sweep -= kTwoPi; // the same end points, run clockwise
  }
  return BulgeArcSteps{c, circle.radius, a1, sweep / segments};
}

void appendBulgeArc(PointBuffer& out, AcGePoint3d p1, AcGePoint3d p2, double bulge, int segments)
{
  if (segments < 1) {
    return;
  }
  BulgeArcSteps arc = bulgeArcSteps(p1, p2, bulge, segments);
  double angle = arc.start;
  for (int j = 0; j <= segments; ++j) {
    out.append(polarPoint(arc.center, angle, arc.radius));
    angle += arc.step;
  }
}
