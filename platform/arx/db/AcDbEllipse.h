// AcDbEllipse: an ellipse or elliptical arc in world coordinates. A point at
// parameter t is center + majorAxis cos t + minorAxis sin t, with minorAxis =
// radiusRatio * (normal x majorAxis); the arc runs from startParam to endParam.
#pragma once

#include "arx/db/AcDbCurve.h"

class AcDbEllipse : public AcDbCurve {
public:
  ACRX_DECLARE_MEMBERS(AcDbEllipse);
  AcDbEllipse() = default;

  AcGePoint3d center() const { return m_center; }
  AcGeVector3d normal() const { return m_normal; }
  AcGeVector3d majorAxis() const { return m_majorAxis; }
  AcGeVector3d minorAxis() const;
  double radiusRatio() const { return m_ratio; }
  double startParam() const { return m_startParam; }
  double endParam() const { return m_endParam; }
  Acad::ErrorStatus set(const AcGePoint3d& center, const AcGeVector3d& normal,
                        const AcGeVector3d& majorAxis, double radiusRatio, double startParam = 0.0,
                        double endParam = 6.283185307179586);
  bool isClosed() const override;
  // The exact box of the curve (the arc only, for an elliptical arc).
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

private:
  AcGePoint3d m_center;                    // world coordinates
  AcGeVector3d m_normal{0.0, 0.0, 1.0};    // plane normal
  AcGeVector3d m_majorAxis{1.0, 0.0, 0.0}; // centre to the end of the major axis
  double m_ratio = 1.0;                    // minor / major
  double m_startParam = 0.0;               // radians
  double m_endParam = 6.283185307179586;   // radians
};
