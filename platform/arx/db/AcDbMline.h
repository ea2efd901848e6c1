// AcDbMline: a multiline; only the path of its vertices (world coordinates) is kept.
#pragma once

#include "arx/db/AcDbEntity.h"
#include "arx/db/AcDbObjectPool.h"

#include <vector>

class AcDbMline : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbMline);
  AcDbMline() = default;

  int numVertices() const { return static_cast<int>(m_vertices.size()); }
  // The vertex; the origin for an index out of range.
  AcGePoint3d vertexAt(int index) const;
  bool closedMline() const { return m_closed; }
  void setClosedMline(bool closed) { m_closed = closed; }
  void appendSeg(const AcGePoint3d& p) { m_vertices.push_back(p); }

private:
  std::vector<AcGePoint3d, AcDbPoolAllocator<AcGePoint3d>> m_vertices; // world coordinates
  bool m_closed = false;
};
