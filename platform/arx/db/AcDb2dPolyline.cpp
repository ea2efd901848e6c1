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

AcDb2dPolyline::~AcDb2dPolyline()
{
  for (AcDbEntity* v : m_vertices)
    delete v;
  delete m_sequenceEnd;
}

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
  if (vertex == nullptr)
    return Acad::eNullEntityPointer;
  if (vertex->database() != nullptr)
    return Acad::eAlreadyInDb;
  m_vertices.push_back(vertex);
  if (database() != nullptr)
    database()->makeResident(vertex, objectId());
  if (m_sequenceEnd == nullptr) {
    m_sequenceEnd = new AcDbSequenceEnd;
    if (database() != nullptr)
      database()->makeResident(m_sequenceEnd, objectId());
  }
  return Acad::eOk;
}

AcDb3dPolyline::~AcDb3dPolyline()
{
  for (AcDbEntity* v : m_vertices)
    delete v;
  delete m_sequenceEnd;
}

Acad::ErrorStatus AcDb3dPolyline::openVertex(AcDb3dPolylineVertex*& vertex, AcDbObjectId id,
                                             AcDb::OpenMode mode, bool openErased) const
{
  return openOwnedVertex(objectId(), vertex, id, mode, openErased);
}

Acad::ErrorStatus AcDb3dPolyline::appendVertex(AcDb3dPolylineVertex* vertex)
{
  if (vertex == nullptr)
    return Acad::eNullEntityPointer;
  if (vertex->database() != nullptr)
    return Acad::eAlreadyInDb;
  m_vertices.push_back(vertex);
  if (database() != nullptr)
    database()->makeResident(vertex, objectId());
  if (m_sequenceEnd == nullptr) {
    m_sequenceEnd = new AcDbSequenceEnd;
    if (database() != nullptr)
      database()->makeResident(m_sequenceEnd, objectId());
  }
  return Acad::eOk;
}
