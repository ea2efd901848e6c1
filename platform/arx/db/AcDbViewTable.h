// AcDbViewTable: the named views, its records and iterator.
#pragma once

#include "arx/db/AcDbSymbolTable.h"

ACDB_DECLARE_PLAIN_RECORD(AcDbViewTableRecord)
ACDB_DECLARE_SYMBOL_TABLE(AcDbViewTable, AcDbViewTableRecord, AcDbViewTableIterator)
