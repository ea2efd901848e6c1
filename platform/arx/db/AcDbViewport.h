// AcDbViewport: a paper-space viewport: its frame's centre, width and height.
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbViewport : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbViewport);
  AcDbViewport() = default;

  AcGePoint3d centerPoint() const { return m_center; }
  double width() const { return m_width; }
  double height() const { return m_height; }
  void setCenterPoint(const AcGePoint3d& p) { m_center = p; }
  void setWidth(double w) { m_width = w; }
  void setHeight(double h) { m_height = h; }

private:
  AcGePoint3d m_center; // paper-space coordinates
  double m_width = 0.0;
  double m_height = 0.0;
};
