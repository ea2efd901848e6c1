// acutPolar, acutAngle, acutDistance: plane geometry on ads points.
#include "arx/ads/AcutUtilities.h"

#include <cmath>

namespace {

const ads_real kTwoPi = 6.28318530717958647692;

} // namespace

int acutPolar(const ads_point pt, ads_real angle, ads_real dist, ads_point result)
{
  ads_real x = pt[0] + dist * std::cos(angle);
  ads_real y = pt[1] + dist * std::sin(angle);
  result[0] = x;
  result[1] = y;
  result[2] = pt[2];
  return RTNORM;
}

ads_real acutAngle(const ads_point p1, const ads_point p2)
{
  ads_real a = std::atan2(p2[1] - p1[1], p2[0] - p1[0]);
  if (a < 0)
    a += kTwoPi;
  if (a >= kTwoPi)
    a = 0;
  return a;
}

ads_real acutDistance(const ads_point p1, const ads_point p2)
{
  ads_real dx = p2[0] - p1[0];
  ads_real dy = p2[1] - p1[1];
  ads_real dz = p2[2] - p1[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}
