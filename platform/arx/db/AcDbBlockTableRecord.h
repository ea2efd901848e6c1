// AcDbBlockTableRecord: a block definition: its base point and its entities in drawing order.
//   AcDbBlockTableRecordIterator  a walk over the entities of one record
#pragma once

#include "arx/db/AcDbEntity.h"
#include "arx/db/AcDbObjectPool.h"
#include "arx/db/AcDbSymbolTable.h"
#include "arx/ge/AcGePoint3d.h"

#include <vector>

class AcDbBlockTableRecordIterator;

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
public:
  ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
  AcDbBlockTableRecord() = default;
  ~AcDbBlockTableRecord() override;

  // The base point: the point of the block that lands on a reference's insertion point.
  AcGePoint3d origin() const { return m_origin; }
  Acad::ErrorStatus setOrigin(const AcGePoint3d& origin);

  // A new iterator over the entities (delete it when done).
  Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                bool skipDeletedEntities = true) const;

  // Appends an entity made with new; the record must be open for write and in a
  // database. The entity becomes resident and open for write: the caller closes it.
  Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
  Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity);

  // True for the model and paper space records (names "*Model_Space", "*Paper_Space...").
  bool isLayout() const;
  bool isAnonymous() const;
  // Entities held, erased ones included.
  long entityCount() const { return static_cast<long>(m_entities.size()); }
  // The entity at `index` (0 .. entityCount() - 1, erased ones included), not opened.
  AcDbEntity* entityAt(long index) const { return m_entities[static_cast<std::size_t>(index)]; }

private:
  friend class AcDbBlockTableRecordIterator;
  friend class DrawingBuilder;

  // Owned, in drawing order. From the object pool: most blocks hold a few entities,
  // and a heap block each would cost its overhead in every one of thousands.
  std::vector<AcDbEntity*, AcDbPoolAllocator<AcDbEntity*>> m_entities;
  AcGePoint3d m_origin; // base point
};

class AcDbBlockTableRecordIterator {
public:
  // Positions at the first (or last) entity, passing erased ones when `skipDeleted`.
  void start(bool atBeginning = true, bool skipDeleted = true);
  bool done() const;
  void step(bool forward = true, bool skipDeleted = true);
  // Opens the current entity. eInvalidIndex when done; eWasErased for an erased
  // entity unless `openErasedEntity`.
  Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode openMode,
                              bool openErasedEntity = false) const;
  Acad::ErrorStatus getEntityId(AcDbObjectId& id) const;
  const AcDbBlockTableRecord* blockTableRecord() const { return m_record; }

private:
  friend class AcDbBlockTableRecord;
  explicit AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* record) : m_record(record) {}
  void skip(bool forward);

  const AcDbBlockTableRecord* m_record; // the record walked (must outlive the iterator)
  long m_index = 0;                     // current entity; outside the record when done
};
