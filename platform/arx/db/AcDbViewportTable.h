// AcDbViewportTable: the viewport configurations ("*Active" in a default drawing), its records and
// iterator.
#pragma once

#include "arx/db/AcDbSymbolTable.h"

ACDB_DECLARE_PLAIN_RECORD(AcDbViewportTableRecord)
ACDB_DECLARE_SYMBOL_TABLE(AcDbViewportTable, AcDbViewportTableRecord, AcDbViewportTableIterator)
