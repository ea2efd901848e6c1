// AcDbLeader: a leader line through its vertices (world coordinates).
#pragma once

#include "arx/db/AcDbCurve.h"
#include "arx/db/AcDbObjectPool.h"

#include <vector>

class AcDbLeader : public AcDbCurve {
public:
  ACRX_DECLARE_MEMBERS(AcDbLeader);
  AcDbLeader() = default;

  int numVertices() const { return static_cast<int>(m_vertices.size()); }
  // The vertex; the origin for an index out of range.
  AcGePoint3d vertexAt(int index) const;
  void appendVertex(const AcGePoint3d& p) { m_vertices.push_back(p); }

private:
  std::vector<AcGePoint3d, AcDbPoolAllocator<AcGePoint3d>> m_vertices; // world coordinates
};
