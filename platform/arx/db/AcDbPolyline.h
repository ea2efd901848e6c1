// AcDbPolyline: the lightweight polyline: 2D vertices with bulges in the plane of
// its normal, at its elevation.
#pragma once

#include "arx/db/AcDbCurve.h"
#include "arx/db/AcDbObjectPool.h"
#include "arx/ge/AcGePoint3d.h"

#include <vector>

class AcDbPolyline : public AcDbCurve {
public:
  ACRX_DECLARE_MEMBERS(AcDbPolyline);
  AcDbPolyline() = default;

  unsigned int numVerts() const { return static_cast<unsigned int>(m_vertices.size()); }
  // Vertex `index` in world coordinates (its OCS x, y at the elevation, mapped by the normal).
  Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& point) const;
  // Vertex `index` as stored, in the object coordinate system.
  Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& point) const;
  Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
  // True when a vertex has a bulge other than 0.
  Adesk::Boolean hasBulges() const;
  double elevation() const { return m_elevation; }
  AcGeVector3d normal() const { return m_normal; }
  bool isClosed() const override { return m_closed; }

  // Inserts a vertex before `index` (index == numVerts() appends).
  Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& point, double bulge = 0.0);
  void setElevation(double elevation) { m_elevation = elevation; }
  void setNormal(const AcGeVector3d& normal) { m_normal = normal; }
  void setClosed(bool closed) { m_closed = closed; }
  // Room for `n` vertices, so that appending that many allocates once.
  void reserveVertices(unsigned int n) { m_vertices.reserve(n); }

private:
  struct Vertex {
    double x, y;  // OCS
    double bulge; // of the segment that starts here
  };
  std::vector<Vertex, AcDbPoolAllocator<Vertex>> m_vertices;
  AcGeVector3d m_normal{0.0, 0.0, 1.0};
  double m_elevation = 0.0;
  bool m_closed = false;
};
