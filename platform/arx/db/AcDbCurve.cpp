#include "arx/db/AcDbCurve.h"

#include "arx/db/AcDbArc.h"
#include "arx/db/AcDbCircle.h"
#include "arx/db/AcDbLeader.h"
#include "arx/db/AcDbLine.h"
#include "arx/db/AcDbRay.h"
#include "arx/db/AcDbSpline.h"
#include "arx/db/AcDbXline.h"

#include <cmath>

ACRX_DEFINE_MEMBERS(AcDbCurve, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbLine, AcDbCurve)
ACRX_DEFINE_MEMBERS(AcDbRay, AcDbCurve)
ACRX_DEFINE_MEMBERS(AcDbXline, AcDbCurve)
ACRX_DEFINE_MEMBERS(AcDbArc, AcDbCurve)
ACRX_DEFINE_MEMBERS(AcDbCircle, AcDbCurve)
ACRX_DEFINE_MEMBERS(AcDbSpline, AcDbCurve)
ACRX_DEFINE_MEMBERS(AcDbLeader, AcDbCurve)

Acad::ErrorStatus AcDbLine::getGeomExtents(AcDbExtents& extents) const
{
  extents = AcDbExtents();
  extents.addPoint(m_start);
  extents.addPoint(m_end);
  return Acad::eOk;
}

namespace {
AcGeVector3d unitOrXAxis(const AcGeVector3d& v)
{
  return v.isZeroLength() ? AcGeVector3d::kXAxis : v.normal();
}
} // namespace

void AcDbRay::setUnitDir(const AcGeVector3d& v)
{
  m_dir = unitOrXAxis(v);
}

void AcDbXline::setUnitDir(const AcGeVector3d& v)
{
  m_dir = unitOrXAxis(v);
}

Acad::ErrorStatus AcDbCircle::getGeomExtents(AcDbExtents& extents) const
{
  // The circle's extent along world axis i is radius * sqrt(1 - n_i^2).
  AcGeVector3d n = m_normal.isZeroLength() ? AcGeVector3d::kZAxis : m_normal.normal();
  auto half = [&](double c) {
    double s = 1.0 - c * c;
    return m_radius * (s > 0.0 ? std::sqrt(s) : 0.0);
  };
  AcGeVector3d h(half(n.x), half(n.y), half(n.z));
  extents.set(m_center - h, m_center + h);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getFitPointAt(int index, AcGePoint3d& point) const
{
  if (index < 0 || index >= numFitPoints())
    return Acad::eInvalidIndex;
  point = m_fitPoints[index];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getControlPointAt(int index, AcGePoint3d& point) const
{
  if (index < 0 || index >= numControlPoints())
    return Acad::eInvalidIndex;
  point = m_controlPoints[index];
  return Acad::eOk;
}

AcGePoint3d AcDbLeader::vertexAt(int index) const
{
  if (index < 0 || index >= numVertices())
    return AcGePoint3d::kOrigin;
  return m_vertices[index];
}
