// AcDbSymbolTable: the named-record tables of a database, their records and iterators.
//   AcDbSymbolTableRecord    a named record (names compare without regard to case)
//   AcDbSymbolTable          records in the order they were added, looked up by name
//   AcDbSymbolTableIterator  a walk over a table's records
//   ACDB_DECLARE_SYMBOL_TABLE  the typed table and iterator of one table kind
#pragma once

#include "arx/db/AcDbObject.h"

#include <cstdint>
#include <string>
#include <vector>

class AcDbSymbolTable;

class AcDbSymbolTableRecord : public AcDbObject {
public:
  ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);

  // The name as a new malloc'd copy, released by the caller with free().
  Acad::ErrorStatus getName(char*& name) const;
  // The name itself, valid while the record lives and is not renamed.
  Acad::ErrorStatus getName(const char*& name) const;
  const char* name() const { return m_name.c_str(); }
  // eInvalidInput for a null name; renaming a record already in a table is refused.
  Acad::ErrorStatus setName(const char* name);

protected:
  AcDbSymbolTableRecord() = default;

private:
  friend class AcDbSymbolTable;
  friend class DrawingBuilder;
  std::string m_name; // the record's name as given
};

class AcDbSymbolTableIterator {
public:
  virtual ~AcDbSymbolTableIterator() = default;

  // Positions at the first (or last) record, passing erased ones when `skipDeleted`.
  void start(bool atBeginning = true, bool skipDeleted = true);
  bool done() const;
  // Moves to the next (or previous) record, passing erased ones when `skipDeleted`.
  void step(bool forward = true, bool skipDeleted = true);
  // Opens the current record. eInvalidIndex when done; eWasErased for an erased
  // record unless `openErasedRec`.
  Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& record, AcDb::OpenMode openMode,
                              bool openErasedRec = false) const;
  Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;

protected:
  explicit AcDbSymbolTableIterator(const AcDbSymbolTable* table) : m_table(table) {}

private:
  void skip(bool forward);

  const AcDbSymbolTable* m_table; // the table walked (must outlive the iterator)
  long m_index = 0;               // current record; outside the table when done
};

class AcDbSymbolTable : public AcDbObject {
public:
  ACRX_DECLARE_MEMBERS(AcDbSymbolTable);
  ~AcDbSymbolTable() override;

  bool has(const char* name) const;
  Acad::ErrorStatus getAt(const char* name, AcDbObjectId& id, bool getErasedRecord = false) const;
  Acad::ErrorStatus getAt(const char* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode openMode,
                          bool openErasedRec = false) const;
  Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning = true,
                                bool skipDeleted = true) const;
  // Adds a record made with new; the table must be open for write. The record
  // becomes database-resident and open for write: the caller closes it.
  // eDuplicateKey when the name is taken, eInvalidSymbolTableName when empty.
  Acad::ErrorStatus add(AcDbSymbolTableRecord* record);
  Acad::ErrorStatus add(AcDbObjectId& id, AcDbSymbolTableRecord* record);

  // Records in the order added (erased ones included).
  long recordCount() const { return static_cast<long>(m_records.size()); }
  AcDbSymbolTableRecord* recordAt(long index) const { return m_records[index]; }
  // The record of that name (case-insensitive), erased or not; null when none.
  AcDbSymbolTableRecord* find(const char* name) const;
  // The number (for recordAt) of the record find gives; -1 when none.
  long indexOf(const char* name) const;

protected:
  AcDbSymbolTable() = default;
  // The class every record of this table must be of.
  virtual AcRxClass* recordClass() const = 0;

private:
  friend class AcDbDatabase;
  friend class DrawingBuilder;
  // Adds without open checks (building a database); the record stays closed.
  void insert(AcDbSymbolTableRecord* record);

  // Places record number `record` in the index.
  void indexRecord(std::size_t record);

  std::vector<AcDbSymbolTableRecord*> m_records; // owned, in order
  // The index by name: record numbers + 1 (0: a free slot), placed from the hash of
  // the record's key (its name upper-cased) and on by one, the table at most half
  // full and its size a power of two; beside each record the hash of its key, so
  // that keys are compared only where the hashes agree. A drawing of many blocks
  // holds no name twice and nothing allocated per record for the index.
  std::vector<std::uint32_t> m_slots;
  std::vector<std::uint32_t> m_hashes; // by record number
};

// The typed table and iterator of one table kind, with the host's names and overloads.
#define ACDB_DECLARE_SYMBOL_TABLE(TABLE, RECORD, ITERATOR)                                         \
  class RECORD;                                                                                    \
  class TABLE;                                                                                     \
  class ITERATOR : public AcDbSymbolTableIterator {                                                \
  public:                                                                                          \
    using AcDbSymbolTableIterator::getRecord;                                                      \
    Acad::ErrorStatus getRecord(RECORD*& record, AcDb::OpenMode openMode,                          \
                                bool openErasedRec = false) const;                                 \
                                                                                                   \
  private:                                                                                         \
    friend class TABLE;                                                                            \
    explicit ITERATOR(const TABLE* table);                                                         \
  };                                                                                               \
  class TABLE : public AcDbSymbolTable {                                                           \
  public:                                                                                          \
    ACRX_DECLARE_MEMBERS(TABLE);                                                                   \
    TABLE() = default;                                                                             \
    using AcDbSymbolTable::add;                                                                    \
    using AcDbSymbolTable::getAt;                                                                  \
    using AcDbSymbolTable::newIterator;                                                            \
    Acad::ErrorStatus getAt(const char* name, RECORD*& record, AcDb::OpenMode openMode,            \
                            bool openErasedRec = false) const;                                     \
    Acad::ErrorStatus newIterator(ITERATOR*& iterator, bool atBeginning = true,                    \
                                  bool skipDeleted = true) const;                                  \
                                                                                                   \
  protected:                                                                                       \
    AcRxClass* recordClass() const override;                                                       \
  };

// In one source file, with RECORD complete: the members declared above.
#define ACDB_DEFINE_SYMBOL_TABLE(TABLE, RECORD, ITERATOR)                                          \
  ACRX_DEFINE_MEMBERS(TABLE, AcDbSymbolTable)                                                      \
  ITERATOR::ITERATOR(const TABLE* table) : AcDbSymbolTableIterator(table) {}                       \
  Acad::ErrorStatus ITERATOR::getRecord(RECORD*& record, AcDb::OpenMode openMode,                  \
                                        bool openErasedRec) const                                  \
  {                                                                                                \
    AcDbSymbolTableRecord* any = nullptr;                                                          \
    Acad::ErrorStatus es = AcDbSymbolTableIterator::getRecord(any, openMode, openErasedRec);       \
    record = static_cast<RECORD*>(any);                                                            \
    return es;                                                                                     \
  }                                                                                                \
  Acad::ErrorStatus TABLE::getAt(const char* name, RECORD*& record, AcDb::OpenMode openMode,       \
                                 bool openErasedRec) const                                         \
  {                                                                                                \
    AcDbSymbolTableRecord* any = nullptr;                                                          \
    Acad::ErrorStatus es = AcDbSymbolTable::getAt(name, any, openMode, openErasedRec);             \
    record = static_cast<RECORD*>(any);                                                            \
    return es;                                                                                     \
  }                                                                                                \
  Acad::ErrorStatus TABLE::newIterator(ITERATOR*& iterator, bool atBeginning, bool skipDeleted)    \
      const                                                                                        \
  {                                                                                                \
    iterator = new ITERATOR(this);                                                                 \
    iterator->start(atBeginning, skipDeleted);                                                     \
    return Acad::eOk;                                                                              \
  }                                                                                                \
  AcRxClass* TABLE::recordClass() const                                                            \
  {                                                                                                \
    return RECORD::desc();                                                                         \
  }

// A record class with nothing beyond its name.
#define ACDB_DECLARE_PLAIN_RECORD(RECORD)                                                          \
  class RECORD : public AcDbSymbolTableRecord {                                                    \
  public:                                                                                          \
    ACRX_DECLARE_MEMBERS(RECORD);                                                                  \
    RECORD() = default;                                                                            \
  };
