#include "arx/db/AcDbOwnedEntities.h"

#include "arx/db/AcDbDatabase.h"

AcDbOwnedEntities::~AcDbOwnedEntities()
{
  for (AcDbEntity* e : m_entities)
    delete e;
  delete m_sequenceEnd;
}

Acad::ErrorStatus AcDbOwnedEntities::append(const AcDbEntity& owner, AcDbEntity* entity)
{
  if (entity == nullptr)
    return Acad::eNullEntityPointer;
  if (entity->database() != nullptr)
    return Acad::eAlreadyInDb;
  m_entities.push_back(entity);
  AcDbDatabase* db = owner.database();
  if (db != nullptr)
    db->makeResident(entity, owner.objectId());
  if (m_sequenceEnd == nullptr) {
    m_sequenceEnd = new AcDbSequenceEnd;
    if (db != nullptr)
      db->makeResident(m_sequenceEnd, owner.objectId());
  }
  return Acad::eOk;
}
