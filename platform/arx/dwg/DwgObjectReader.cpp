#include "arx/dwg/DwgObjectReader.h"

namespace {
const char* const kObjects = "AcDb:AcDbObjects";
} // namespace

bool dwgFixedTypeIsEntity(unsigned type)
{
  return (type >= 1 && type <= 41 && type != 9) || (type >= 43 && type <= 47) || type == 74 ||
         type == 77 || type == 78 || type == 498;
}

void dwgLocateStrings(DwgBitReader& strings, std::size_t bitSize)
{
  if (bitSize == 0) {
    strings.limitBits(0);
    return;
  }
  std::size_t pos = bitSize - 1;
  strings.seekBit(pos);
  if (!strings.B()) {
    strings.limitBits(0); // no text at all
    return;
  }
  if (pos < 16) {
    strings.fail("the string stream's size lies before the data");
    return;
  }
  pos -= 16;
  strings.seekBit(pos);
  std::size_t size = strings.RS();
  if ((size & 0x8000) != 0) {
    if (pos < 16) {
      strings.fail("the string stream's size lies before the data");
      return;
    }
    pos -= 16;
    strings.seekBit(pos);
    size = (size & 0x7FFF) | (static_cast<std::size_t>(strings.RS()) << 15);
  }
  if (size > pos) {
    strings.fail("the string stream is larger than the data");
    return;
  }
  strings.seekBit(pos - size);
  strings.limitBits(pos);
}

const DwgBitReader& DwgObject::faulted() const
{
  if (!data.ok())
    return data;
  if (!handles.ok())
    return handles;
  return strings;
}

const DwgClass* DwgObjectReader::classOf(unsigned type) const
{
  if (type < 500)
    return nullptr;
  // Classes are numbered from 500 in order; look there first.
  const std::size_t guess = type - 500;
  if (guess < m_classes.size() && m_classes[guess].number == type)
    return &m_classes[guess];
  for (const DwgClass& c : m_classes)
    if (c.number == type)
      return &c;
  return nullptr;
}

bool DwgObjectReader::isEntityType(unsigned type) const
{
  if (type < 500)
    return dwgFixedTypeIsEntity(type);
  const DwgClass* c = classOf(type);
  return c != nullptr && c->isEntity;
}

bool DwgObjectReader::fail(const DwgBitReader& reader, DwgFault& fault) const
{
  fault.section = reader.section();
  fault.offset = reader.faultOffset();
  fault.what = reader.faultWhat();
  return false;
}

bool DwgObjectReader::peekType(std::size_t offset, unsigned& type) const
{
  const std::uint8_t* bytes = m_sections.objectData();
  const std::size_t total = m_sections.objectSize();
  if (offset >= total)
    return false;
  DwgBitReader r(bytes + offset, total - offset, kObjects, offset);
  r.setVersion(m_sections.version);
  const std::uint32_t size = r.MS();
  if (!r.ok() || size > r.bitsLeft() / 8)
    return false;
  if (m_sections.version >= 1024) {
    r.MC(false);
    const unsigned code = r.BB();
    if (code == 0)
      type = r.RC();
    else if (code == 1)
      type = r.RC() + 0x1F0u;
    else
      type = r.RS();
  } else {
    type = r.BS();
  }
  return r.ok();
}

bool DwgObjectReader::open(std::size_t offset, DwgObject& o, DwgFault& fault)
{
  const std::uint8_t* bytes = m_sections.objectData();
  const std::size_t total = m_sections.objectSize();
  o.version = m_sections.version;
  if (offset >= total) {
    fault = {kObjects, offset, "an object lies beyond the end of the section"};
    return false;
  }
  DwgBitReader head(bytes + offset, total - offset, kObjects, offset);
  const std::uint32_t size = head.MS();
  if (!head.ok())
    return fail(head, fault);
  std::uint64_t handleBits = 0;
  if (o.version >= 1024) {
    handleBits = static_cast<std::uint64_t>(head.MC(false));
    if (!head.ok())
      return fail(head, fault);
  }
  const std::size_t start = offset + head.bitPosition() / 8;
  if (size > total - start || total - start - size < 2) {
    fault = {kObjects, offset, "an object's size runs past the end of the section"};
    return false;
  }
  const std::uint16_t stored =
      static_cast<std::uint16_t>(bytes[start + size] | (bytes[start + size + 1] << 8));
  if (dwgCrc16(0xC0C1, bytes + offset, start + size - offset) != stored) {
    fault = {kObjects, offset, "CRC mismatch of the object"};
    return false;
  }
  o.offset = offset;
  o.dataStart = start;
  o.dataSize = size;
  o.data = DwgBitReader(bytes + start, size, kObjects, start);
  o.data.setVersion(o.version);
  o.handles = DwgBitReader();
  o.strings = DwgBitReader();
  o.separateStrings = false;
  DwgBitReader& r = o.data;
  if (o.version >= 1024) {
    const unsigned code = r.BB();
    if (code == 0)
      o.type = r.RC();
    else if (code == 1)
      o.type = r.RC() + 0x1F0u;
    else
      o.type = r.RS();
    if (handleBits > static_cast<std::uint64_t>(size) * 8) {
      fault = {kObjects, offset, "an object's handle stream is larger than the object"};
      return false;
    }
    startStreams(o, size * 8 - static_cast<std::size_t>(handleBits));
  } else {
    o.type = r.BS();
    if (o.version >= 1015)
      startStreams(o, r.RL());
  }
  const DwgHandleRef own = r.H();
  o.handle = own.value;
  skipExtendedData(o);
  if (!o.ok())
    return fail(o.faulted(), fault);
  return true;
}

// The handle stream starts `bitSize` bits into the object's data; from R2007 on the
// string stream ends just before it, its size and a flag stored backwards from there.
void DwgObjectReader::startStreams(DwgObject& o, std::size_t bitSize) const
{
  const std::uint8_t* bytes = m_sections.objectData() + o.dataStart;
  o.handles = DwgBitReader(bytes, o.dataSize, kObjects, o.dataStart);
  o.handles.setVersion(o.version);
  o.handles.seekBit(bitSize);
  if (o.handles.ok())
    o.data.limitBits(bitSize);
  if (o.version < 1021 || !o.handles.ok())
    return;
  o.separateStrings = true;
  o.strings = DwgBitReader(bytes, o.dataSize, kObjects, o.dataStart);
  o.strings.setVersion(o.version);
  dwgLocateStrings(o.strings, bitSize);
}

void DwgObjectReader::skipExtendedData(DwgObject& o) const
{
  DwgBitReader& r = o.data;
  for (std::uint16_t size = r.BS(); size != 0 && r.ok(); size = r.BS()) {
    r.H();
    r.skipBytes(size);
  }
}

bool DwgObjectReader::readObjectCommon(DwgObject& o, DwgFault& fault) const
{
  DwgBitReader& r = o.data;
  if (o.version < 1015)
    startStreams(o, r.RL());
  const std::uint32_t reactors = r.BL();
  bool xdicMissing = false;
  if (o.version >= 1018)
    xdicMissing = r.B();
  if (o.version >= 1027)
    r.B(); // binary data present
  DwgBitReader& h = o.handles;
  h.H(); // owner
  if (h.fits(reactors, 8))
    for (std::uint32_t i = 0; i < reactors; ++i)
      h.H();
  if (!xdicMissing)
    h.H();
  if (!o.ok())
    return fail(o.faulted(), fault);
  return true;
}

bool DwgObjectReader::readEntityCommon(DwgObject& o, DwgEntityCommon& c, DwgFault& fault) const
{
  DwgBitReader& r = o.data;
  if (r.B()) { // graphics
    const std::uint64_t size = o.version >= 1024 ? r.BLL() : r.RL();
    r.skipBytes(size);
  }
  if (o.version < 1015)
    startStreams(o, r.RL());
  c.mode = r.BB();
  const std::uint32_t reactors = r.BL();
  bool xdicMissing = false;
  if (o.version >= 1018)
    xdicMissing = r.B();
  if (o.version >= 1027)
    r.B(); // binary data present
  bool byLayerLinetype = true;
  if (o.version < 1015)
    byLayerLinetype = r.B();
  bool noLinks = true;
  if (o.version < 1018)
    noLinks = r.B();
  bool colorBook = false;
  c.color = dwgReadEntityColor(r, o.version, colorBook);
  r.BD(); // linetype scale
  unsigned linetypeFlags = 0, plotStyleFlags = 0, materialFlags = 0;
  bool fullStyle = false, faceStyle = false, edgeStyle = false;
  if (o.version >= 1015) {
    linetypeFlags = r.BB();
    plotStyleFlags = r.BB();
  }
  if (o.version >= 1021) {
    materialFlags = r.BB();
    r.RC(); // shadow
  }
  if (o.version >= 1024) {
    fullStyle = r.B();
    faceStyle = r.B();
    edgeStyle = r.B();
  }
  r.BS(); // invisible
  if (o.version >= 1015)
    r.RC(); // lineweight

  DwgBitReader& h = o.handles;
  if (c.mode == 0)
    c.owner = o.reference();
  if (h.fits(reactors, 8))
    for (std::uint32_t i = 0; i < reactors; ++i)
      h.H();
  if (!xdicMissing)
    h.H();
  if (o.version < 1015) {
    c.layer = o.reference();
    if (!byLayerLinetype)
      h.H();
  }
  if (!noLinks) {
    c.previous = o.reference();
    c.next = o.reference();
  } else {
    c.previous = o.handle - 1;
    c.next = o.handle + 1;
  }
  if (colorBook)
    h.H();
  if (o.version >= 1015) {
    c.layer = o.reference();
    if (linetypeFlags == 3)
      h.H();
  }
  if (materialFlags == 3)
    h.H();
  if (o.version >= 1015 && plotStyleFlags == 3)
    h.H();
  if (fullStyle)
    h.H();
  if (faceStyle)
    h.H();
  if (edgeStyle)
    h.H();
  if (!o.ok())
    return fail(o.faulted(), fault);
  return true;
}
