// AcDbBlockTable: the block definitions of a database ("*Model_Space" and
// "*Paper_Space" first, as every database has them), and its iterator.
#pragma once

#include "arx/db/AcDbBlockTableRecord.h"
#include "arx/db/AcDbSymbolTable.h"

#define ACDB_MODEL_SPACE "*Model_Space"
#define ACDB_PAPER_SPACE "*Paper_Space"

ACDB_DECLARE_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord, AcDbBlockTableIterator)
