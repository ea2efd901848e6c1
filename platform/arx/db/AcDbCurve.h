// AcDbCurve: the root of the curve classes (lines, arcs, circles, ellipses, splines, polylines).
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbCurve : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbCurve);
  // True when the curve returns to its start (circles, closed polylines and splines).
  virtual bool isClosed() const { return false; }

protected:
  AcDbCurve() = default;
};
