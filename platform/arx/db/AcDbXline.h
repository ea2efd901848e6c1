// AcDbXline: an infinite construction line through a base point (world coordinates).
#pragma once

#include "arx/db/AcDbCurve.h"

class AcDbXline : public AcDbCurve {
public:
  ACRX_DECLARE_MEMBERS(AcDbXline);
  AcDbXline() = default;

  AcGePoint3d basePoint() const { return m_base; }
  AcGeVector3d unitDir() const { return m_dir; }
  void setBasePoint(const AcGePoint3d& p) { m_base = p; }
  // The direction is unitised; a zero vector is kept as the x axis.
  void setUnitDir(const AcGeVector3d& v);

private:
  AcGePoint3d m_base;                // world coordinates
  AcGeVector3d m_dir{1.0, 0.0, 0.0}; // unit length
};
