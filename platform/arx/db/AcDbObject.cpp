#include "arx/db/AcDbObject.h"

#include <cstdio>

const AcDbObjectId AcDbObjectId::kNull;

AcDbHandle AcDbObjectId::handle() const
{
  return m_object != nullptr ? m_object->objectHandle() : AcDbHandle();
}

AcDbObject* acdbObjectOfId(const AcDbObjectId& id)
{
  return id.object();
}

bool c5ObjIdIsEqualTo(const AcDbObjectId& a, const AcDbObjectId& b)
{
  return a == b;
}

void AcDbHandle::getIntoAsciiBuffer(char* buffer) const
{
  std::snprintf(buffer, 17, "%llX", static_cast<unsigned long long>(m_value));
}

ACRX_DEFINE_MEMBERS(AcDbObject, AcRxObject)

AcDbObject::~AcDbObject() = default;

Acad::ErrorStatus AcDbObject::open(AcDb::OpenMode mode, bool openErased)
{
  if (m_database == nullptr)
    return Acad::eNotInDatabase;
  if (m_erased && !openErased)
    return Acad::eWasErased;
  if (m_openCount > 0) {
    // Readers share; a writer (or a notifier) has the object alone.
    if (m_forWrite)
      return Acad::eWasOpenForWrite;
    if (mode != AcDb::kForRead)
      return Acad::eWasOpenForRead;
    if (m_openCount == 0xFFFF)
      return Acad::eInvalidOpenState;
    ++m_openCount;
    return Acad::eOk;
  }
  m_openCount = 1;
  m_forWrite = mode != AcDb::kForRead;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::close()
{
  if (m_openCount == 0)
    return Acad::eNotOpenForRead;
  if (--m_openCount == 0)
    m_forWrite = false;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::erase(bool erasing)
{
  if (!isWriteEnabled())
    return Acad::eNotOpenForWrite;
  m_erased = erasing;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeOpen()
{
  if (m_openCount == 0)
    return Acad::eNotOpenForRead;
  if (m_forWrite)
    return Acad::eWasOpenForWrite;
  if (m_openCount > 1)
    return Acad::eWasOpenForRead; // other readers hold it
  m_forWrite = true;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen()
{
  if (!isWriteEnabled())
    return Acad::eNotOpenForWrite;
  m_forWrite = false;
  return Acad::eOk;
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased)
{
  object = nullptr;
  AcDbObject* target = acdbObjectOfId(id);
  if (target == nullptr)
    return Acad::eNullObjectId;
  Acad::ErrorStatus es = target->open(mode, openErased);
  if (es == Acad::eOk)
    object = target;
  return es;
}
