#include "arx/db/AcDbDatabase.h"

#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDb3dPolyline.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbDimStyleTable.h"
#include "arx/db/AcDbLayerTable.h"
#include "arx/db/AcDbLinetypeTable.h"
#include "arx/db/AcDbRegAppTable.h"
#include "arx/db/AcDbTextStyleTable.h"
#include "arx/db/AcDbUCSTable.h"
#include "arx/db/AcDbViewTable.h"
#include "arx/db/AcDbViewportTable.h"
#include "arx/db/DrawingBuilder.h"

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool /*noDocument*/)
{
  m_tables[0] = new AcDbBlockTable;
  m_tables[1] = new AcDbDimStyleTable;
  m_tables[2] = new AcDbLayerTable;
  m_tables[3] = new AcDbLinetypeTable;
  m_tables[4] = new AcDbRegAppTable;
  m_tables[5] = new AcDbTextStyleTable;
  m_tables[6] = new AcDbUCSTable;
  m_tables[7] = new AcDbViewTable;
  m_tables[8] = new AcDbViewportTable;
  for (AcDbSymbolTable* t : m_tables)
    makeResident(t, AcDbObjectId::kNull);
  // Every database has its model and paper space and layer "0", read into or not.
  DrawingBuilder builder(*this);
  builder.addDefaults(buildDefaultDrawing);
}

AcDbDatabase::~AcDbDatabase()
{
  for (AcDbSymbolTable* t : m_tables)
    delete t;
}

void AcDbDatabase::discardContents()
{
  for (AcDbSymbolTable*& t : m_tables) {
    AcDbSymbolTable* fresh = nullptr;
    switch (&t - m_tables) {
    case 0:
      fresh = new AcDbBlockTable;
      break;
    case 1:
      fresh = new AcDbDimStyleTable;
      break;
    case 2:
      fresh = new AcDbLayerTable;
      break;
    case 3:
      fresh = new AcDbLinetypeTable;
      break;
    case 4:
      fresh = new AcDbRegAppTable;
      break;
    case 5:
      fresh = new AcDbTextStyleTable;
      break;
    case 6:
      fresh = new AcDbUCSTable;
      break;
    case 7:
      fresh = new AcDbViewTable;
      break;
    default:
      fresh = new AcDbViewportTable;
      break;
    }
    delete t;
    t = fresh;
    makeResident(t, AcDbObjectId::kNull);
  }
  m_version.clear();
  DrawingBuilder builder(*this);
  builder.addDefaults(false);
}

void AcDbDatabase::makeResident(AcDbObject* object, AcDbObjectId owner)
{
  object->m_database = this;
  object->m_ownerId = owner;
  object->m_handle = m_nextHandle++;
  // Polylines own their vertices, references their attributes, and both the SEQEND
  // after them: those join the database with them.
  AcDbObjectIterator* it = nullptr;
  AcDbSequenceEnd* end = nullptr;
  const AcRxClass* cls = object->isA();
  if (cls == AcDb2dPolyline::desc()) {
    it = static_cast<const AcDb2dPolyline*>(object)->vertexIterator();
    end = static_cast<const AcDb2dPolyline*>(object)->sequenceEnd();
  } else if (cls == AcDb3dPolyline::desc()) {
    it = static_cast<const AcDb3dPolyline*>(object)->vertexIterator();
    end = static_cast<const AcDb3dPolyline*>(object)->sequenceEnd();
  } else if (const AcDbBlockReference* r = AcDbBlockReference::cast(object)) {
    it = r->attributeIterator();
    end = r->sequenceEnd();
  }
  if (it != nullptr) {
    for (it->start(); !it->done(); it->step(false, false))
      if (it->entity()->m_database == nullptr)
        makeResident(it->entity(), object->objectId());
    delete it;
  }
  if (end != nullptr && end->m_database == nullptr)
    makeResident(end, object->objectId());
}

const char* AcDbDatabase::internName(const char* name)
{
  auto it = m_nameIndex.find(name);
  if (it != m_nameIndex.end())
    return it->second;
  m_names.emplace_back(name);
  const char* stored = m_names.back().c_str();
  m_nameIndex.emplace(m_names.back(), stored);
  return stored;
}

namespace {
template <class Table>
Acad::ErrorStatus openTable(AcDbSymbolTable* any, Table*& table, AcDb::OpenMode mode)
{
  table = nullptr;
  AcDbObject* object = nullptr;
  Acad::ErrorStatus es = acdbOpenAcDbObject(object, any->objectId(), mode);
  if (es == Acad::eOk)
    table = static_cast<Table*>(object);
  return es;
}
} // namespace

Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbBlockTable*& t, AcDb::OpenMode mode)
{
  return openTable(m_tables[0], t, mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbDimStyleTable*& t, AcDb::OpenMode mode)
{
  return openTable(m_tables[1], t, mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbLayerTable*& t, AcDb::OpenMode mode)
{
  return openTable(m_tables[2], t, mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbLinetypeTable*& t, AcDb::OpenMode mode)
{
  return openTable(m_tables[3], t, mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbRegAppTable*& t, AcDb::OpenMode mode)
{
  return openTable(m_tables[4], t, mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbTextStyleTable*& t, AcDb::OpenMode mode)
{
  return openTable(m_tables[5], t, mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbUCSTable*& t, AcDb::OpenMode mode)
{
  return openTable(m_tables[6], t, mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbViewTable*& t, AcDb::OpenMode mode)
{
  return openTable(m_tables[7], t, mode);
}
Acad::ErrorStatus AcDbDatabase::getSymbolTable(AcDbViewportTable*& t, AcDb::OpenMode mode)
{
  return openTable(m_tables[8], t, mode);
}
Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& t, AcDb::OpenMode mode)
{
  return getSymbolTable(t, mode);
}
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& t, AcDb::OpenMode mode)
{
  return getSymbolTable(t, mode);
}

AcDbObjectId AcDbDatabase::blockTableId() const
{
  return m_tables[0]->objectId();
}

AcDbObjectId AcDbDatabase::layerTableId() const
{
  return m_tables[2]->objectId();
}
