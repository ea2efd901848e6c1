#include "arx/host/HostTableRecords.h"

#include "arx/host/HostEntityLists.h"

#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbBlockTableRecord.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/db/AcDbDimStyleTable.h"
#include "arx/db/AcDbLayerTable.h"
#include "arx/db/AcDbLinetypeTable.h"
#include "arx/db/AcDbRegAppTable.h"
#include "arx/db/AcDbTextStyleTable.h"
#include "arx/db/AcDbUCSTable.h"
#include "arx/db/AcDbViewTable.h"
#include "arx/db/AcDbViewportTable.h"
#include "arx/db/SymbolNameCase.h"

#include <type_traits>

namespace {

LispRef recordList(const std::string& kind, const AcDbSymbolTableRecord* record)
{
  LispListBuilder list;
  list.add(lispPair(0, lispStr(kind)));
  list.add(lispPair(2, lispStr(record->name())));
  if (const AcDbLayerTableRecord* layer = AcDbLayerTableRecord::cast(record)) {
    list.add(lispPair(70, lispInt(layer->isFrozen() ? 1 : 0)));
    int color = layer->color().colorIndex();
    list.add(lispPair(62, lispInt(layer->isOff() ? -color : color)));
    if (layer->color().isByColor())
      list.add(lispPair(420, lispInt(static_cast<int>(layer->color().rgb()))));
  } else if (const AcDbBlockTableRecord* block = AcDbBlockTableRecord::cast(record)) {
    list.add(lispPair(70, lispInt(block->isAnonymous() ? 1 : 0)));
    AcGePoint3d origin = block->origin();
    LispListBuilder point;
    point.add(lispReal(origin.x));
    point.add(lispReal(origin.y));
    point.add(lispReal(origin.z));
    list.add(lispCons(lispInt(10), point.finish()));
    // The block's first entity, from which entnext walks the others.
    if (LispRef first = hostFirstEntity(block))
      list.add(lispPair(-2, first));
  } else {
    list.add(lispPair(70, lispInt(0)));
  }
  return list.finish();
}

// Erased records and the layout blocks are not listed.
bool listed(const AcDbSymbolTableRecord* record)
{
  if (record == nullptr || record->isErased())
    return false;
  const AcDbBlockTableRecord* block = AcDbBlockTableRecord::cast(record);
  return block == nullptr || !block->isLayout();
}

// The record found in table `Table` of `database` (open for read while `find` runs):
// `find(table)` gives a position, or -1 for none.
template <typename Table, typename Find>
LispRef recordOf(AcDbDatabase* database, const std::string& kind, Find find, std::size_t& next)
{
  Table* table = nullptr;
  if (database->getSymbolTable(table, AcDb::kForRead) != Acad::eOk || table == nullptr)
    return nullptr;
  LispRef found;
  const long index = find(*table);
  if (index >= 0) {
    found = recordList(kind, table->recordAt(index));
    next = static_cast<std::size_t>(index) + 1;
  }
  table->close();
  return found;
}

template <typename Table>
LispRef recordFrom(AcDbDatabase* database, const std::string& kind, std::size_t position,
                   std::size_t& next)
{
  auto find = [position](const AcDbSymbolTable& table) -> long {
    for (long i = static_cast<long>(position); i < table.recordCount(); ++i)
      if (listed(table.recordAt(i)))
        return i;
    return -1;
  };
  return recordOf<Table>(database, kind, find, next);
}

template <typename Table>
LispRef recordNamed(AcDbDatabase* database, const std::string& kind, const std::string& name,
                    std::size_t& next)
{
  auto find = [&name](const AcDbSymbolTable& table) -> long {
    // The table's index finds the first record of the name; only when that one is not
    // listed (erased, or a layout) can a later one of the same name be.
    const long first = table.indexOf(name.c_str());
    if (first < 0 || listed(table.recordAt(first)))
      return first;
    const std::string key = symbolNameKey(name.c_str());
    for (long i = first + 1; i < table.recordCount(); ++i) {
      const AcDbSymbolTableRecord* record = table.recordAt(i);
      if (listed(record) && symbolNameKey(record->name()) == key)
        return i;
    }
    return -1;
  };
  return recordOf<Table>(database, kind, find, next);
}

// `visit` called with a null pointer of the class of table `table`; nil for no such table.
template <typename Visit> LispRef withTable(const std::string& table, Visit visit)
{
  if (table == "BLOCK")
    return visit(static_cast<AcDbBlockTable*>(nullptr));
  if (table == "LAYER")
    return visit(static_cast<AcDbLayerTable*>(nullptr));
  if (table == "LTYPE")
    return visit(static_cast<AcDbLinetypeTable*>(nullptr));
  if (table == "STYLE")
    return visit(static_cast<AcDbTextStyleTable*>(nullptr));
  if (table == "VIEW")
    return visit(static_cast<AcDbViewTable*>(nullptr));
  if (table == "UCS")
    return visit(static_cast<AcDbUCSTable*>(nullptr));
  if (table == "VPORT")
    return visit(static_cast<AcDbViewportTable*>(nullptr));
  if (table == "DIMSTYLE")
    return visit(static_cast<AcDbDimStyleTable*>(nullptr));
  if (table == "APPID")
    return visit(static_cast<AcDbRegAppTable*>(nullptr));
  return nullptr;
}

} // namespace

LispRef hostTableRecord(AcDbDatabase* database, const std::string& table, std::size_t position,
                        std::size_t& next)
{
  if (database == nullptr)
    return nullptr;
  return withTable(table, [&](auto* type) {
    using Table = std::remove_pointer_t<decltype(type)>;
    return recordFrom<Table>(database, table, position, next);
  });
}

LispRef hostTableSearch(AcDbDatabase* database, const std::string& table, const std::string& name,
                        std::size_t& next)
{
  if (database == nullptr)
    return nullptr;
  return withTable(table, [&](auto* type) {
    using Table = std::remove_pointer_t<decltype(type)>;
    return recordNamed<Table>(database, table, name, next);
  });
}
