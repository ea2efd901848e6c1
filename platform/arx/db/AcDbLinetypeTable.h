// AcDbLinetypeTable: the linetypes ("ByBlock", "ByLayer", "Continuous" in a default drawing), its
// records and iterator.
#pragma once

#include "arx/db/AcDbSymbolTable.h"

ACDB_DECLARE_PLAIN_RECORD(AcDbLinetypeTableRecord)
ACDB_DECLARE_SYMBOL_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord, AcDbLinetypeTableIterator)
