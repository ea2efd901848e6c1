// AcDbObject: the root of every database-resident object, with the host's open/close rules.
//   acdbOpenAcDbObject  open an object by id
//   acdbOpenObject      the same, checked against a class (eWrongObjectType otherwise)
//
// Open rules, as the host has them: any number of readers at once (an object open
// for read may be opened for read again, and each open is matched by one close);
// a writer has the object alone; close() of an object that is not open fails with
// eNotOpenForRead. Erased objects open only when the caller asks for erased ones.
#pragma once

#include "arx/db/AcDb.h"
#include "arx/db/AcDbObjectId.h"
#include "arx/db/AcadErrorStatus.h"
#include "arx/rx/AcRxObject.h"

#include <cstddef>

class AcDbDatabase;

class AcDbObject : public AcRxObject {
public:
  ACRX_DECLARE_MEMBERS(AcDbObject);
  ~AcDbObject() override;

  AcDbObjectId objectId() const { return AcDbObjectId(const_cast<AcDbObject*>(this)); }
  AcDbObjectId ownerId() const { return m_ownerId; }
  AcDbHandle objectHandle() const { return AcDbHandle(m_handle); }
  void getAcDbHandle(AcDbHandle& handle) const { handle = AcDbHandle(m_handle); }
  // The database holding the object; null before it is added to one.
  AcDbDatabase* database() const { return m_database; }

  bool isReadEnabled() const { return m_openCount > 0; }
  bool isWriteEnabled() const { return m_openCount > 0 && m_forWrite; }
  bool isErased() const { return m_erased; }

  // Ends one open. eNotOpenForRead when the object is not open. An object that
  // belongs to no database is never open: its maker deletes it.
  Acad::ErrorStatus close();
  // Erases (or un-erases) the object; it must be open for write.
  Acad::ErrorStatus erase(bool erasing = true);
  Acad::ErrorStatus upgradeOpen();
  Acad::ErrorStatus downgradeOpen();

  // Objects come from a pool of small fixed-size blocks (AcDbObjectPool): a drawing
  // holds hundreds of thousands of small objects, and a heap allocation for each is
  // slow on the Windows heap.
  static void* operator new(std::size_t size);
  static void operator delete(void* object, std::size_t size);

protected:
  AcDbObject() = default;

private:
  friend class AcDbDatabase;
  friend class DrawingBuilder;
  friend class AcDbSymbolTable;
  friend class AcDbBlockTableRecord;
  friend Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*&, AcDbObjectId, AcDb::OpenMode, bool);

  Acad::ErrorStatus open(AcDb::OpenMode mode, bool openErased);

  AcDbDatabase* m_database = nullptr; // holding database, null while not resident
  AcDbObjectId m_ownerId;             // the table, record or entity that owns this one
  Adesk::UInt64 m_handle = 0;         // handle in the database, 0 while not resident
  Adesk::UInt16 m_openCount = 0;      // readers (or 1 writer) holding it open
  bool m_forWrite = false;            // the open is for write
  bool m_erased = false;              // erased: skipped by iterators, not opened by default
};

// Opens the object `id` names. eNullObjectId for a null id, eWasErased for an
// erased object unless `openErased`, eWasOpenForWrite / eWasOpenForRead when the
// open mode conflicts with an open that is in force.
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);

// As acdbOpenAcDbObject, and the object must be of class T or derived from it:
// otherwise it is left closed and the status is eWrongObjectType.
template <class T>
Acad::ErrorStatus acdbOpenObject(T*& object, AcDbObjectId id, AcDb::OpenMode mode,
                                 bool openErased = false)
{
  object = nullptr;
  AcDbObject* any = nullptr;
  Acad::ErrorStatus es = acdbOpenAcDbObject(any, id, mode, openErased);
  if (es != Acad::eOk)
    return es;
  object = T::cast(any);
  if (object == nullptr) {
    any->close();
    return Acad::eWrongObjectType;
  }
  return Acad::eOk;
}
