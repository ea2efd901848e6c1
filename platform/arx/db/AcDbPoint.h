// AcDbPoint: a point entity (world coordinates).
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbPoint : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbPoint);
  AcDbPoint() = default;
  explicit AcDbPoint(const AcGePoint3d& position) : m_position(position) {}

  AcGePoint3d position() const { return m_position; }
  void setPosition(const AcGePoint3d& p) { m_position = p; }
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

private:
  AcGePoint3d m_position; // world coordinates
};
