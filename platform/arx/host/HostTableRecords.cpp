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

template <typename Table>
std::vector<LispRef> recordsOf(AcDbDatabase* database, const std::string& kind)
{
  std::vector<LispRef> out;
  Table* table = nullptr;
  if (database->getSymbolTable(table, AcDb::kForRead) != Acad::eOk || table == nullptr)
    return out;
  for (long i = 0; i < table->recordCount(); ++i) {
    const AcDbSymbolTableRecord* record = table->recordAt(i);
    if (record == nullptr || record->isErased())
      continue;
    const AcDbBlockTableRecord* block = AcDbBlockTableRecord::cast(record);
    if (block != nullptr && block->isLayout())
      continue;
    out.push_back(recordList(kind, record));
  }
  table->close();
  return out;
}

} // namespace

std::vector<LispRef> hostTableRecords(AcDbDatabase* database, const std::string& table)
{
  if (database == nullptr)
    return {};
  if (table == "BLOCK")
    return recordsOf<AcDbBlockTable>(database, table);
  if (table == "LAYER")
    return recordsOf<AcDbLayerTable>(database, table);
  if (table == "LTYPE")
    return recordsOf<AcDbLinetypeTable>(database, table);
  if (table == "STYLE")
    return recordsOf<AcDbTextStyleTable>(database, table);
  if (table == "VIEW")
    return recordsOf<AcDbViewTable>(database, table);
  if (table == "UCS")
    return recordsOf<AcDbUCSTable>(database, table);
  if (table == "VPORT")
    return recordsOf<AcDbViewportTable>(database, table);
  if (table == "DIMSTYLE")
    return recordsOf<AcDbDimStyleTable>(database, table);
  if (table == "APPID")
    return recordsOf<AcDbRegAppTable>(database, table);
  return {};
}
