// AcDb3dPolyline: a polyline through vertex entities in world coordinates.
//   AcDb3dPolylineVertex  one vertex
#pragma once

#include "arx/db/AcDbCurve.h"
#include "arx/db/AcDbObjectIterator.h"
#include "arx/db/AcDbOwnedEntities.h"
#include "arx/db/AcDbVertex.h"

class AcDb3dPolylineVertex : public AcDbVertex {
public:
  ACRX_DECLARE_MEMBERS(AcDb3dPolylineVertex);
  AcDb3dPolylineVertex() = default;
  explicit AcDb3dPolylineVertex(const AcGePoint3d& position) : m_position(position) {}

  AcGePoint3d position() const { return m_position; } // world coordinates
  void setPosition(const AcGePoint3d& p) { m_position = p; }

private:
  AcGePoint3d m_position; // world coordinates
};

class AcDb3dPolyline : public AcDbCurve {
public:
  ACRX_DECLARE_MEMBERS(AcDb3dPolyline);
  AcDb3dPolyline() = default;

  AcDbObjectIterator* vertexIterator() const
  {
    return new AcDbObjectIterator(&m_vertices.entities());
  }
  Acad::ErrorStatus openVertex(AcDb3dPolylineVertex*& vertex, AcDbObjectId id, AcDb::OpenMode mode,
                               bool openErased = false) const;
  bool isClosed() const override { return m_closed; }
  // The SEQEND after the vertices (not opened); null while there are none.
  AcDbSequenceEnd* sequenceEnd() const { return m_vertices.sequenceEnd(); }

  Acad::ErrorStatus appendVertex(AcDb3dPolylineVertex* vertex);
  void setClosed(bool closed) { m_closed = closed; }

private:
  AcDbOwnedEntities m_vertices; // AcDb3dPolylineVertex objects, in order
  bool m_closed = false;
};
