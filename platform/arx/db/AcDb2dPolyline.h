// AcDb2dPolyline: the old-style 2D polyline: vertex entities in the plane of its
// normal, at its elevation.
//   AcDb2dVertex  one vertex; its position is in the polyline's OCS
#pragma once

#include "arx/db/AcDbCurve.h"
#include "arx/db/AcDbObjectIterator.h"
#include "arx/db/AcDbOwnedEntities.h"
#include "arx/db/AcDbVertex.h"

class AcDb2dVertex : public AcDbVertex {
public:
  ACRX_DECLARE_MEMBERS(AcDb2dVertex);
  AcDb2dVertex() = default;
  explicit AcDb2dVertex(const AcGePoint3d& position, double bulge = 0.0)
      : m_position(position), m_bulge(bulge)
  {
  }

  // The position in the owning polyline's object coordinate system.
  AcGePoint3d position() const { return m_position; }
  double bulge() const { return m_bulge; }
  void setPosition(const AcGePoint3d& p) { m_position = p; }
  void setBulge(double b) { m_bulge = b; }

private:
  AcGePoint3d m_position; // OCS of the polyline
  double m_bulge = 0.0;
};

class AcDb2dPolyline : public AcDbCurve {
public:
  ACRX_DECLARE_MEMBERS(AcDb2dPolyline);
  AcDb2dPolyline() = default;

  // A new iterator over the vertices (delete it when done).
  AcDbObjectIterator* vertexIterator() const
  {
    return new AcDbObjectIterator(&m_vertices.entities());
  }
  // Opens a vertex of this polyline by id; eWrongObjectType for any other object.
  Acad::ErrorStatus openVertex(AcDb2dVertex*& vertex, AcDbObjectId id, AcDb::OpenMode mode,
                               bool openErased = false) const;
  // The world position of a vertex: its OCS x and y at the polyline's elevation,
  // mapped by the polyline's normal.
  AcGePoint3d vertexPosition(const AcDb2dVertex& vertex) const;
  double elevation() const { return m_elevation; }
  AcGeVector3d normal() const { return m_normal; }
  bool isClosed() const override { return m_closed; }
  // The SEQEND after the vertices (not opened); null while there are none.
  AcDbSequenceEnd* sequenceEnd() const { return m_vertices.sequenceEnd(); }

  // Appends a vertex made with new; the polyline owns it from then on.
  Acad::ErrorStatus appendVertex(AcDb2dVertex* vertex);
  void setElevation(double elevation) { m_elevation = elevation; }
  void setNormal(const AcGeVector3d& normal) { m_normal = normal; }
  void setClosed(bool closed) { m_closed = closed; }

private:
  AcDbOwnedEntities m_vertices; // AcDb2dVertex objects, in order
  AcGeVector3d m_normal{0.0, 0.0, 1.0};
  double m_elevation = 0.0;
  bool m_closed = false;
};
