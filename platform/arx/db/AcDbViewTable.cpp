#include "arx/db/AcDbViewTable.h"

ACRX_DEFINE_MEMBERS(AcDbViewTableRecord, AcDbSymbolTableRecord)
ACDB_DEFINE_SYMBOL_TABLE(AcDbViewTable, AcDbViewTableRecord, AcDbViewTableIterator)
