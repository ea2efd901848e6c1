// AcDbDatabase: a drawing: the nine symbol tables, their records and the entities
// of every block, read from a DXF file by readDwgFile.
#pragma once

#include "arx/db/AcDbObject.h"

#include <cstddef>
#include <cstdio>
#include <deque>
#include <string>
#include <unordered_map>

class AcDbSymbolTable;
class AcDbBlockTable;
class AcDbDimStyleTable;
class AcDbLayerTable;
class AcDbLinetypeTable;
class AcDbRegAppTable;
class AcDbTextStyleTable;
class AcDbUCSTable;
class AcDbViewTable;
class AcDbViewportTable;

class AcDbDatabase {
public:
  // Every database holds the model and paper space blocks and layer "0". With
  // `buildDefaultDrawing` it also holds the rest of what a new drawing has (the
  // standard styles and linetypes, "ACAD", "*Active"); without, it is meant to be read into.
  // `noDocument` is accepted for the host's signature and changes nothing here.
  explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
  ~AcDbDatabase();
  AcDbDatabase(const AcDbDatabase&) = delete;
  AcDbDatabase& operator=(const AcDbDatabase&) = delete;

  // Reads a DWG (R13 to R2018) or ASCII DXF (R12 to R2018) file into the database,
  // as its first bytes say. eOk on success. Otherwise: eFileNotFound or eCantOpenFile
  // when the file cannot be read, eDwgNotRecognized for a binary DXF, a DWG of a
  // version not read or a damaged DWG, eBadDxfSequence or eInvalidDxfCode for a
  // damaged or truncated DXF; readError() then says why (file, then line and group
  // code, or DWG section and byte offset), and the database holds what was read
  // before the fault, consistent and safe to use. `shareMode` and
  // `allowCPConversion` are accepted and unused.
  Acad::ErrorStatus readDwgFile(const char* fileName, int shareMode = 0x20,
                                bool allowCPConversion = false);
  // The same from text in memory; `name` is the file name used in readError().
  Acad::ErrorStatus readDxfText(const char* data, std::size_t size, const char* name);
  // The same for a DWG drawing in memory.
  Acad::ErrorStatus readDwgData(const unsigned char* data, std::size_t size, const char* name);
  // Why the last read failed, e.g. `chair.dxf: line 120: invalid group code "1x"`;
  // empty after a successful read.
  const char* readError() const { return m_readError.c_str(); }

  // Opens a table; it must be closed by the caller.
  Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getSymbolTable(AcDbDimStyleTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getSymbolTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getSymbolTable(AcDbUCSTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getSymbolTable(AcDbViewTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getSymbolTable(AcDbViewportTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode);
  Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode);

  AcDbObjectId blockTableId() const;
  AcDbObjectId layerTableId() const;
  // The drawing's version as its file named it ("AC1015"); "" for a new drawing.
  const char* dxfVersion() const { return m_version.c_str(); }

  // Interns a layer name: the same pointer for equal names, valid while the database lives.
  const char* internName(const char* name);

private:
  friend class AcDbObject;
  friend class AcDbSymbolTable;
  friend class AcDbBlockTableRecord;
  friend class AcDbOwnedEntities;
  friend class DrawingBuilder;
  // Reads the DWG drawing of an open file (readDwgFile).
  Acad::ErrorStatus readDwg(std::FILE* file, const std::string& name);
  // readDwgFile's reading of the open file, which the watcher follows.
  Acad::ErrorStatus readOpenFile(std::FILE* file, const std::string& name);
  // Empties the database to what a new one read into holds (a cancelled read).
  void discardContents();
  // Gives a new object its database, owner and handle.
  void makeResident(AcDbObject* object, AcDbObjectId owner);
  AcDbSymbolTable* table(int kind) const { return m_tables[kind]; }

  AcDbSymbolTable* m_tables[9];    // by kind: blocks, dimension styles, layers, ...
  Adesk::UInt64 m_nextHandle = 1;  // next handle given
  std::string m_readError;         // why the last read failed
  std::string m_version;           // $ACADVER of the file read
  std::deque<std::string> m_names; // interned layer names
  std::unordered_map<std::string, const char*> m_nameIndex; // name -> its interned copy
};
