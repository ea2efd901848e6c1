#include "arx/db/AcDbUCSTable.h"

ACRX_DEFINE_MEMBERS(AcDbUCSTableRecord, AcDbSymbolTableRecord)
ACDB_DEFINE_SYMBOL_TABLE(AcDbUCSTable, AcDbUCSTableRecord, AcDbUCSTableIterator)
