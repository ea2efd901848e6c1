#include "quillmark/dialog/DrawingAccess.h"

#include "arx/ads/AcedServices.h"
#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/db/AcDbDimStyleTable.h"
#include "arx/db/AcDbEntity.h"
#include "arx/db/AcDbLayerTable.h"
#include "arx/db/AcDbLinetypeTable.h"
#include "arx/db/AcDbRegAppTable.h"
#include "arx/db/AcDbTextStyleTable.h"
#include "arx/db/AcDbUCSTable.h"
#include "arx/db/AcDbViewTable.h"
#include "arx/db/AcDbViewportTable.h"

#include <cstdlib>

namespace {

const int kDefaultColor = 7;

// A record of `name` from the table of type Table: the four steps shared by
// layers and blocks. `what` names the table in the failure message.
template <class Table, class Record>
Record* findRecord(AcDbDatabase* database, const char* name, const char* what)
{
  if (database == nullptr || name == nullptr || name[0] == '\0') {
    return nullptr;
  }
  Table* table = nullptr;
  if (database->getSymbolTable(table, AcDb::kForRead) != Acad::eOk || table == nullptr) {
    return nullptr;
  }
  Record* record = nullptr;
  if (table->getAt(name, record, AcDb::kForRead, false) != Acad::eOk || record == nullptr) {
    acutPrintf("\nUnknown error in %s \"%s\".\n", what, name);
    table->close();
    return nullptr;
  }
  if (table->close() != Acad::eOk) {
    record->close(); // not handed out, so not left open either
    return nullptr;
  }
  return record;
}

// The names of one table kind; the nine kinds differ only in these two types.
template <class Table, class Iterator> int listNamesOf(AcDbDatabase* database, CStringList& list)
{
  Table* table = nullptr;
  Acad::ErrorStatus es = database->getSymbolTable(table, AcDb::kForRead);
  if (es != Acad::eOk) {
    return es;
  }
  Iterator* iterator = nullptr;
  es = table->newIterator(iterator, true, true);
  if (es != Acad::eOk) {
    table->close();
    return es;
  }
  int status = collectRecordNames(iterator, list);
  delete iterator;
  if (status != 0) {
    table->close();
    return status;
  }
  return table->close();
}

typedef int (*TableLister)(AcDbDatabase*, CStringList&);

// Indexed by SymbolTableKind.
const TableLister kTableListers[9] = {
    &listNamesOf<AcDbBlockTable, AcDbBlockTableIterator>,
    &listNamesOf<AcDbDimStyleTable, AcDbDimStyleTableIterator>,
    &listNamesOf<AcDbLayerTable, AcDbLayerTableIterator>,
    &listNamesOf<AcDbLinetypeTable, AcDbLinetypeTableIterator>,
    &listNamesOf<AcDbRegAppTable, AcDbRegAppTableIterator>,
    &listNamesOf<AcDbTextStyleTable, AcDbTextStyleTableIterator>,
    &listNamesOf<AcDbUCSTable, AcDbUCSTableIterator>,
    &listNamesOf<AcDbViewTable, AcDbViewTableIterator>,
    &listNamesOf<AcDbViewportTable, AcDbViewportTableIterator>,
};

} // namespace

// BYBLOCK is never inherited from the inserting reference: it is drawn in 7.
int entityColorIndex(AcDbDatabase* database, AcDbEntity* entity)
{
  if (entity == nullptr) {
    return kDefaultColor;
  }
  int index = entity->colorIndex();
  if (index != 256) {
    return index == 0 ? kDefaultColor : index;
  }
  char* layer = entity->layer();
  if (layer == nullptr) {
    return kDefaultColor;
  }
  int color = layerColorIndex(database, layer);
  std::free(layer);
  return color;
}

int layerColorIndex(AcDbDatabase* database, const char* name)
{
  AcDbLayerTableRecord* record = findLayerRecord(database, name);
  if (record == nullptr) {
    return kDefaultColor;
  }
  AcCmColor color = record->color();
  int index = color.colorIndex();
  record->close();
  return index;
}

AcDbLayerTableRecord* findLayerRecord(AcDbDatabase* database, const char* name)
{
  return findRecord<AcDbLayerTable, AcDbLayerTableRecord>(database, name, "layer");
}

AcDbBlockTableRecord* findBlockRecord(AcDbDatabase* database, const char* name)
{
  return findRecord<AcDbBlockTable, AcDbBlockTableRecord>(database, name, "block");
}

AcDbBlockTableRecord* openBlockRecord(AcDbObjectId id)
{
  if (c5ObjIdIsEqualTo(id, AcDbObjectId::kNull)) {
    return nullptr;
  }
  AcDbObject* object = nullptr;
  Acad::ErrorStatus es = acdbOpenAcDbObject(object, id, AcDb::kForRead, false);
  if (es == Acad::eOk) {
    if (object->isA()->isDerivedFrom(AcDbBlockTableRecord::desc())) {
      return static_cast<AcDbBlockTableRecord*>(object);
    }
    if (object->close() != Acad::eOk) {
      acrx_abort("Failed AcDbObject::close()");
    }
    es = Acad::eWrongObjectType;
  }
  acutPrintf("acdbOpenObject failed with error %d.\n", static_cast<int>(es));
  return nullptr;
}

int listTableNames(AcDbDatabase* database, CStringList& list, SymbolTableKind kind)
{
  if (kind > 8) {
    return Acad::eNotApplicable;
  }
  if (database == nullptr) {
    return Acad::eNullObjectPointer;
  }
  return kTableListers[kind](database, list);
}

int collectRecordNames(AcDbSymbolTableIterator* iterator, CStringList& list)
{
  iterator->start(true, true);
  while (!iterator->done()) {
    AcDbSymbolTableRecord* record = nullptr;
    Acad::ErrorStatus es = iterator->getRecord(record, AcDb::kForRead, false);
    if (es != Acad::eOk) {
      return es;
    }
    char* name = nullptr;
    record->getName(name);
    record->close();
    if (name != nullptr) {
      list.AddTail(name);
      std::free(name);
    }
    iterator->step(true, true);
  }
  return 0;
}
