// hostTableRecords: the records of a symbol table as tblnext and tblsearch return
// them: ((0 . "LAYER") (2 . "WALLS") (70 . 0) (62 . 1) ...), in table order,
// without erased records and without the layout blocks (*MODEL_SPACE, *PAPER_SPACE).
//   BLOCK  (0 . "BLOCK") (2 . name) (70 . flags: 1 anonymous) (10 x y z) base point
//          (-2 . first entity), when the block holds one
//   LAYER  (0 . "LAYER") (2 . name) (70 . flags: 1 frozen) (62 . colour, negative when off)
//   other  (0 . kind) (2 . name) (70 . 0)
#pragma once

#include "arx/lisp/LispValue.h"

#include <string>
#include <vector>

class AcDbDatabase;

// `table` is one of BLOCK LAYER LTYPE STYLE VIEW UCS VPORT DIMSTYLE APPID; anything
// else, or a null database, gives no records.
std::vector<LispRef> hostTableRecords(AcDbDatabase* database, const std::string& table);
