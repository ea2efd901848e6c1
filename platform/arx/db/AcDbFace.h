// AcDbFace: a 3D face: four world corners (a triangle repeats one) and the
// visibility of its four edges (edge i runs from corner i to corner (i + 1) mod 4).
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbFace : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbFace);
  AcDbFace() = default;

  // eInvalidIndex for an index above 3 (the output is left alone).
  Acad::ErrorStatus getVertexAt(Adesk::UInt16 index, AcGePoint3d& point) const;
  Acad::ErrorStatus setVertexAt(Adesk::UInt16 index, const AcGePoint3d& point);
  Acad::ErrorStatus isEdgeVisibleAt(Adesk::UInt16 index, Adesk::Boolean& visible) const;
  Acad::ErrorStatus makeEdgeInvisibleAt(Adesk::UInt16 index);
  Acad::ErrorStatus makeEdgeVisibleAt(Adesk::UInt16 index);

private:
  AcGePoint3d m_corners[4];      // world coordinates
  unsigned char m_invisible = 0; // bit i set: edge i invisible
};
