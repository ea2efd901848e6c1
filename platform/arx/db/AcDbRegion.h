// AcDbRegion: a bounded planar area (modeller data not kept).
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbRegion : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbRegion);
  AcDbRegion() = default;
};
