// AcDbOwnedEntities: the entities an entity owns and lists after itself (a 2D or 3D
// polyline's vertices, a block reference's attributes), in order, and the sequence end
// that closes them, made with the first one. Deleting the list deletes them all.
#pragma once

#include "arx/db/AcDbSequenceEnd.h"

#include <vector>

class AcDbOwnedEntities {
public:
  AcDbOwnedEntities() = default;
  AcDbOwnedEntities(const AcDbOwnedEntities&) = delete;
  AcDbOwnedEntities& operator=(const AcDbOwnedEntities&) = delete;
  ~AcDbOwnedEntities();

  // Appends `entity`, which must belong to no database yet, as owned by `owner`: when
  // the owner is in a database, the entity (and with the first one the sequence end)
  // becomes resident there under the owner's id.
  Acad::ErrorStatus append(const AcDbEntity& owner, AcDbEntity* entity);

  const std::vector<AcDbEntity*>& entities() const { return m_entities; }
  AcDbSequenceEnd* sequenceEnd() const { return m_sequenceEnd; }

private:
  std::vector<AcDbEntity*> m_entities;
  AcDbSequenceEnd* m_sequenceEnd = nullptr;
};
