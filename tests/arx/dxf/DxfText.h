// Helpers of the DXF reader's tests: DXF texts written compactly and read into a
// database, and the first entity of a block by class.
#pragma once

#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbDatabase.h"

#include <string>

// "0|SECTION|2|ENTITIES|..." -> one line per '|'-separated field, each ended by `eol`.
inline std::string dxfText(const std::string& compact, const char* eol = "\n")
{
  std::string out;
  std::size_t start = 0;
  for (;;) {
    std::size_t bar = compact.find('|', start);
    out += compact.substr(start, bar - start) + eol;
    if (bar == std::string::npos)
      return out;
    start = bar + 1;
  }
}

// Reads `text` into `db`, as file "t.dxf".
inline Acad::ErrorStatus readDxf(AcDbDatabase& db, const std::string& text)
{
  return db.readDxfText(text.data(), text.size(), "t.dxf");
}

// The `index`-th entity of class T in block `block` (not left open), or null.
template <class T> T* nthEntity(AcDbDatabase& db, const char* block, int index = 0)
{
  AcDbBlockTable* table = nullptr;
  if (db.getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
    return nullptr;
  AcDbBlockTableRecord* record = nullptr;
  Acad::ErrorStatus es = table->getAt(block, record, AcDb::kForRead);
  table->close();
  if (es != Acad::eOk)
    return nullptr;
  AcDbBlockTableRecordIterator* it = nullptr;
  record->newIterator(it);
  T* found = nullptr;
  for (; !it->done() && found == nullptr; it->step()) {
    AcDbEntity* e = nullptr;
    if (it->getEntity(e, AcDb::kForRead) != Acad::eOk)
      continue;
    if (T::cast(e) != nullptr && index-- == 0)
      found = T::cast(e);
    e->close();
  }
  delete it;
  record->close();
  return found;
}
