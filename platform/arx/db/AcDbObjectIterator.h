// AcDbObjectIterator: a walk over the entities an entity owns (the vertices of a
// 2D or 3D polyline). It must not outlive its owner.
#pragma once

#include "arx/db/AcDbEntity.h"

#include <vector>

class AcDbObjectIterator {
public:
  explicit AcDbObjectIterator(const std::vector<AcDbEntity*>* items) : m_items(items) {}

  // Positions at the first (or, `atEnd`, the last) item, passing erased ones.
  void start(bool atEnd = false);
  bool done() const;
  // Moves to the next (or previous) item, passing erased ones when `skipDeleted`.
  void step(bool backwards = false, bool skipDeleted = true);
  // The current item's id; null when done.
  AcDbObjectId objectId() const;
  // The current item, not opened (null when done).
  AcDbEntity* entity() const;

private:
  void skip(bool backwards);

  const std::vector<AcDbEntity*>* m_items; // owner's items, in order
  long m_index = 0;                        // current item
};
