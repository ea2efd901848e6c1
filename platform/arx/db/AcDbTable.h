// AcDbTable: a table entity, drawn through its anonymous block ("*T..."), as a block reference.
#pragma once

#include "arx/db/AcDbBlockReference.h"

class AcDbTable : public AcDbBlockReference {
public:
  ACRX_DECLARE_MEMBERS(AcDbTable);
  AcDbTable() = default;
};
