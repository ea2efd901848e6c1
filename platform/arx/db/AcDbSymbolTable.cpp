#include "arx/db/AcDbSymbolTable.h"

#include "arx/db/AcDbDatabase.h"
#include "arx/db/SymbolNameCase.h"

#include <cstdlib>
#include <cstring>

ACRX_DEFINE_MEMBERS(AcDbSymbolTableRecord, AcDbObject)
ACRX_DEFINE_MEMBERS(AcDbSymbolTable, AcDbObject)

namespace {
// Symbol names compare without regard to case (SymbolNameCase).
std::string nameKey(const char* name)
{
  return symbolNameKey(name);
}

// True when `name` has the key `key`. ASCII names (nearly all) are compared in place,
// letter by letter, without making their key.
bool hasKey(const char* name, const std::string& key)
{
  std::size_t i = 0;
  for (; name[i] != '\0'; ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (c >= 0x80)
      return nameKey(name) == key;
    if (c >= 'a' && c <= 'z')
      c = static_cast<unsigned char>(c - 'a' + 'A');
    if (i >= key.size() || c != static_cast<unsigned char>(key[i]))
      return false;
  }
  return i == key.size();
}

// FNV-1a over the key's bytes.
std::uint32_t keyHash(const std::string& key)
{
  std::uint32_t h = 2166136261u;
  for (unsigned char c : key)
    h = (h ^ c) * 16777619u;
  return h;
}
} // namespace

// Records

Acad::ErrorStatus AcDbSymbolTableRecord::getName(char*& name) const
{
  name = static_cast<char*>(std::malloc(m_name.size() + 1));
  if (name == nullptr)
    return Acad::eOutOfMemory;
  std::memcpy(name, m_name.c_str(), m_name.size() + 1);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const char*& name) const
{
  name = m_name.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const char* name)
{
  if (name == nullptr || name[0] == '\0')
    return Acad::eInvalidInput;
  if (database() != nullptr)
    return Acad::eIllegalReplacement; // the table's index is keyed by the name
  m_name = name;
  return Acad::eOk;
}

// Tables

AcDbSymbolTable::~AcDbSymbolTable()
{
  for (AcDbSymbolTableRecord* r : m_records)
    delete r;
}

AcDbSymbolTableRecord* AcDbSymbolTable::find(const char* name) const
{
  const long index = indexOf(name);
  return index >= 0 ? m_records[static_cast<std::size_t>(index)] : nullptr;
}

long AcDbSymbolTable::indexOf(const char* name) const
{
  if (name == nullptr || m_slots.empty())
    return -1;
  const std::string key = nameKey(name);
  const std::uint32_t hash = keyHash(key);
  const std::size_t mask = m_slots.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const std::uint32_t slot = m_slots[i];
    if (slot == 0)
      return -1;
    if (m_hashes[slot - 1] == hash && hasKey(m_records[slot - 1]->m_name.c_str(), key))
      return static_cast<long>(slot - 1);
  }
}

bool AcDbSymbolTable::has(const char* name) const
{
  const AcDbSymbolTableRecord* r = find(name);
  return r != nullptr && !r->isErased();
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const char* name, AcDbObjectId& id,
                                         bool getErasedRecord) const
{
  id = AcDbObjectId::kNull;
  if (name == nullptr)
    return Acad::eInvalidInput;
  const AcDbSymbolTableRecord* r = find(name);
  if (r == nullptr || (r->isErased() && !getErasedRecord))
    return Acad::eKeyNotFound;
  id = r->objectId();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const char* name, AcDbSymbolTableRecord*& record,
                                         AcDb::OpenMode openMode, bool openErasedRec) const
{
  record = nullptr;
  AcDbObjectId id;
  Acad::ErrorStatus es = getAt(name, id, openErasedRec);
  if (es != Acad::eOk)
    return es;
  AcDbObject* object = nullptr;
  es = acdbOpenAcDbObject(object, id, openMode, openErasedRec);
  if (es == Acad::eOk)
    record = static_cast<AcDbSymbolTableRecord*>(object);
  return es;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning,
                                               bool skipDeleted) const
{
  struct AnyIterator : AcDbSymbolTableIterator {
    explicit AnyIterator(const AcDbSymbolTable* t) : AcDbSymbolTableIterator(t) {}
  };
  iterator = new AnyIterator(this);
  iterator->start(atBeginning, skipDeleted);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& id, AcDbSymbolTableRecord* record)
{
  id = AcDbObjectId::kNull;
  if (record == nullptr)
    return Acad::eNullObjectPointer;
  if (!isWriteEnabled())
    return Acad::eNotOpenForWrite;
  if (record->database() != nullptr)
    return Acad::eAlreadyInDb;
  if (!record->isKindOf(recordClass()))
    return Acad::eWrongObjectType;
  if (record->m_name.empty())
    return Acad::eInvalidSymbolTableName;
  if (find(record->m_name.c_str()) != nullptr)
    return Acad::eDuplicateKey;
  insert(record);
  record->m_openCount = 1; // the caller closes it
  record->m_forWrite = true;
  id = record->objectId();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* record)
{
  AcDbObjectId id;
  return add(id, record);
}

void AcDbSymbolTable::insert(AcDbSymbolTableRecord* record)
{
  database()->makeResident(record, objectId());
  m_records.push_back(record);
  m_hashes.push_back(keyHash(nameKey(record->m_name.c_str())));
  if (m_records.size() * 2 <= m_slots.size()) {
    indexRecord(m_records.size() - 1);
    return;
  }
  // Twice as many slots, every record placed again in its order (so that of two
  // records of one name the first is found, as before).
  m_slots.assign(m_slots.empty() ? 16 : m_slots.size() * 2, 0);
  for (std::size_t r = 0; r < m_records.size(); ++r)
    indexRecord(r);
}

void AcDbSymbolTable::indexRecord(std::size_t record)
{
  const std::size_t mask = m_slots.size() - 1;
  std::size_t i = m_hashes[record] & mask;
  while (m_slots[i] != 0)
    i = (i + 1) & mask;
  m_slots[i] = static_cast<std::uint32_t>(record + 1);
}

// Iterators

void AcDbSymbolTableIterator::skip(bool forward)
{
  long n = m_table->recordCount();
  while (m_index >= 0 && m_index < n && m_table->recordAt(m_index)->isErased())
    m_index += forward ? 1 : -1;
}

void AcDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted)
{
  m_index = atBeginning ? 0 : m_table->recordCount() - 1;
  if (skipDeleted)
    skip(atBeginning);
}

bool AcDbSymbolTableIterator::done() const
{
  return m_index < 0 || m_index >= m_table->recordCount();
}

void AcDbSymbolTableIterator::step(bool forward, bool skipDeleted)
{
  if (done())
    return;
  m_index += forward ? 1 : -1;
  if (skipDeleted)
    skip(forward);
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const
{
  if (done()) {
    id = AcDbObjectId::kNull;
    return Acad::eInvalidIndex;
  }
  id = m_table->recordAt(m_index)->objectId();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& record,
                                                     AcDb::OpenMode openMode,
                                                     bool openErasedRec) const
{
  record = nullptr;
  AcDbObjectId id;
  Acad::ErrorStatus es = getRecordId(id);
  if (es != Acad::eOk)
    return es;
  AcDbObject* object = nullptr;
  es = acdbOpenAcDbObject(object, id, openMode, openErasedRec);
  if (es == Acad::eOk)
    record = static_cast<AcDbSymbolTableRecord*>(object);
  return es;
}
