#include "arx/db/AcDbEntity.h"

#include "arx/db/AcDbDatabase.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_set>

ACRX_DEFINE_MEMBERS(AcDbEntity, AcDbObject)

namespace {
// Layer names of entities that belong to no database yet (made by hand, not read).
const char* internOutsideDatabase(const char* name)
{
  static std::unordered_set<std::string>* pool = new std::unordered_set<std::string>;
  return pool->insert(name).first->c_str();
}
} // namespace

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 index)
{
  if (index > 256)
    return Acad::eInvalidInput;
  m_color = index;
  return Acad::eOk;
}

AcCmColor AcDbEntity::color() const
{
  return AcCmColor(m_color);
}

char* AcDbEntity::layer() const
{
  if (m_layer == nullptr || m_layer[0] == '\0')
    return nullptr;
  std::size_t n = std::strlen(m_layer) + 1;
  char* copy = static_cast<char*>(std::malloc(n));
  if (copy != nullptr)
    std::memcpy(copy, m_layer, n);
  return copy;
}

Acad::ErrorStatus AcDbEntity::setLayer(const char* name)
{
  if (name == nullptr || name[0] == '\0')
    return Acad::eInvalidInput;
  m_layer = database() != nullptr ? database()->internName(name) : internOutsideDatabase(name);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents&) const
{
  return Acad::eInvalidExtents;
}
