// AcDbArc: a circular arc, counter-clockwise about its normal from the start to the
// end angle. The centre is in world coordinates; the angles are measured in the
// arc's object coordinate system (from the OCS x axis), as stored, in radians.
#pragma once

#include "arx/db/AcDbCurve.h"

class AcDbArc : public AcDbCurve {
public:
  ACRX_DECLARE_MEMBERS(AcDbArc);
  AcDbArc() = default;

  AcGePoint3d center() const { return m_center; }
  double radius() const { return m_radius; }
  double startAngle() const { return m_startAngle; }
  double endAngle() const { return m_endAngle; }
  AcGeVector3d normal() const { return m_normal; }
  void setCenter(const AcGePoint3d& p) { m_center = p; }
  void setRadius(double r) { m_radius = r; }
  void setStartAngle(double a) { m_startAngle = a; }
  void setEndAngle(double a) { m_endAngle = a; }
  void setNormal(const AcGeVector3d& n) { m_normal = n; }

private:
  AcGePoint3d m_center;                 // world coordinates
  AcGeVector3d m_normal{0.0, 0.0, 1.0}; // the plane's normal
  double m_radius = 0.0;
  double m_startAngle = 0.0; // radians, in the OCS
  double m_endAngle = 0.0;   // radians, in the OCS
};
