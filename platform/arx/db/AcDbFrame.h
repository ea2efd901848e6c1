// AcDbFrame and the OLE frames derived from it.
//   AcDbFrame      the root of framed objects; no extents of its own
//   AcDbOleFrame   an OLE object; boxed by its corners when it has them
//   AcDbOle2Frame  an OLE 2 object (the kind every current drawing holds)
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbFrame : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbFrame);

protected:
  AcDbFrame() = default;
};

class AcDbOleFrame : public AcDbFrame {
public:
  ACRX_DECLARE_MEMBERS(AcDbOleFrame);
  AcDbOleFrame() = default;

  // The frame's upper-left and lower-right corners (world coordinates).
  void setCorners(const AcGePoint3d& upperLeft, const AcGePoint3d& lowerRight);
  bool hasCorners() const { return m_hasCorners; }
  // The box of the two corners; eInvalidExtents when the frame has none.
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

private:
  AcGePoint3d m_upperLeft;   // world coordinates
  AcGePoint3d m_lowerRight;  // world coordinates
  bool m_hasCorners = false; // the corners are known
};

class AcDbOle2Frame : public AcDbOleFrame {
public:
  ACRX_DECLARE_MEMBERS(AcDbOle2Frame);
  AcDbOle2Frame() = default;
};
