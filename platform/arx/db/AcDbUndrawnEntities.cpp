// The entity classes whose geometry the preview does not read: multiline text,
// dimensions, modeller entities, sequence ends and kinds the reader does not model.
#include "arx/db/AcDbMText.h"

#include "arx/db/AcDb3dSolid.h"
#include "arx/db/AcDbBody.h"
#include "arx/db/AcDbDimension.h"
#include "arx/db/AcDbRegion.h"
#include "arx/db/AcDbSequenceEnd.h"
#include "arx/db/AcDbUnknownEntity.h"

ACRX_DEFINE_MEMBERS(AcDbMText, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbDimension, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbRegion, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDb3dSolid, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbBody, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbUnknownEntity, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbSequenceEnd, AcDbEntity)

AcDbUnknownEntity::AcDbUnknownEntity(const char* dxfName)
    : m_dxfName(dxfName != nullptr ? dxfName : "")
{
}
