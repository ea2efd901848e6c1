#include "arx/db/AcDb2dPolyline.h"

#include "arx/db/AcDb3dPolyline.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/ge/AcGeMatrix3d.h"

ACRX_DEFINE_MEMBERS(AcDbVertex, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDb2dVertex, AcDbVertex)
ACRX_DEFINE_MEMBERS(AcDb2dPolyline, AcDbCurve)
ACRX_DEFINE_MEMBERS(AcDb3dPolylineVertex, AcDbVertex)
ACRX_DEFINE_MEMBERS(AcDb3dPolyline, AcDbCurve)

namespace {
// Opens `id` as a vertex of class T that `owner` owns; eWrongObjectType for any other object.
template <class T>
Acad::ErrorStatus openOwnedVertex(AcDbObjectId owner, T*& vertex, AcDbObjectId id,
                                  AcDb::OpenMode mode, bool openErased)
{
  Acad::ErrorStatus es = acdbOpenObject(vertex, id, mode, openErased);
  if (es == Acad::eOk && vertex->ownerId() != owner) {
    vertex->close();
    vertex = nullptr;
    es = Acad::eWrongObjectType;
  }
  return es;
}
} // namespace

Acad::ErrorStatus AcDb2dPolyline::openVertex(AcDb2dVertex*& vertex, AcDbObjectId id,
                                             AcDb::OpenMode mode, bool openErased) const
{
  return openOwnedVertex(objectId(), vertex, id, mode, openErased);
}

AcGePoint3d AcDb2dPolyline::vertexPosition(const AcDb2dVertex& vertex) const
{
  AcGePoint3d p = vertex.position();
  p.z = m_elevation;
  if (m_normal != AcGeVector3d::kZAxis)
    p.transformBy(AcGeMatrix3d::planeToWorld(m_normal));
  return p;
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDb2dVertex* vertex)
{
  return m_vertices.append(*this, vertex);
}

Acad::ErrorStatus AcDb3dPolyline::openVertex(AcDb3dPolylineVertex*& vertex, AcDbObjectId id,
                                             AcDb::OpenMode mode, bool openErased) const
{
  return openOwnedVertex(objectId(), vertex, id, mode, openErased);
}

Acad::ErrorStatus AcDb3dPolyline::appendVertex(AcDb3dPolylineVertex* vertex)
{
  return m_vertices.append(*this, vertex);
}
