// AcDbDimension: a dimension; its graphics live in an anonymous block ("*D...").
#pragma once

#include "arx/db/AcDbEntity.h"

class AcDbDimension : public AcDbEntity {
public:
  ACRX_DECLARE_MEMBERS(AcDbDimension);
  AcDbDimension() = default;

  AcDbObjectId dimBlockId() const { return m_block; }
  void setDimBlockId(AcDbObjectId id) { m_block = id; }

private:
  AcDbObjectId m_block; // the block holding the dimension's graphics
};
