#include "quillmark/render/PolarPoint.h"

#include "arx/ads/AcutUtilities.h"

AcGePoint3d polarPoint(const AcGePoint3d& base, double angle, double distance)
{
  ads_point from = {base.x, base.y, base.z};
  ads_point to = {base.x, base.y, base.z};
  acutPolar(from, angle, distance, to);
  return AcGePoint3d(to[0], to[1], to[2]);
}
