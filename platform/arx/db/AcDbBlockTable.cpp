#include "arx/db/AcDbBlockTable.h"

ACDB_DEFINE_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord, AcDbBlockTableIterator)
