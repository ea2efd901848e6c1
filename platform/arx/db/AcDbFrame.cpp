#include "arx/db/AcDbFrame.h"

#include "arx/db/AcDbProxyEntity.h"
#include "arx/db/AcDbViewport.h"

ACRX_DEFINE_MEMBERS(AcDbFrame, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbOleFrame, AcDbFrame)
ACRX_DEFINE_MEMBERS(AcDbOle2Frame, AcDbOleFrame)
ACRX_DEFINE_MEMBERS(AcDbProxyEntity, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbViewport, AcDbEntity)

void AcDbOleFrame::setCorners(const AcGePoint3d& upperLeft, const AcGePoint3d& lowerRight)
{
  m_upperLeft = upperLeft;
  m_lowerRight = lowerRight;
  m_hasCorners = true;
}

Acad::ErrorStatus AcDbOleFrame::getGeomExtents(AcDbExtents& extents) const
{
  if (!m_hasCorners)
    return Acad::eInvalidExtents;
  AcDbExtents box;
  box.addPoint(m_upperLeft);
  box.addPoint(m_lowerRight);
  extents = box;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbProxyEntity::getGeomExtents(AcDbExtents&) const
{
  return Acad::eInvalidExtents; // the proxy's graphics are not kept
}
