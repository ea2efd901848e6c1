#include "arx/db/DrawingBuilder.h"

#include "arx/db/DrawingReadWatcher.h"

#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbDimStyleTable.h"
#include "arx/db/AcDbLinetypeTable.h"
#include "arx/db/AcDbRegAppTable.h"
#include "arx/db/AcDbTextStyleTable.h"
#include "arx/db/AcDbUCSTable.h"
#include "arx/db/AcDbViewTable.h"
#include "arx/db/AcDbViewportTable.h"

namespace {
AcDbSymbolTableRecord* newRecord(int kind)
{
  switch (kind) {
  case 0:
    return new AcDbBlockTableRecord;
  case 1:
    return new AcDbDimStyleTableRecord;
  case 2:
    return new AcDbLayerTableRecord;
  case 3:
    return new AcDbLinetypeTableRecord;
  case 4:
    return new AcDbRegAppTableRecord;
  case 5:
    return new AcDbTextStyleTableRecord;
  case 6:
    return new AcDbUCSTableRecord;
  case 7:
    return new AcDbViewTableRecord;
  default:
    return new AcDbViewportTableRecord;
  }
}

bool equalsNoCase(const char* a, const char* b)
{
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    char x = *a >= 'a' && *a <= 'z' ? static_cast<char>(*a - 32) : *a;
    char y = *b >= 'a' && *b <= 'z' ? static_cast<char>(*b - 32) : *b;
    if (x != y)
      return false;
  }
  return *a == *b;
}
} // namespace

void DrawingBuilder::addDefaults(bool newDrawing)
{
  block(ACDB_MODEL_SPACE);
  block(ACDB_PAPER_SPACE);
  layer("0");
  if (!newDrawing)
    return;
  record(3, "ByBlock");
  record(3, "ByLayer");
  record(3, "Continuous");
  record(1, "Standard");
  record(5, "Standard");
  record(4, "ACAD");
  record(8, "*Active");
}

AcDbSymbolTableRecord* DrawingBuilder::record(int kind, const char* name)
{
  if (kind < 0 || kind > 8 || name == nullptr || name[0] == '\0')
    return nullptr;
  AcDbSymbolTable* table = m_db.table(kind);
  if (AcDbSymbolTableRecord* found = table->find(name))
    return found;
  poll();
  AcDbSymbolTableRecord* r = newRecord(kind);
  r->m_name = name;
  table->insert(r);
  return r;
}

namespace {
const char* spaceName(const char* name)
{
  if (name != nullptr && equalsNoCase(name, "$MODEL_SPACE"))
    return ACDB_MODEL_SPACE;
  if (name != nullptr && equalsNoCase(name, "$PAPER_SPACE"))
    return ACDB_PAPER_SPACE;
  return name;
}
} // namespace

AcDbBlockTableRecord* DrawingBuilder::block(const char* name)
{
  return static_cast<AcDbBlockTableRecord*>(record(0, spaceName(name)));
}

AcDbBlockTableRecord* DrawingBuilder::findBlock(const char* name) const
{
  return static_cast<AcDbBlockTableRecord*>(m_db.table(0)->find(spaceName(name)));
}

AcDbLayerTableRecord* DrawingBuilder::layer(const char* name)
{
  return static_cast<AcDbLayerTableRecord*>(record(2, name));
}

void DrawingBuilder::setLayer(AcDbEntity* entity, const char* name)
{
  entity->m_layer = name != nullptr ? m_db.internName(name) : "";
}

void DrawingBuilder::askWatcher()
{
  DrawingReadWatcher* watcher = drawingReadWatcher();
  if (watcher == nullptr || m_cancelled)
    return;
  double fraction = m_position != nullptr ? m_position(m_positionArg) : 0.0;
  if (!watcher->advance(fraction))
    m_cancelled = true;
}

void DrawingBuilder::append(AcDbBlockTableRecord* block, AcDbEntity* entity)
{
  poll();
  m_db.makeResident(entity, block->objectId());
  block->m_entities.push_back(entity);
}
