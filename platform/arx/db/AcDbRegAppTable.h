// AcDbRegAppTable: the registered application names ("ACAD" in a default drawing), its records and
// iterator.
#pragma once

#include "arx/db/AcDbSymbolTable.h"

ACDB_DECLARE_PLAIN_RECORD(AcDbRegAppTableRecord)
ACDB_DECLARE_SYMBOL_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord, AcDbRegAppTableIterator)
