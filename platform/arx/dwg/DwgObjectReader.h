// DwgObjectReader: opens one object of a DWG drawing by its offset in the objects
// section: its size and CRC, its type and handle, and the streams its fields come
// from: the data stream, the handle stream (the object's references) and, from
// R2007 on, the string stream. The version differences of the object layout live
// here: readers of an object's own fields read through DwgObject and never ask
// where its text or handles are kept.
#pragma once

#include "arx/dwg/DwgBitReader.h"
#include "arx/dwg/DwgColor.h"
#include "arx/dwg/DwgSections.h"

#include <cstdint>
#include <string>
#include <vector>

// A class of the drawing (object types 500 and up).
struct DwgClass {
  unsigned number = 0; // the object type it gives
  std::string dxfName; // "WIPEOUT", "ACAD_TABLE", ...
  bool isEntity = false;
};

// The fields every entity has.
struct DwgEntityCommon {
  unsigned mode = 0;       // 0: the owner is in the handle stream, 1: paper space, 2: model space
  std::uint64_t owner = 0; // the owning block or polyline (mode 0)
  std::uint64_t layer = 0; // the layer's handle
  std::uint64_t previous = 0; // R13-R2000: the entity before and after in its block
  std::uint64_t next = 0;
  DwgColor color; // colour index (0 BYBLOCK, 256 BYLAYER) or true colour
};

class DwgObject {
public:
  unsigned type = 0;        // object type (fixed number or class number)
  std::uint64_t handle = 0; // its handle
  int version = 0;          // 1012 ... 1032
  DwgBitReader data;        // the fields
  DwgBitReader handles;     // the references
  DwgBitReader strings;     // R2007 on: the text (earlier versions keep it in `data`)
  bool separateStrings = false;
  std::size_t offset = 0;    // where the object starts in the objects section
  std::size_t dataStart = 0; // where its data starts (after its size)
  std::size_t dataSize = 0;  // bytes of data

  // A text field (T/TV, or TU from R2007 on): 8-bit text in the code page, or UTF-8.
  std::string text() { return separateStrings ? strings.textUtf16() : data.text8(); }
  // A handle reference, resolved against this object's handle.
  std::uint64_t reference() { return handles.H().absolute(handle); }
  // True when every stream read so far stayed within its data.
  bool ok() const { return data.ok() && handles.ok() && strings.ok(); }
  // The first fault of the three streams.
  const DwgBitReader& faulted() const;
};

class DwgObjectReader {
public:
  DwgObjectReader(const DwgSections& sections, const std::vector<DwgClass>& classes)
      : m_sections(sections), m_classes(classes)
  {
  }

  // Opens the object at `offset` of the objects section and reads its common data
  // up to its own fields (for an entity, DwgEntityCommon too). False with `fault` set
  // when the object is damaged.
  bool open(std::size_t offset, DwgObject& object, DwgFault& fault);
  // Reads only the object's type; false when the offset or the size is bad.
  bool peekType(std::size_t offset, unsigned& type) const;
  // Whether objects of `type` are entities, and the DXF name of a class type ("" for
  // fixed types and unknown classes).
  bool isEntityType(unsigned type) const;
  const DwgClass* classOf(unsigned type) const;

  // The common entity data of an open entity (call once, right after open()).
  bool readEntityCommon(DwgObject& object, DwgEntityCommon& common, DwgFault& fault) const;
  // The common data of an open non-entity object: reactors and the extension dictionary.
  bool readObjectCommon(DwgObject& object, DwgFault& fault) const;

private:
  bool fail(const DwgBitReader& reader, DwgFault& fault) const;
  void startStreams(DwgObject& object, std::size_t bitSize) const;
  void skipExtendedData(DwgObject& object) const;

  const DwgSections& m_sections;
  const std::vector<DwgClass>& m_classes;
};

// From R2007 on, the text of an object or section is kept apart, ending just before bit
// `bitSize` of its data: a flag bit there, and below it the stream's size. Positions
// `strings` (a reader over the same data) on that text, or leaves it empty.
void dwgLocateStrings(DwgBitReader& strings, std::size_t bitSize);

// Whether a fixed object type (below 500) is an entity.
bool dwgFixedTypeIsEntity(unsigned type);
