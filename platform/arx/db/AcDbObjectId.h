// AcDbObjectId and AcDbHandle: how database objects are named.
//   AcDbHandle    the 64-bit handle an object keeps for the life of its drawing
//   AcDbObjectId  the session-wide name of a database-resident object; null when it names none
//   c5ObjIdIsEqualTo  the host's id comparison
#pragma once

#include "arx/db/Adesk.h"

class AcDbObject;

class AcDbHandle {
public:
  AcDbHandle() = default;
  explicit AcDbHandle(Adesk::UInt64 value) : m_value(value) {}
  bool isNull() const { return m_value == 0; }
  Adesk::UInt64 value() const { return m_value; }
  // The handle as the host prints it: upper-case hex, no leading zeros ("1F").
  void getIntoAsciiBuffer(char* buffer) const;
  bool operator==(const AcDbHandle& h) const { return m_value == h.m_value; }
  bool operator!=(const AcDbHandle& h) const { return m_value != h.m_value; }

private:
  Adesk::UInt64 m_value = 0; // 0: no handle
};

class AcDbObjectId {
public:
  AcDbObjectId() = default;

  static const AcDbObjectId kNull;

  bool isNull() const { return m_object == nullptr; }
  void setNull() { m_object = nullptr; }
  // A number that stands for the id (stable while its database lives).
  long asOldId() const { return static_cast<long>(reinterpret_cast<std::uintptr_t>(m_object)); }
  AcDbHandle handle() const;

  bool operator==(const AcDbObjectId& id) const { return m_object == id.m_object; }
  bool operator!=(const AcDbObjectId& id) const { return m_object != id.m_object; }
  bool operator<(const AcDbObjectId& id) const { return m_object < id.m_object; }

private:
  friend class AcDbObject;
  friend class AcDbDatabase;
  explicit AcDbObjectId(AcDbObject* object) : m_object(object) {}
  AcDbObject* object() const { return m_object; }
  friend AcDbObject* acdbObjectOfId(const AcDbObjectId& id);

  AcDbObject* m_object = nullptr; // the object named (objects live until their database dies)
};

// True when both ids name the same object (or both are null).
bool c5ObjIdIsEqualTo(const AcDbObjectId& a, const AcDbObjectId& b);
