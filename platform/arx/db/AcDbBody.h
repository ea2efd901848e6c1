// AcDbBody: a non-manifold body (modeller data not kept).
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbBody : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbBody);
  AcDbBody() = default;
};
