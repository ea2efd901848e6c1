// DxfLoader: the one loop that reads a DXF text into a database: sections, tables,
// block definitions and entities, in file order. The tags come from DxfTagReader,
// each entity's fields from DxfEntityReader, and the database is filled through
// DrawingBuilder. A fault stops the loop with a message that names the line and
// the group code; what was read before it stays in the database.
#pragma once

#include "arx/db/AcDbDatabase.h"
#include "arx/db/DrawingBuilder.h"
#include "arx/dxf/DxfEntityReader.h"
#include "arx/dxf/DxfTagReader.h"
#include "arx/dxf/DxfTextDecoder.h"

#include <cstddef>
#include <string>

class DxfLoader {
public:
  DxfLoader(AcDbDatabase& database, const char* data, std::size_t size);
  // Reads an open file from its current position.
  DxfLoader(AcDbDatabase& database, std::FILE* file);

  // Reads the whole text. eOk, or a failing status with error() set.
  Acad::ErrorStatus load();
  // The size of the file read, for the progress shown while it is read.
  void setSize(std::size_t size) { m_size = size; }
  // How far the read is, 0 to 1 (0 when the size is not known).
  double position() const;
  // Why load failed: "line N: ..." (the caller puts the file name in front).
  const std::string& error() const { return m_error; }

private:
  Acad::ErrorStatus loadSections();
  bool advance();
  bool fail(const std::string& what);
  bool cancel(); // the watcher stopped the read
  bool failAtEnd(const std::string& where);
  bool readHeader();
  bool skipOrphanVariables();
  bool readTables();
  bool readTable();
  bool readBlocks();
  // `target` null outside the ENTITIES section: the entities of a block passed over
  // (its BLOCK at `blockLine`) are read and dropped.
  bool readEntities(AcDbBlockTableRecord* target, bool entitiesSection, long blockLine = 0);
  bool skipSection(const std::string& name);

  DrawingBuilder m_builder; // fills the database
  DxfTagReader m_reader;    // the tags
  DxfTextDecoder m_text;    // the strings
  DxfEntityReader m_entity; // the entity being read
  DxfTag m_tag;             // the current tag
  bool m_haveTag = false;   // m_tag holds a tag (false at the end or after a fault)
  std::string m_error;      // why the load failed
  Acad::ErrorStatus m_status = Acad::eOk;
  std::size_t m_size = 0; // bytes of the text or file, 0 when not known
};
