// AcDbLine: a straight segment between two world points.
#pragma once

#include "arx/db/AcDbCurve.h"

class AcDbLine : public AcDbCurve {
public:
  ACRX_DECLARE_MEMBERS(AcDbLine);
  AcDbLine() = default;
  AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : m_start(start), m_end(end) {}

  AcGePoint3d startPoint() const { return m_start; }
  AcGePoint3d endPoint() const { return m_end; }
  void setStartPoint(const AcGePoint3d& p) { m_start = p; }
  void setEndPoint(const AcGePoint3d& p) { m_end = p; }
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

private:
  AcGePoint3d m_start; // world coordinates
  AcGePoint3d m_end;   // world coordinates
};
