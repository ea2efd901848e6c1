// AcDbExtents: an axis-aligned box in world coordinates, as getGeomExtents fills it.
#pragma once

#include "arx/ge/AcGePoint3d.h"

class AcDbExtents {
public:
  AcDbExtents(); // empty: min above max
  AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) : m_min(min), m_max(max) {}

  const AcGePoint3d& minPoint() const { return m_min; }
  const AcGePoint3d& maxPoint() const { return m_max; }
  void set(const AcGePoint3d& min, const AcGePoint3d& max);
  void addPoint(const AcGePoint3d& p);
  void addExt(const AcDbExtents& e);
  bool isEmpty() const { return m_min.x > m_max.x; }

private:
  AcGePoint3d m_min; // lowest corner
  AcGePoint3d m_max; // highest corner
};
