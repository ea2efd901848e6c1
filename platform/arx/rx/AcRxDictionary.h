// AcRxDictionary: a dictionary of named run-time objects, as the host's system
// registry and class dictionary are.
//   acrxSysRegistry()      the system registry ("ClassDictionary", "DynamicLinker",
//                          "ACAD_REGISTERED_COMMANDS", ...)
//   acrxClassDictionary()  the class dictionary: every AcRxClass under its name
#pragma once

#include "arx/rx/AcRxObject.h"

#include <map>
#include <string>

class AcRxDictionary : public AcRxObject {
public:
  ACRX_DECLARE_MEMBERS(AcRxDictionary)

  // The object stored under `key`, or null.
  AcRxObject* at(const char* key) const;
  // Stores `object` under `key`; returns the object it replaced, or null.
  AcRxObject* atPut(const char* key, AcRxObject* object);
  // Removes the entry; returns the object it held, or null. The object is not deleted.
  AcRxObject* remove(const char* key);
  bool has(const char* key) const { return at(key) != nullptr; }
  int numEntries() const { return static_cast<int>(m_entries.size()); }

private:
  std::map<std::string, AcRxObject*> m_entries; // entries by key; objects not owned
};

AcRxDictionary* acrxSysRegistry();
AcRxDictionary* acrxClassDictionary();

// Keys of the system registry.
#define ACRX_CLASS_DICTIONARY "ClassDictionary"
#define ACRX_DYNAMIC_LINKER "DynamicLinker"
#define ACRX_COMMAND_DOCK "ACAD_REGISTERED_COMMANDS"
