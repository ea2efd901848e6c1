// AcDb3dSolid: a 3D solid (modeller data not kept).
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDb3dSolid : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDb3dSolid);
  AcDb3dSolid() = default;
};
