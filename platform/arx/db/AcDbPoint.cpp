#include "arx/db/AcDbPoint.h"

#include "arx/db/AcDbFace.h"
#include "arx/db/AcDbMline.h"
#include "arx/db/AcDbSolid.h"
#include "arx/db/AcDbTrace.h"

ACRX_DEFINE_MEMBERS(AcDbPoint, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbFace, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbSolid, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbTrace, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbMline, AcDbEntity)

Acad::ErrorStatus AcDbPoint::getGeomExtents(AcDbExtents& extents) const
{
  extents.set(m_position, m_position);
  return Acad::eOk;
}

// Faces

Acad::ErrorStatus AcDbFace::getVertexAt(Adesk::UInt16 index, AcGePoint3d& point) const
{
  if (index > 3)
    return Acad::eInvalidIndex;
  point = m_corners[index];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::setVertexAt(Adesk::UInt16 index, const AcGePoint3d& point)
{
  if (index > 3)
    return Acad::eInvalidIndex;
  m_corners[index] = point;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::isEdgeVisibleAt(Adesk::UInt16 index, Adesk::Boolean& visible) const
{
  if (index > 3)
    return Acad::eInvalidIndex;
  visible = (m_invisible & (1u << index)) == 0;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::makeEdgeInvisibleAt(Adesk::UInt16 index)
{
  if (index > 3)
    return Acad::eInvalidIndex;
  m_invisible = static_cast<unsigned char>(m_invisible | (1u << index));
  return Acad::eOk;
}

Acad::ErrorStatus AcDbFace::makeEdgeVisibleAt(Adesk::UInt16 index)
{
  if (index > 3)
    return Acad::eInvalidIndex;
  m_invisible = static_cast<unsigned char>(m_invisible & ~(1u << index));
  return Acad::eOk;
}

// Solids and traces

Acad::ErrorStatus AcDbSolid::getPointAt(Adesk::UInt16 index, AcGePoint3d& point) const
{
  if (index > 3)
    return Acad::eInvalidIndex;
  point = m_corners[index];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::setPointAt(Adesk::UInt16 index, const AcGePoint3d& point)
{
  if (index > 3)
    return Acad::eInvalidIndex;
  m_corners[index] = point;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTrace::getPointAt(Adesk::UInt16 index, AcGePoint3d& point) const
{
  if (index > 3)
    return Acad::eInvalidIndex;
  point = m_corners[index];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTrace::setPointAt(Adesk::UInt16 index, const AcGePoint3d& point)
{
  if (index > 3)
    return Acad::eInvalidIndex;
  m_corners[index] = point;
  return Acad::eOk;
}

// Multilines

AcGePoint3d AcDbMline::vertexAt(int index) const
{
  if (index < 0 || index >= numVertices())
    return AcGePoint3d::kOrigin;
  return m_vertices[index];
}
