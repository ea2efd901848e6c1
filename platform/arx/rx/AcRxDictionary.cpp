#include "arx/rx/AcRxDictionary.h"

ACRX_DEFINE_MEMBERS(AcRxDictionary, AcRxObject)

AcRxObject* AcRxDictionary::at(const char* key) const
{
  if (key == nullptr)
    return nullptr;
  auto it = m_entries.find(key);
  return it == m_entries.end() ? nullptr : it->second;
}

AcRxObject* AcRxDictionary::atPut(const char* key, AcRxObject* object)
{
  if (key == nullptr)
    return nullptr;
  AcRxObject*& slot = m_entries[key];
  AcRxObject* old = slot;
  slot = object;
  return old;
}

AcRxObject* AcRxDictionary::remove(const char* key)
{
  if (key == nullptr)
    return nullptr;
  auto it = m_entries.find(key);
  if (it == m_entries.end())
    return nullptr;
  AcRxObject* old = it->second;
  m_entries.erase(it);
  return old;
}

// The class dictionary is made before any class registers itself in it, and is
// never destroyed: descriptors live as long as the process.
AcRxDictionary* acrxClassDictionary()
{
  static AcRxDictionary* const dictionary = new AcRxDictionary;
  return dictionary;
}

AcRxDictionary* acrxSysRegistry()
{
  static AcRxDictionary* const registry = [] {
    auto* r = new AcRxDictionary;
    r->atPut(ACRX_CLASS_DICTIONARY, acrxClassDictionary());
    return r;
  }();
  return registry;
}
