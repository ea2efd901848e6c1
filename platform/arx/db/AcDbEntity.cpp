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
  m_rgb = 0;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color)
{
  if (!color.isByColor())
    return setColorIndex(color.colorIndex());
  m_color = color.colorIndex();
  m_rgb = 0x1000000 | color.rgb();
  return Acad::eOk;
}

AcCmColor AcDbEntity::color() const
{
  AcCmColor c(m_color);
  if (m_rgb != 0)
    c.setRGB(static_cast<Adesk::UInt8>(m_rgb >> 16), static_cast<Adesk::UInt8>(m_rgb >> 8),
             static_cast<Adesk::UInt8>(m_rgb));
  return c;
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
