#include "arx/rx/AcRxObject.h"

#include "arx/rx/AcRxDictionary.h"

AcRxObject::~AcRxObject() = default;

AcRxClass* AcRxObject::desc()
{
  static AcRxClass* const cls = new AcRxClass("AcRxObject", nullptr);
  return cls;
}

AcRxClass* AcRxObject::isA() const
{
  return AcRxObject::desc();
}

bool AcRxObject::isKindOf(const AcRxClass* cls) const
{
  return cls != nullptr && isA()->isDerivedFrom(cls);
}

AcRxClass::AcRxClass(const char* name, AcRxClass* parent) : m_name(name), m_parent(parent)
{
  acrxClassDictionary()->atPut(name, this);
}

AcRxClass::~AcRxClass() = default;

AcRxClass* AcRxClass::desc()
{
  static AcRxClass* const cls = new AcRxClass("AcRxClass", AcRxObject::desc());
  return cls;
}

AcRxClass* AcRxClass::isA() const
{
  return AcRxClass::desc();
}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const
{
  for (const AcRxClass* c = this; c != nullptr; c = c->m_parent) {
    if (c == other)
      return true;
  }
  return false;
}
