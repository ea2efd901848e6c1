// AcDbUnknownEntity: an entity of a kind the reader does not model. It keeps its
// layer, colour and DXF type name, and derives from none of the drawn classes.
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbUnknownEntity : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbUnknownEntity);
  explicit AcDbUnknownEntity(const char* dxfName = "");

  // The DXF type of the entity ("LIGHT", "MESH", ...), interned.
  const char* dxfName() const { return m_dxfName; }

private:
  const char* m_dxfName; // interned type name
};
