// AcDbDimStyleTable: the dimension styles ("Standard" in a default drawing), its records and
// iterator.
#pragma once

#include "arx/db/AcDbSymbolTable.h"

ACDB_DECLARE_PLAIN_RECORD(AcDbDimStyleTableRecord)
ACDB_DECLARE_SYMBOL_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord, AcDbDimStyleTableIterator)
