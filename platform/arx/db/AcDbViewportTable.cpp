#include "arx/db/AcDbViewportTable.h"

ACRX_DEFINE_MEMBERS(AcDbViewportTableRecord, AcDbSymbolTableRecord)
ACDB_DEFINE_SYMBOL_TABLE(AcDbViewportTable, AcDbViewportTableRecord, AcDbViewportTableIterator)
