// AcDbTrace: a wide line segment, filled as a quadrilateral. Corners are given in world
// coordinates; the fill order is 0, 1, 3, 2, as the host draws it.
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbTrace : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbTrace);
  AcDbTrace() = default;

  // eInvalidIndex for an index above 3 (the output is left alone).
  Acad::ErrorStatus getPointAt(Adesk::UInt16 index, AcGePoint3d& point) const;
  Acad::ErrorStatus setPointAt(Adesk::UInt16 index, const AcGePoint3d& point);
  AcGeVector3d normal() const { return m_normal; }
  void setNormal(const AcGeVector3d& n) { m_normal = n; }

private:
  AcGePoint3d m_corners[4];             // world coordinates
  AcGeVector3d m_normal{0.0, 0.0, 1.0}; // the plane's normal
};
