#include "arx/db/AcDbObjectIterator.h"

void AcDbObjectIterator::skip(bool backwards)
{
  long n = static_cast<long>(m_items->size());
  while (m_index >= 0 && m_index < n && (*m_items)[m_index]->isErased())
    m_index += backwards ? -1 : 1;
}

void AcDbObjectIterator::start(bool atEnd)
{
  m_index = atEnd ? static_cast<long>(m_items->size()) - 1 : 0;
  skip(atEnd);
}

bool AcDbObjectIterator::done() const
{
  return m_index < 0 || m_index >= static_cast<long>(m_items->size());
}

void AcDbObjectIterator::step(bool backwards, bool skipDeleted)
{
  if (done())
    return;
  m_index += backwards ? -1 : 1;
  if (skipDeleted)
    skip(backwards);
}

AcDbObjectId AcDbObjectIterator::objectId() const
{
  return done() ? AcDbObjectId::kNull : (*m_items)[m_index]->objectId();
}

AcDbEntity* AcDbObjectIterator::entity() const
{
  return done() ? nullptr : (*m_items)[m_index];
}
