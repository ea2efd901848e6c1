#include "arx/db/AcDbEllipse.h"

#include <cmath>
#include <initializer_list>

ACRX_DEFINE_MEMBERS(AcDbEllipse, AcDbCurve)

namespace {
const double kTwoPi = 6.283185307179586;
}

AcGeVector3d AcDbEllipse::minorAxis() const
{
  AcGeVector3d n = m_normal.isZeroLength() ? AcGeVector3d::kZAxis : m_normal.normal();
  return n.crossProduct(m_majorAxis) * m_ratio;
}

Acad::ErrorStatus AcDbEllipse::set(const AcGePoint3d& center, const AcGeVector3d& normal,
                                   const AcGeVector3d& majorAxis, double radiusRatio,
                                   double startParam, double endParam)
{
  if (majorAxis.isZeroLength() || !(radiusRatio > 0.0 && radiusRatio <= 1.0))
    return Acad::eInvalidInput;
  m_center = center;
  m_normal = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
  m_majorAxis = majorAxis;
  m_ratio = radiusRatio;
  m_startParam = startParam;
  m_endParam = endParam;
  return Acad::eOk;
}

bool AcDbEllipse::isClosed() const
{
  double sweep = m_endParam - m_startParam;
  return std::fabs(std::fabs(sweep) - kTwoPi) < 1e-10 || sweep == 0.0;
}

Acad::ErrorStatus AcDbEllipse::getGeomExtents(AcDbExtents& extents) const
{
  if (!std::isfinite(m_startParam) || !std::isfinite(m_endParam))
    return Acad::eInvalidExtents;
  const AcGeVector3d a = m_majorAxis;
  const AcGeVector3d b = minorAxis();
  // The arc runs counter-clockwise from start to end; the parameters as normalised.
  double start = std::fmod(m_startParam, kTwoPi);
  if (start < 0.0)
    start += kTwoPi;
  double sweep = std::fmod(m_endParam - m_startParam, kTwoPi);
  if (sweep < 0.0)
    sweep += kTwoPi;
  if (sweep == 0.0)
    sweep = kTwoPi; // equal parameters: the whole ellipse
  auto pointAt = [&](double t) { return m_center + a * std::cos(t) + b * std::sin(t); };
  auto onArc = [&](double t) {
    double d = std::fmod(t - start, kTwoPi);
    if (d < 0.0)
      d += kTwoPi;
    return d <= sweep;
  };
  AcDbExtents box;
  box.addPoint(pointAt(start));
  box.addPoint(pointAt(start + sweep));
  // Along each world axis the coordinate is a_i cos t + b_i sin t: extreme where
  // tan t = b_i / a_i, and half a turn further.
  const double ai[3] = {a.x, a.y, a.z};
  const double bi[3] = {b.x, b.y, b.z};
  for (int i = 0; i < 3; ++i) {
    if (ai[i] == 0.0 && bi[i] == 0.0)
      continue;
    double t = std::atan2(bi[i], ai[i]);
    for (double u : {t, t + kTwoPi / 2.0})
      if (onArc(u))
        box.addPoint(pointAt(u));
  }
  extents = box;
  return Acad::eOk;
}
