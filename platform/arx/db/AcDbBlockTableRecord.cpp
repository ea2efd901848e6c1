#include "arx/db/AcDbBlockTableRecord.h"

#include "arx/db/AcDbDatabase.h"

#include <cstring>

ACRX_DEFINE_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord)

AcDbBlockTableRecord::~AcDbBlockTableRecord()
{
  for (AcDbEntity* e : m_entities)
    delete e;
}

Acad::ErrorStatus AcDbBlockTableRecord::setOrigin(const AcGePoint3d& origin)
{
  if (database() != nullptr && !isWriteEnabled())
    return Acad::eNotOpenForWrite;
  m_origin = origin;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& iterator,
                                                    bool atBeginning,
                                                    bool skipDeletedEntities) const
{
  iterator = new AcDbBlockTableRecordIterator(this);
  iterator->start(atBeginning, skipDeletedEntities);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity)
{
  id = AcDbObjectId::kNull;
  if (entity == nullptr)
    return Acad::eNullEntityPointer;
  if (database() == nullptr)
    return Acad::eNotInDatabase;
  if (!isWriteEnabled())
    return Acad::eNotOpenForWrite;
  if (entity->database() != nullptr)
    return Acad::eAlreadyInDb;
  database()->makeResident(entity, objectId());
  m_entities.push_back(entity);
  entity->m_openCount = 1; // the caller closes it
  entity->m_forWrite = true;
  id = entity->objectId();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity)
{
  AcDbObjectId id;
  return appendAcDbEntity(id, entity);
}

namespace {
bool startsWithNoCase(const char* s, const char* prefix)
{
  for (; *prefix != '\0'; ++s, ++prefix) {
    char a = *s >= 'a' && *s <= 'z' ? static_cast<char>(*s - 32) : *s;
    char b = *prefix >= 'a' && *prefix <= 'z' ? static_cast<char>(*prefix - 32) : *prefix;
    if (a != b)
      return false;
  }
  return true;
}
} // namespace

bool AcDbBlockTableRecord::isLayout() const
{
  return startsWithNoCase(name(), "*MODEL_SPACE") || startsWithNoCase(name(), "*PAPER_SPACE");
}

bool AcDbBlockTableRecord::isAnonymous() const
{
  return name()[0] == '*' && !isLayout();
}

// Iterator

void AcDbBlockTableRecordIterator::skip(bool forward)
{
  long n = m_record->entityCount();
  while (m_index >= 0 && m_index < n && m_record->m_entities[m_index]->isErased())
    m_index += forward ? 1 : -1;
}

void AcDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeleted)
{
  m_index = atBeginning ? 0 : m_record->entityCount() - 1;
  if (skipDeleted)
    skip(atBeginning);
}

bool AcDbBlockTableRecordIterator::done() const
{
  return m_index < 0 || m_index >= m_record->entityCount();
}

void AcDbBlockTableRecordIterator::step(bool forward, bool skipDeleted)
{
  if (done())
    return;
  m_index += forward ? 1 : -1;
  if (skipDeleted)
    skip(forward);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& id) const
{
  if (done()) {
    id = AcDbObjectId::kNull;
    return Acad::eInvalidIndex;
  }
  id = m_record->m_entities[m_index]->objectId();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& entity,
                                                          AcDb::OpenMode openMode,
                                                          bool openErasedEntity) const
{
  entity = nullptr;
  AcDbObjectId id;
  Acad::ErrorStatus es = getEntityId(id);
  if (es != Acad::eOk)
    return es;
  AcDbObject* object = nullptr;
  es = acdbOpenAcDbObject(object, id, openMode, openErasedEntity);
  if (es == Acad::eOk)
    entity = static_cast<AcDbEntity*>(object);
  return es;
}
