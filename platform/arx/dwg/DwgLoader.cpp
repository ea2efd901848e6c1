#include "arx/dwg/DwgLoader.h"

#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDb3dPolyline.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbLayerTable.h"

#include <cstring>
#include <utility>

namespace {
// The code pages of the file header's code page number, by their $DWGCODEPAGE names.
const char* const kCodePages[] = {
    "",          "US_ASCII",  "ISO8859-1", "ISO8859-2", "ISO8859-3", "ISO8859-4", "ISO8859-5",
    "ISO8859-6", "ISO8859-7", "ISO8859-8", "ISO8859-9", "DOS437",    "DOS850",    "DOS852",
    "DOS855",    "DOS857",    "DOS860",    "DOS861",    "DOS863",    "DOS864",    "DOS865",
    "DOS869",    "DOS932",    "MACINTOSH", "BIG5",      "KSC5601",   "JOHAB",     "DOS866",
    "ANSI_1250", "ANSI_1251", "ANSI_1252", "GB2312",    "ANSI_1253", "ANSI_1254", "ANSI_1255",
    "ANSI_1256", "ANSI_1257", "ANSI_874",  "ANSI_932",  "ANSI_936",  "ANSI_949",  "ANSI_950",
    "ANSI_1361", "ANSI_1200", "ANSI_1258"};

// The control objects, by the table kind of AcDbDatabase (0 blocks .. 8 viewports),
// in the order a DXF file lists the tables.
struct TableRow {
  int kind;
  unsigned controlType;
};
const TableRow kTables[] = {{8, 64}, {3, 56}, {2, 50}, {5, 52}, {7, 60},
                            {6, 62}, {4, 66}, {1, 68}, {0, 48}};
} // namespace

namespace {
// A watcher that follows the read is told how far it is every so many objects opened.
const std::size_t kObjectsPerReport = 64;

double positionOf(const void* loader)
{
  return static_cast<const DwgLoader*>(loader)->position();
}
} // namespace

DwgLoader::DwgLoader(AcDbDatabase& database, const std::uint8_t* data, std::size_t size)
    : m_builder(database), m_data(data), m_size(size), m_objects(m_sections, m_classes),
      m_entity(m_builder, m_text, m_layers, m_blockIds)
{
  m_builder.setPosition(&positionOf, this);
}

double DwgLoader::position() const
{
  if (m_toOpen == 0)
    return 0.0;
  return m_opened >= m_toOpen ? 1.0 : static_cast<double>(m_opened) / static_cast<double>(m_toOpen);
}

bool DwgLoader::looksLikeDwg(const char* data, std::size_t size)
{
  if (size < 6 || data[0] != 'A' || data[1] != 'C')
    return false;
  for (int i = 2; i < 6; ++i)
    if ((data[i] < '0' || data[i] > '9') && data[i] != '.')
      return false;
  return true;
}

bool DwgLoader::fail(const DwgFault& fault)
{
  if (m_error.empty()) {
    m_error = fault.section + ": byte " + std::to_string(fault.offset) + ": " + fault.what;
    m_status = Acad::eDwgNotRecognized;
  }
  return false;
}

bool DwgLoader::cancel()
{
  m_error = "Reading cancelled";
  m_status = Acad::eFileAccessErr;
  return false;
}

bool DwgLoader::fail(const std::string& what)
{
  if (m_error.empty()) {
    m_error = what;
    m_status = Acad::eDwgNotRecognized;
  }
  return false;
}

// What every table entry has after its name: until R2004 the 64 flag, the external
// reference index and the dependency flag; from R2007 on one word.
void DwgLoader::skipEntryFlags(DwgObject& o)
{
  if (o.version >= 1021) {
    o.data.BS();
    return;
  }
  o.data.B();
  o.data.BS();
  o.data.B();
}

std::string DwgLoader::decode(const std::string& raw)
{
  return m_text.decode(raw.data(), raw.size());
}

Acad::ErrorStatus DwgLoader::load()
{
  m_builder.addDefaults(false);
  if (readContainer() && readSections() && findControls() && readTables())
    readBlocks();
  return m_status;
}

bool DwgLoader::readContainer()
{
  const std::string version(reinterpret_cast<const char*>(m_data), m_size < 6 ? m_size : 6);
  DwgFault fault;
  bool ok;
  if (version == "AC1012" || version == "AC1014" || version == "AC1015")
    ok = readDwgR2000Container(m_data, m_size, m_sections, fault);
  else if (version == "AC1018" || version == "AC1024" || version == "AC1027" || version == "AC1032")
    ok = readDwgPagedContainer(m_data, m_size, m_sections, fault);
  else if (version == "AC1021")
    ok = readDwgR2007Container(m_data, m_size, m_sections, fault);
  else
    return fail("file header: byte 0: a DWG drawing of version " + version + ", which is not read");
  if (!ok)
    return fail(fault);
  m_builder.setVersion(version.c_str());
  if (m_sections.version >= 1021) {
    m_text.setCodePage(65001);
  } else if (m_sections.codePage > 0 &&
             m_sections.codePage < static_cast<int>(sizeof kCodePages / sizeof kCodePages[0])) {
    const unsigned page = dxfCodePageOf(kCodePages[m_sections.codePage]);
    if (page != 0)
      m_text.setCodePage(page);
  }
  return true;
}

bool DwgLoader::readSections()
{
  DwgFault fault;
  if (!checkDwgHeader(m_sections, fault) || !readDwgClasses(m_sections, m_classes, fault))
    return fail(fault);
  std::vector<DwgMapEntry> map;
  if (!readDwgObjectMap(m_sections, map, fault))
    return fail(fault);
  m_offsets.assign(std::move(map));
  return true;
}

bool DwgLoader::findControls()
{
  for (const DwgMapEntry& e : m_offsets.entries()) {
    unsigned type = 0;
    if (!m_objects.peekType(e.offset, type))
      continue; // a damaged object is reported when it is read
    if (m_objects.isEntityType(type) || (type >= 48 && type <= 69))
      ++m_toOpen;
    if (type >= 48 && type <= 68 && type % 2 == 0 && type != 54 && type != 58) {
      auto it = m_controls.find(type);
      if (it == m_controls.end() || e.handle < it->second)
        m_controls[type] = e.handle;
    }
  }
  return true;
}

bool DwgLoader::open(std::uint64_t handle, DwgObject& object)
{
  if (++m_opened % kObjectsPerReport == 0)
    m_builder.askWatcherNow();
  if (m_builder.cancelled())
    return cancel();
  std::size_t offset = 0;
  if (!m_offsets.find(handle, offset))
    return fail("AcDb:Handles: byte 0: object " + std::to_string(handle) +
                " is not in the object map");
  DwgFault fault;
  if (!m_objects.open(offset, object, fault))
    return fail(fault);
  return true;
}

bool DwgLoader::readTables()
{
  for (const TableRow& t : kTables)
    if (!readTable(t.kind, t.controlType))
      return false;
  return true;
}

bool DwgLoader::readTable(int kind, unsigned controlType)
{
  auto it = m_controls.find(controlType);
  if (it == m_controls.end())
    return true; // a drawing without that table
  DwgObject o;
  DwgFault fault;
  if (!open(it->second, o))
    return false;
  if (!m_objects.readObjectCommon(o, fault))
    return fail(fault);
  const std::uint32_t count = o.data.BL();
  if (!o.handles.fits(count, 8))
    return fail(o.handles.section() + std::string(": byte ") +
                std::to_string(o.handles.faultOffset()) + ": " + o.handles.faultWhat());
  std::vector<std::uint64_t> records;
  records.reserve(count + 2);
  for (std::uint32_t i = 0; i < count; ++i)
    records.push_back(o.reference());
  // The blocks of the two spaces, and the linetypes BYBLOCK and BYLAYER, come after
  // the entries and first in the table.
  if (kind == 0 || kind == 3) {
    const std::uint64_t a = o.reference();
    const std::uint64_t b = o.reference();
    records.insert(records.begin(), {a, b});
    if (kind == 0) {
      m_modelSpace = a;
      m_paperSpace = b;
    }
  }
  if (!o.ok()) {
    fault.section = o.faulted().section();
    fault.offset = o.faulted().faultOffset();
    fault.what = o.faulted().faultWhat();
    return fail(fault);
  }
  for (std::size_t i = 0; i < records.size(); ++i) {
    // The entries' place numbers anonymous blocks ("*D" -> "*D3", the second paper
    // space "*Paper_Space" -> "*Paper_Space0"), counted after the two spaces.
    const std::size_t index = kind == 0 ? i - 2 : i;
    if (records[i] != 0 && !readRecord(kind, records[i], i >= 2 ? index : std::size_t(-1)))
      return false;
  }
  return true;
}

bool DwgLoader::readRecord(int kind, std::uint64_t handle, std::size_t index)
{
  DwgObject o;
  DwgFault fault;
  if (!open(handle, o))
    return false;
  if (!m_objects.readObjectCommon(o, fault))
    return fail(fault);
  std::string name = decode(o.text());
  if (kind == 0 && index != std::size_t(-1) && name.size() > 1 && name[0] == '*' &&
      (name.back() < '0' || name.back() > '9')) {
    // R13 and R14 have no layouts: their other paper spaces are not listed.
    if (m_sections.version < 1015 && name.size() == 12 && (name[1] == 'P' || name[1] == 'p'))
      return true;
    name += std::to_string(index);
  }
  DwgBitReader& r = o.data;
  int color = 7;
  DwgColor trueColor;
  bool off = false, frozen = false;
  if (kind == 2) {
    skipEntryFlags(o);
    if (o.version < 1015) {
      frozen = r.B();
      off = r.B();
      r.B(); // frozen in new viewports
      r.B(); // locked
    } else {
      const unsigned flags = r.BS();
      frozen = (flags & 1) != 0;
      off = (flags & 2) != 0;
    }
    color = static_cast<std::int16_t>(r.BS());
    if (o.version >= 1018) {
      // From R2004 on the colour is in the RGB word: its top byte says how (0xC3: by
      // index, in the low byte).
      const DwgColor word = dwgColorOfWord(r.BL(), color);
      if (word.trueColor)
        trueColor = word;
      else if (word.index > 0 && word.index < 256)
        color = word.index;
      const unsigned named = r.RC();
      if ((named & 1) != 0)
        o.text();
      if ((named & 2) != 0)
        o.text();
    }
  }
  if (!o.ok()) {
    fault.section = o.faulted().section();
    fault.offset = o.faulted().faultOffset();
    fault.what = o.faulted().faultWhat();
    return fail(fault);
  }
  AcDbSymbolTableRecord* record = m_builder.record(kind, name.c_str());
  if (record == nullptr)
    return true;
  if (AcDbLayerTableRecord* layer = AcDbLayerTableRecord::cast(record)) {
    if (color < 0) {
      off = true;
      color = -color;
    }
    AcCmColor c(color >= 1 && color <= 255 ? static_cast<Adesk::UInt16>(color) : 7);
    if (trueColor.trueColor)
      c.setRGB(static_cast<Adesk::UInt8>(trueColor.rgb >> 16),
               static_cast<Adesk::UInt8>(trueColor.rgb >> 8),
               static_cast<Adesk::UInt8>(trueColor.rgb));
    layer->setColor(c);
    layer->setIsOff(off);
    layer->setIsFrozen(frozen);
    m_layers[handle] = m_builder.intern(name.c_str());
  }
  if (AcDbBlockTableRecord* block = AcDbBlockTableRecord::cast(record)) {
    m_blockIds[handle] = block->objectId();
    m_blocks.push_back({handle, block});
  }
  return true;
}

bool DwgLoader::readBlocks()
{
  // Every block first, then the entities of model and paper space, as DXF has them.
  for (const BlockEntry& b : m_blocks)
    if (b.handle != m_modelSpace && b.handle != m_paperSpace && !readBlock(b.handle))
      return false;
  for (const BlockEntry& b : m_blocks)
    if (b.handle == m_modelSpace && !readBlock(b.handle))
      return false;
  for (const BlockEntry& b : m_blocks)
    if (b.handle == m_paperSpace && !readBlock(b.handle))
      return false;
  return true;
}

bool DwgLoader::readBlock(std::uint64_t handle)
{
  DwgObject o;
  DwgFault fault;
  if (!open(handle, o))
    return false;
  if (!m_objects.readObjectCommon(o, fault))
    return fail(fault);
  DwgBitReader& r = o.data;
  const std::string name = decode(o.text());
  skipEntryFlags(o);
  r.B(); // anonymous
  r.B(); // has attributes
  const bool xref = r.B();
  const bool overlaid = r.B();
  if (o.version >= 1015)
    r.B(); // loaded
  std::uint32_t ownedCount = 0;
  if (o.version >= 1018)
    ownedCount = r.BL();
  const AcGePoint3d base = r.point3();
  o.text(); // xref path
  std::uint32_t inserts = 0;
  if (o.version >= 1015)
    while (r.ok() && r.RC() != 0)
      ++inserts;
  // The description, the preview and the rest are not needed.
  std::uint64_t first = 0, last = 0;
  std::vector<std::uint64_t> owned;
  o.handles.H(); // null
  o.handles.H(); // BLOCK
  if (o.version < 1018) {
    if (!xref && !overlaid) {
      first = o.reference();
      last = o.reference();
    }
  } else if (o.handles.fits(ownedCount, 8)) {
    owned.reserve(ownedCount);
    for (std::uint32_t i = 0; i < ownedCount; ++i)
      owned.push_back(o.reference());
  }
  if (!o.ok()) {
    fault.section = o.faulted().section();
    fault.offset = o.faulted().faultOffset();
    fault.what = o.faulted().faultWhat();
    return fail(fault);
  }
  AcDbBlockTableRecord* block = nullptr;
  for (const BlockEntry& b : m_blocks)
    if (b.handle == handle)
      block = b.record;
  if (block == nullptr)
    return true;
  (void)name;
  m_builder.setOrigin(block, base);
  return readEntities(block, first, last, owned);
}

bool DwgLoader::readEntities(AcDbBlockTableRecord* block, std::uint64_t first, std::uint64_t last,
                             const std::vector<std::uint64_t>& owned)
{
  std::uint64_t next = 0;
  if (m_sections.version >= 1018) {
    for (std::uint64_t h : owned)
      if (!readEntity(h, block, next))
        return false;
    return true;
  }
  if (first == 0)
    return true;
  // The entities are linked; a chain longer than the drawing's objects loops.
  std::size_t steps = 0;
  for (std::uint64_t h = first;; h = next) {
    if (++steps > m_offsets.size())
      return fail("AcDb:AcDbObjects: byte 0: the entities of a block are linked in a loop");
    if (!readEntity(h, block, next))
      return false;
    if (h == last || next == 0)
      return true;
  }
}

// Opens object `handle`, which must be an entity (the fault names it as a vertex or as an
// object of a block), and reads its common data and its own fields.
bool DwgLoader::readEntityObject(std::uint64_t handle, const char* owned, DwgEntityCommon& common,
                                 DwgEntityReader::Result& result)
{
  DwgObject o;
  DwgFault fault;
  if (!open(handle, o))
    return false;
  if (!m_objects.isEntityType(o.type)) {
    const std::string what = owned != nullptr ? owned + (" " + std::to_string(handle))
                                              : "object " + std::to_string(handle) + " of a block";
    return fail(DwgFault{"AcDb:AcDbObjects", o.offset, what + " is not an entity"});
  }
  if (!m_objects.readEntityCommon(o, common, fault))
    return fail(fault);
  if (!m_entity.read(o, common, m_objects.classOf(o.type), result, fault))
    return fail(fault);
  return true;
}

bool DwgLoader::readEntity(std::uint64_t handle, AcDbBlockTableRecord* block, std::uint64_t& next)
{
  DwgEntityCommon common;
  DwgEntityReader::Result result;
  if (!readEntityObject(handle, nullptr, common, result))
    return false;
  next = common.next;
  switch (result.role) {
  case DwgEntityReader::kEntity:
    m_builder.append(block, result.entity);
    return true;
  case DwgEntityReader::kPolyline:
  case DwgEntityReader::kReference:
    m_builder.append(block, result.entity);
    return readOwned(result.entity, result);
  case DwgEntityReader::kVertex:
  case DwgEntityReader::kAttribute:
    delete result.entity; // a vertex or attribute outside its owner
    return true;
  case DwgEntityReader::kPart:
    delete result.entity;
    return true;
  }
  return true;
}

bool DwgLoader::readOwned(AcDbEntity* entity, const DwgEntityReader::Result& owner)
{
  AcDb2dPolyline* p2 = AcDb2dPolyline::cast(entity);
  AcDb3dPolyline* p3 = AcDb3dPolyline::cast(entity);
  AcDbBlockReference* reference = AcDbBlockReference::cast(entity);
  const std::vector<std::uint64_t>& chain = owner.vertices;
  const bool linked = m_sections.version < 1018;
  std::uint64_t h = owner.firstVertex;
  std::size_t steps = 0;
  for (std::size_t i = 0;; ++i) {
    if (linked) {
      if (h == 0)
        return true;
    } else if (i >= chain.size()) {
      return true;
    } else {
      h = chain[i];
    }
    if (++steps > m_offsets.size())
      return fail(std::string("AcDb:AcDbObjects: byte 0: the ") +
                  (reference != nullptr ? "attributes of a reference" : "vertices of a polyline") +
                  " are linked in a loop");
    DwgEntityCommon common;
    DwgEntityReader::Result result;
    if (!readEntityObject(h, reference != nullptr ? "attribute" : "vertex", common, result))
      return false;
    AcDbEntity* e = result.entity;
    if (AcDb2dVertex* v = AcDb2dVertex::cast(e); v != nullptr && p2 != nullptr)
      p2->appendVertex(v);
    else if (AcDb3dPolylineVertex* v3 = AcDb3dPolylineVertex::cast(e); v3 != nullptr && p3)
      p3->appendVertex(v3);
    else if (AcDbAttribute* a = AcDbAttribute::cast(e); a != nullptr && reference != nullptr)
      reference->appendAttribute(a);
    else
      delete e;
    if (linked) {
      if (h == owner.lastVertex)
        return true;
      h = common.next;
    }
  }
}
