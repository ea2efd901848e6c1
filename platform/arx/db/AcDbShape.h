// AcDbShape: one shape of a shape font. Without the font file its extents are one
// character cell: `size` * `widthFactor` wide and `size` tall from the position,
// rotated by `rotation` (see AcDbText for the same convention).
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbShape : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbShape);
  AcDbShape() = default;

  AcGePoint3d position() const { return m_position; }
  double size() const { return m_size; }
  double rotation() const { return m_rotation; }
  double widthFactor() const { return m_widthFactor; }
  AcGeVector3d normal() const { return m_normal; }
  void setPosition(const AcGePoint3d& p) { m_position = p; }
  void setSize(double s) { m_size = s; }
  void setRotation(double r) { m_rotation = r; }
  void setWidthFactor(double w) { m_widthFactor = w; }
  void setNormal(const AcGeVector3d& n) { m_normal = n; }
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

private:
  AcGePoint3d m_position;               // world coordinates
  AcGeVector3d m_normal{0.0, 0.0, 1.0}; // the shape's plane
  double m_size = 1.0;
  double m_rotation = 0.0; // radians
  double m_widthFactor = 1.0;
};
