// AcDbLayerTable: the layers of a database ("0" in every database), its records and iterator.
#pragma once

#include "arx/db/AcCmColor.h"
#include "arx/db/AcDbSymbolTable.h"

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
public:
  ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);
  AcDbLayerTableRecord() = default;

  // The layer's colour (index 1..255; a layer switched off keeps its positive index).
  AcCmColor color() const { return m_color; }
  void setColor(const AcCmColor& color) { m_color = color; }
  bool isOff() const { return m_off; }
  void setIsOff(bool off) { m_off = off; }
  bool isFrozen() const { return m_frozen; }
  void setIsFrozen(bool frozen) { m_frozen = frozen; }

private:
  AcCmColor m_color = AcCmColor(7); // the layer's colour; 7 for a new layer
  bool m_off = false;               // switched off
  bool m_frozen = false;            // frozen
};

ACDB_DECLARE_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord, AcDbLayerTableIterator)
