// AcDbProxyEntity: an entity of a class whose application is not loaded. Its
// graphics are not kept, so it has no extents (getGeomExtents fails).
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbProxyEntity : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbProxyEntity);
  AcDbProxyEntity() = default;

  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
};
