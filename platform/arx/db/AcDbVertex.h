// AcDbVertex: the root of the vertex entities that 2D and 3D polylines own.
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbVertex : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbVertex);

protected:
  AcDbVertex() = default;
};
