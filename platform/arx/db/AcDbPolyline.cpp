#include "arx/db/AcDbPolyline.h"

#include "arx/ge/AcGeMatrix3d.h"

ACRX_DEFINE_MEMBERS(AcDbPolyline, AcDbCurve)

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& point) const
{
  if (index >= numVerts())
    return Acad::eInvalidIndex;
  const Vertex& v = m_vertices[index];
  AcGePoint3d p(v.x, v.y, m_elevation);
  if (m_normal != AcGeVector3d::kZAxis)
    p.transformBy(AcGeMatrix3d::planeToWorld(m_normal));
  point = p;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& point) const
{
  if (index >= numVerts())
    return Acad::eInvalidIndex;
  point = AcGePoint2d(m_vertices[index].x, m_vertices[index].y);
  return Acad::eOk;
}

Adesk::Boolean AcDbPolyline::hasBulges() const
{
  for (const Vertex& v : m_vertices) {
    if (v.bulge != 0.0) {
      return true;
    }
  }
  return false;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const
{
  if (index >= numVerts())
    return Acad::eInvalidIndex;
  bulge = m_vertices[index].bulge;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& point,
                                            double bulge)
{
  if (index > numVerts())
    return Acad::eInvalidIndex;
  m_vertices.insert(m_vertices.begin() + index, Vertex{point.x, point.y, bulge});
  return Acad::eOk;
}
