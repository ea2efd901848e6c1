// AcDbCircle: a circle in the plane of its normal; the centre is in world coordinates.
#pragma once

#include "arx/db/AcDbCurve.h"

class AcDbCircle : public AcDbCurve {
public:
  ACRX_DECLARE_MEMBERS(AcDbCircle);
  AcDbCircle() = default;
  AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
      : m_center(center), m_normal(normal), m_radius(radius)
  {
  }

  AcGePoint3d center() const { return m_center; }
  double radius() const { return m_radius; }
  AcGeVector3d normal() const { return m_normal; }
  void setCenter(const AcGePoint3d& p) { m_center = p; }
  void setRadius(double r) { m_radius = r; }
  void setNormal(const AcGeVector3d& n) { m_normal = n; }
  bool isClosed() const override { return true; }
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

private:
  AcGePoint3d m_center;                 // world coordinates
  AcGeVector3d m_normal{0.0, 0.0, 1.0}; // the plane's normal
  double m_radius = 0.0;
};
