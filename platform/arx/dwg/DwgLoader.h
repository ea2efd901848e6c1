// DwgLoader: reads a DWG drawing held in memory into a database, as DxfLoader
// reads its DXF twin: the same defaults, the nine tables in the order a DXF file
// lists them, the blocks with their entities in drawing order, then model and
// paper space; so that both give equal databases, handles included. The file's
// container (R13-R2000, the paged layout of 2004 on, or 2007) gives the sections;
// the rest is shared by every version. A fault stops the read with a message that
// names the section and the byte offset; what was read before it stays.
#pragma once

#include "arx/db/AcDbDatabase.h"
#include "arx/db/DrawingBuilder.h"
#include "arx/dwg/DwgEntityReader.h"
#include "arx/dwg/DwgHandleIndex.h"
#include "arx/dwg/DwgObjectReader.h"
#include "arx/dwg/DwgSectionReaders.h"
#include "arx/dxf/DxfTextDecoder.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class DwgLoader {
public:
  DwgLoader(AcDbDatabase& database, const std::uint8_t* data, std::size_t size);

  // True when the bytes begin as a DWG file does ("AC" and a version: "AC1015", "AC1.50").
  static bool looksLikeDwg(const char* data, std::size_t size);

  // Reads the drawing. eOk, or a failing status with error() set.
  Acad::ErrorStatus load();
  // Why load failed: "AcDb:Classes: byte 12: CRC mismatch of the section" (the caller
  // puts the file name in front); "Reading cancelled" when the watcher stopped it.
  const std::string& error() const { return m_error; }
  // How far the read is, 0 to 1: the objects opened, of those it will open.
  double position() const;

private:
  bool fail(const DwgFault& fault);
  bool fail(const std::string& what);
  bool cancel(); // the watcher stopped the read
  bool readContainer();
  bool readSections();
  bool findControls();
  bool readTables();
  bool readTable(int kind, unsigned controlType);
  bool readRecord(int kind, std::uint64_t handle, std::size_t index);
  bool readBlocks();
  bool readBlock(std::uint64_t handle);
  bool readEntities(AcDbBlockTableRecord* block, std::uint64_t first, std::uint64_t last,
                    const std::vector<std::uint64_t>& owned);
  bool readEntity(std::uint64_t handle, AcDbBlockTableRecord* block, std::uint64_t& next);
  // The vertices of a polyline or the attributes of a reference (`owner`).
  bool readOwned(AcDbEntity* owner, const DwgEntityReader::Result& result);
  // `owned` names what the object is to its owner ("vertex", "attribute"), null for a
  // block's entity (in the fault when it is no entity).
  bool readEntityObject(std::uint64_t handle, const char* owned, DwgEntityCommon& common,
                        DwgEntityReader::Result& result);
  bool open(std::uint64_t handle, DwgObject& object);
  std::string decode(const std::string& raw);
  static void skipEntryFlags(DwgObject& object);

  // A block record and what its entities are.
  struct BlockEntry {
    std::uint64_t handle = 0;
    AcDbBlockTableRecord* record = nullptr;
  };

  DrawingBuilder m_builder;
  const std::uint8_t* m_data;
  std::size_t m_size;
  DwgSections m_sections;
  std::vector<DwgClass> m_classes;
  DwgObjectReader m_objects;
  DxfTextDecoder m_text;
  DwgHandleIndex m_offsets;                                // handle -> offset
  std::unordered_map<unsigned, std::uint64_t> m_controls;  // control type -> handle
  std::unordered_map<std::uint64_t, const char*> m_layers; // layer handle -> interned name
  std::unordered_map<std::uint64_t, AcDbObjectId> m_blockIds;
  std::vector<BlockEntry> m_blocks; // in the order of the block table
  std::uint64_t m_modelSpace = 0, m_paperSpace = 0;
  DwgEntityReader m_entity;
  std::string m_error;
  Acad::ErrorStatus m_status = Acad::eOk;
  std::size_t m_opened = 0; // objects opened so far
  std::size_t m_toOpen = 0; // tables, their records and the entities: what the read opens
};
