#include "arx/db/AcDbExtents.h"

#include <algorithm>

AcDbExtents::AcDbExtents() : m_min(1e300, 1e300, 1e300), m_max(-1e300, -1e300, -1e300) {}

void AcDbExtents::set(const AcGePoint3d& min, const AcGePoint3d& max)
{
  m_min = min;
  m_max = max;
}

void AcDbExtents::addPoint(const AcGePoint3d& p)
{
  m_min.x = std::min(m_min.x, p.x);
  m_min.y = std::min(m_min.y, p.y);
  m_min.z = std::min(m_min.z, p.z);
  m_max.x = std::max(m_max.x, p.x);
  m_max.y = std::max(m_max.y, p.y);
  m_max.z = std::max(m_max.z, p.z);
}

void AcDbExtents::addExt(const AcDbExtents& e)
{
  if (e.isEmpty())
    return;
  addPoint(e.m_min);
  addPoint(e.m_max);
}
