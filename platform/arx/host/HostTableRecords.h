// hostTableRecord, hostTableSearch: the records of a symbol table as tblnext and
// tblsearch return them, one at a time: ((0 . "LAYER") (2 . "WALLS") (70 . 0) ...),
// in table order, without erased records and without the layout blocks (*MODEL_SPACE,
// *PAPER_SPACE).
//   BLOCK  (0 . "BLOCK") (2 . name) (70 . flags: 1 anonymous) (10 x y z) base point
//          (-2 . first entity), when the block holds one
//   LAYER  (0 . "LAYER") (2 . name) (70 . flags: 1 frozen) (62 . colour, negative when off)
//   other  (0 . kind) (2 . name) (70 . 0)
#pragma once

#include "arx/lisp/LispValue.h"

#include <cstddef>
#include <string>

class AcDbDatabase;

// A position counts every record of the table (recordAt), erased ones and layouts
// included. `table` is one of BLOCK LAYER LTYPE STYLE VIEW UCS VPORT DIMSTYLE APPID;
// anything else, or a null database, gives no records. Both give nil, with `next`
// unchanged, when no record answers.
//   hostTableRecord: the first record listed at `position` or after it; `next` is then
//                    the position after it
//   hostTableSearch: the first record listed whose name is `name` (names compare as
//                    the table compares them); `next` is then the position after it
LispRef hostTableRecord(AcDbDatabase* database, const std::string& table, std::size_t position,
                        std::size_t& next);
LispRef hostTableSearch(AcDbDatabase* database, const std::string& table, const std::string& name,
                        std::size_t& next);
