#include "arx/dxf/DxfLoader.h"

#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDb3dPolyline.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbBlockTable.h"

#include <cstring>

namespace {
// The table kinds of the database, by the name the TABLES section gives them.
int tableKindOf(const DxfTag& name)
{
  static const char* const kNames[9] = {"BLOCK_RECORD", "DIMSTYLE", "LAYER", "LTYPE", "APPID",
                                        "STYLE",        "UCS",      "VIEW",  "VPORT"};
  for (int k = 0; k < 9; ++k)
    if (name.equals(kNames[k]))
      return k;
  return -1;
}

// A block name the database can hold: not empty, at most 255 bytes (what a name
// buffer of the host holds), and without control characters.
bool usableBlockName(const std::string& name)
{
  if (name.empty() || name.size() > 255)
    return false;
  for (char c : name)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      return false;
  return true;
}
} // namespace

namespace {
double positionOf(const void* loader)
{
  return static_cast<const DxfLoader*>(loader)->position();
}
} // namespace

DxfLoader::DxfLoader(AcDbDatabase& database, const char* data, std::size_t size)
    : m_builder(database), m_reader(data, size), m_entity(m_builder, m_text), m_size(size)
{
  m_builder.setPosition(&positionOf, this);
}

DxfLoader::DxfLoader(AcDbDatabase& database, std::FILE* file)
    : m_builder(database), m_reader(file), m_entity(m_builder, m_text)
{
  m_builder.setPosition(&positionOf, this);
}

double DxfLoader::position() const
{
  return m_size > 0 ? static_cast<double>(m_reader.offset()) / static_cast<double>(m_size) : 0.0;
}

bool DxfLoader::advance()
{
  m_haveTag = m_reader.next(m_tag);
  if (!m_haveTag && !m_reader.error().empty() && m_error.empty()) {
    m_error = m_reader.error();
    m_status = Acad::eInvalidDxfCode;
  }
  return m_haveTag;
}

bool DxfLoader::fail(const std::string& what)
{
  if (m_error.empty()) {
    m_error = "line " + std::to_string(m_tag.line) + ": group code " + std::to_string(m_tag.code) +
              ": " + what;
    m_status = Acad::eBadDxfSequence;
  }
  return false;
}

bool DxfLoader::cancel()
{
  m_error = "Reading cancelled";
  m_status = Acad::eFileAccessErr;
  return false;
}

// The text ended (or a tag was bad) inside `where`.
bool DxfLoader::failAtEnd(const std::string& where)
{
  if (!m_error.empty())
    return false; // the tag reader said why
  if (m_reader.readFailed()) {
    m_error = "line " + std::to_string(m_reader.line()) + ": group code " +
              std::to_string(m_tag.code) + ": reading the file failed inside " + where;
    m_status = Acad::eFileAccessErr;
    return false;
  }
  m_error = "line " + std::to_string(m_reader.line()) + ": group code " +
            std::to_string(m_tag.code) + ": the file ends inside " + where + " (no EOF)";
  m_status = Acad::eBadDxfSequence;
  return false;
}

Acad::ErrorStatus DxfLoader::load()
{
  Acad::ErrorStatus es = loadSections();
  m_entity.resolveBlocks();
  return es;
}

Acad::ErrorStatus DxfLoader::loadSections()
{
  m_builder.addDefaults(false);
  if (!advance()) {
    if (m_error.empty()) {
      m_error = "line 0: group code 0: the file is empty";
      m_status = Acad::eBadDxfSequence;
    }
    return m_status;
  }
  for (;;) {
    if (m_tag.code == 0 && m_tag.is("EOF"))
      return Acad::eOk;
    if (m_tag.code != 0 || !m_tag.is("SECTION")) {
      fail("expected SECTION, got \"" + m_tag.str().substr(0, 40) + "\"");
      return m_status;
    }
    if (!advance()) {
      failAtEnd("a section header");
      return m_status;
    }
    if (m_tag.code != 2) {
      fail("a section without a name");
      return m_status;
    }
    const std::string name = m_tag.str();
    if (!advance()) {
      failAtEnd("the " + name + " section");
      return m_status;
    }
    bool ok;
    if (name == "HEADER")
      ok = readHeader();
    else if (name == "TABLES")
      ok = readTables();
    else if (name == "BLOCKS")
      ok = readBlocks();
    else if (name == "ENTITIES")
      ok = readEntities(nullptr, true);
    else
      ok = skipSection(name);
    if (!ok)
      return m_status;
    // The tag after ENDSEC.
    if (!advance()) {
      failAtEnd("the file, after the " + name + " section");
      return m_status;
    }
    if (name == "HEADER" && m_tag.code == 9 && !skipOrphanVariables())
      return m_status;
  }
}

bool DxfLoader::skipSection(const std::string& name)
{
  for (;;) {
    if (m_tag.code == 0) {
      if (m_tag.is("ENDSEC"))
        return true;
      if (m_tag.is("EOF") || m_tag.is("SECTION"))
        return fail("the " + name + " section has no ENDSEC");
    }
    if (!advance())
      return failAtEnd("the " + name + " section");
  }
}

bool DxfLoader::readHeader()
{
  std::string variable;
  std::string version;
  unsigned codePage = 0;
  for (;;) {
    if (m_tag.code == 0) {
      if (m_tag.is("ENDSEC"))
        break;
      return fail("the HEADER section has no ENDSEC");
    }
    if (m_tag.code == 9)
      variable = m_tag.str();
    else if (variable == "$ACADVER" && m_tag.code == 1)
      version = m_tag.str();
    else if (variable == "$DWGCODEPAGE" && m_tag.code == 3)
      codePage = dxfCodePageOf(m_tag.str());
    if (!advance())
      return failAtEnd("the HEADER section");
  }
  m_builder.setVersion(version.c_str());
  m_entity.forgetLayers(); // (a second HEADER may name another code page)
  // From R2007 (AC1021) on, text is UTF-8 whatever the code page says.
  if (version.size() == 6 && version.compare(0, 2, "AC") == 0 && version >= "AC1021")
    m_text.setCodePage(65001);
  else if (codePage != 0)
    m_text.setCodePage(codePage);
  return true;
}

// Header variables after the HEADER's ENDSEC: some writers close the section early
// with a stray ENDSEC and go on with more variables, then end it again. As the host
// recovers such a file, the orphans are passed over up to the next group 0, and a
// second ENDSEC there is taken as the end the section meant.
bool DxfLoader::skipOrphanVariables()
{
  while (m_tag.code != 0)
    if (!advance())
      return failAtEnd("the header variables after the HEADER section");
  if (m_tag.is("ENDSEC") && !advance())
    return failAtEnd("the file, after the HEADER section");
  return true;
}

bool DxfLoader::readTables()
{
  for (;;) {
    if (m_tag.code == 0 && m_tag.is("ENDSEC"))
      return true;
    if (m_tag.code == 0 && m_tag.is("TABLE")) {
      if (!readTable())
        return false;
      continue;
    }
    if (m_tag.code == 0 && (m_tag.is("EOF") || m_tag.is("SECTION")))
      return fail("the TABLES section has no ENDSEC");
    if (!advance())
      return failAtEnd("the TABLES section");
  }
}

// From "0 TABLE" to the tag after its "0 ENDTAB" (or to the ENDSEC that ends it).
bool DxfLoader::readTable()
{
  if (!advance())
    return failAtEnd("a table");
  int kind = m_tag.code == 2 ? tableKindOf(m_tag) : -1;
  // The table's own tags, up to its first entry.
  while (m_tag.code != 0)
    if (!advance())
      return failAtEnd("a table");
  for (;;) {
    if (m_tag.is("ENDTAB"))
      return advance() || failAtEnd("the TABLES section");
    if (m_tag.is("ENDSEC"))
      return true; // a table without ENDTAB: the section's end ends it too
    if (m_tag.is("EOF") || m_tag.is("SECTION") || m_tag.is("TABLE"))
      return fail("a table has no ENDTAB");
    if (m_builder.cancelled())
      return cancel();
    // One entry: its name, and a layer's colour and flags.
    std::string name;
    long long color = 7, flags = 0, trueColor = -1;
    while (advance() && m_tag.code != 0) {
      if (m_tag.code == 2)
        name = m_text.decode(m_tag.text, m_tag.length);
      else if (m_tag.code == 62)
        color = m_tag.integer;
      else if (m_tag.code == 70)
        flags = m_tag.integer;
      else if (m_tag.code == 420)
        trueColor = m_tag.integer & 0xFFFFFF;
    }
    if (!m_haveTag)
      return failAtEnd("a table");
    if (kind < 0 || name.empty() || (kind == 0 && !usableBlockName(name)))
      continue;
    AcDbSymbolTableRecord* record = m_builder.record(kind, name.c_str());
    if (AcDbLayerTableRecord* layer = AcDbLayerTableRecord::cast(record)) {
      // A negative colour is a layer switched off.
      long long index = color < 0 ? -color : color;
      AcCmColor c(index >= 1 && index <= 255 ? static_cast<Adesk::UInt16>(index) : 7);
      if (trueColor >= 0) // as for entities, the RGB wins over the index
        c.setRGB(static_cast<Adesk::UInt8>(trueColor >> 16),
                 static_cast<Adesk::UInt8>(trueColor >> 8), static_cast<Adesk::UInt8>(trueColor));
      layer->setColor(c);
      layer->setIsOff(color < 0);
      layer->setIsFrozen((flags & 1) != 0);
    }
  }
}

bool DxfLoader::readBlocks()
{
  for (;;) {
    if (m_tag.code == 0 && m_tag.is("ENDSEC"))
      return true;
    if (m_tag.code == 0 && (m_tag.is("EOF") || m_tag.is("SECTION")))
      return fail("the BLOCKS section has no ENDSEC");
    if (m_tag.code != 0 || !m_tag.is("BLOCK")) {
      if (!advance())
        return failAtEnd("the BLOCKS section");
      continue;
    }
    // The block's header: its name and base point.
    const long blockLine = m_tag.line;
    std::string name, altName;
    AcGePoint3d base;
    while (advance() && m_tag.code != 0) {
      if (m_tag.code == 2)
        name = m_text.decode(m_tag.text, m_tag.length);
      else if (m_tag.code == 3)
        altName = m_text.decode(m_tag.text, m_tag.length);
      else if (m_tag.code == 10)
        base.x = m_tag.real;
      else if (m_tag.code == 20)
        base.y = m_tag.real;
      else if (m_tag.code == 30)
        base.z = m_tag.real;
    }
    if (!m_haveTag)
      return failAtEnd("the BLOCK at line " + std::to_string(blockLine));
    if (name.empty())
      name = altName;
    // A block whose name cannot be used is passed over with its entities (references
    // to it draw nothing); the rest of the drawing is read.
    AcDbBlockTableRecord* block = usableBlockName(name) ? m_builder.block(name.c_str()) : nullptr;
    if (block != nullptr)
      m_builder.setOrigin(block, base);
    if (!readEntities(block, false, blockLine))
      return false;
    // ENDBLK's own tags.
    while (advance() && m_tag.code != 0) {
    }
    if (!m_haveTag)
      return failAtEnd("the BLOCKS section");
  }
}

// Entities up to the ENDSEC of the ENTITIES section, or up to the ENDBLK of a
// block (`target`); m_tag is then that ENDSEC or ENDBLK.
bool DxfLoader::readEntities(AcDbBlockTableRecord* target, bool entitiesSection, long blockLine)
{
  AcDbBlockTableRecord* model = entitiesSection ? m_builder.block(ACDB_MODEL_SPACE) : nullptr;
  AcDbBlockTableRecord* paper = entitiesSection ? m_builder.block(ACDB_PAPER_SPACE) : nullptr;
  const bool skipped = !entitiesSection && target == nullptr; // a block passed over
  // What is read, named in a fault's message (made only then).
  auto where = [&]() {
    return entitiesSection ? std::string("the ENTITIES section")
           : skipped       ? "the BLOCK at line " + std::to_string(blockLine)
                           : "block \"" + std::string(target->name()) + "\"";
  };
  AcDb2dPolyline* polyline2d = nullptr; // the polyline whose vertices follow
  AcDb3dPolyline* polyline3d = nullptr;
  AcDbBlockReference* reference = nullptr; // the reference whose attributes follow
  // Tags before the first entity are passed over.
  while (m_tag.code != 0)
    if (!advance())
      return failAtEnd(where());
  for (;;) {
    // The markers that end a run of entities all begin with E, S or B.
    const char first = m_tag.length > 0 ? m_tag.text[0] : '\0';
    if (first == 'E' || first == 'S' || first == 'B') {
      if (entitiesSection && m_tag.is("ENDSEC"))
        return true;
      if (!entitiesSection && m_tag.is("ENDBLK"))
        return true;
      if (m_tag.is("ENDSEC") || m_tag.is("EOF") || m_tag.is("SECTION") || m_tag.is("BLOCK") ||
          m_tag.is("ENDBLK"))
        return fail(where() + (entitiesSection ? " has no ENDSEC" : " has no ENDBLK"));
    }
    if (m_builder.cancelled())
      return cancel();
    m_entity.begin(m_tag);
    while (advance() && m_tag.code != 0)
      m_entity.add(m_tag);
    if (!m_haveTag)
      return failAtEnd(where());
    if (skipped)
      continue;
    switch (m_entity.kind()) {
    case DxfEntityReader::kVertex:
      if (polyline2d != nullptr)
        m_entity.appendVertexTo(polyline2d);
      else if (polyline3d != nullptr)
        m_entity.appendVertexTo(polyline3d);
      break;
    case DxfEntityReader::kSeqEnd:
      polyline2d = nullptr;
      polyline3d = nullptr;
      reference = nullptr;
      break;
    case DxfEntityReader::kAttrib: // attributes belong to their reference, not to the block
      if (reference != nullptr)
        m_entity.appendAttributeTo(reference);
      break;
    default: {
      AcDbEntity* entity = m_entity.make();
      polyline2d = nullptr;
      polyline3d = nullptr;
      reference = nullptr;
      if (m_entity.kind() == DxfEntityReader::kPolyline) {
        polyline2d = AcDb2dPolyline::cast(entity);
        polyline3d = AcDb3dPolyline::cast(entity);
      } else if (m_entity.kind() == DxfEntityReader::kInsert) {
        reference = AcDbBlockReference::cast(entity);
      }
      AcDbBlockTableRecord* into = target;
      if (entitiesSection)
        into = m_entity.inPaperSpace() ? paper : model;
      m_builder.append(into, entity);
      break;
    }
    }
  }
}
