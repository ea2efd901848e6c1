// AcDbUCSTable: the named user coordinate systems, its records and iterator.
#pragma once

#include "arx/db/AcDbSymbolTable.h"

ACDB_DECLARE_PLAIN_RECORD(AcDbUCSTableRecord)
ACDB_DECLARE_SYMBOL_TABLE(AcDbUCSTable, AcDbUCSTableRecord, AcDbUCSTableIterator)
