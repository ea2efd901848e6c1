// AcDbSequenceEnd: the SEQEND that closes the entities an entity owns (a 2D or 3D
// polyline's vertices, a block reference's attributes). Its owner makes it with its
// first owned entity and deletes it; it has no geometry.
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbSequenceEnd : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbSequenceEnd);
  AcDbSequenceEnd() = default;
};
