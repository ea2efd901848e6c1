// AcDbEntity: the root of everything drawn in a block: colour, layer, extents.
#pragma once

#include "arx/db/AcCmColor.h"
#include "arx/db/AcDbExtents.h"
#include "arx/db/AcDbObject.h"

class AcDbEntity : public AcDbObject {
public:
  ACRX_DECLARE_MEMBERS(AcDbEntity);

  // The colour index: 0 BYBLOCK, 1..255, 256 BYLAYER (the default); for a true
  // colour its nearest index.
  Adesk::UInt16 colorIndex() const { return m_color; }
  Acad::ErrorStatus setColorIndex(Adesk::UInt16 index);
  // The colour, with its RGB when it is a true colour.
  AcCmColor color() const;
  Acad::ErrorStatus setColor(const AcCmColor& color);

  // The layer name as a new malloc'd copy that the caller releases with free();
  // null when the entity has no layer.
  char* layer() const;
  // The layer name itself, valid while the entity lives ("" when none).
  const char* layerName() const { return m_layer; }
  Acad::ErrorStatus setLayer(const char* name);

  // The id of the block table record holding the entity.
  AcDbObjectId blockId() const { return ownerId(); }

  // The axis-aligned box around the entity in world coordinates. Classes whose
  // extents are not computed return eInvalidExtents and leave `extents` alone.
  virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;

protected:
  AcDbEntity() = default;

private:
  friend class DrawingBuilder;
  friend class AcDbBlockTableRecord;

  const char* m_layer = "";    // interned name: owned by the database's (or the process's) pool
  Adesk::UInt16 m_color = 256; // colour index
  Adesk::UInt32 m_rgb = 0;     // a true colour: 0x1000000 | 0xRRGGBB; else 0
};
