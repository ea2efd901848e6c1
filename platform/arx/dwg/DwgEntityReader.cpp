#include "arx/dwg/DwgEntityReader.h"

#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDb3dPolyline.h"
#include "arx/db/AcDb3dSolid.h"
#include "arx/db/AcDbArc.h"
#include "arx/db/AcDbAttribute.h"
#include "arx/db/AcDbAttributeDefinition.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbBody.h"
#include "arx/db/AcDbCircle.h"
#include "arx/db/AcDbDimension.h"
#include "arx/db/AcDbFace.h"
#include "arx/db/AcDbFrame.h"
#include "arx/db/AcDbHatch.h"
#include "arx/db/AcDbLeader.h"
#include "arx/db/AcDbLine.h"
#include "arx/db/AcDbMText.h"
#include "arx/db/AcDbMline.h"
#include "arx/db/AcDbPoint.h"
#include "arx/db/AcDbPolyline.h"
#include "arx/db/AcDbProxyEntity.h"
#include "arx/db/AcDbRasterImage.h"
#include "arx/db/AcDbRay.h"
#include "arx/db/AcDbRegion.h"
#include "arx/db/AcDbShape.h"
#include "arx/db/AcDbSolid.h"
#include "arx/db/AcDbSpline.h"
#include "arx/db/AcDbTable.h"
#include "arx/db/AcDbText.h"
#include "arx/db/AcDbTrace.h"
#include "arx/db/AcDbUnknownEntity.h"
#include "arx/db/AcDbViewport.h"
#include "arx/db/AcDbXline.h"
#include "arx/db/StoredEllipse.h"
#include "arx/ge/AcGeMatrix3d.h"

#include <cstring>

namespace {
using Reader = DwgEntityReader;

AcGeVector3d unitOrZ(const AcGeVector3d& v)
{
  if (v == AcGeVector3d::kZAxis)
    return v;
  return v.isZeroLength() ? AcGeVector3d::kZAxis : v.normal();
}

// A point of the object coordinate system of `normal` in world coordinates.
AcGePoint3d ocsToWorld(const AcGePoint3d& p, const AcGeVector3d& normal)
{
  const AcGeVector3d n = unitOrZ(normal);
  if (n == AcGeVector3d::kZAxis)
    return p;
  AcGePoint3d q = p;
  return q.transformBy(AcGeMatrix3d::planeToWorld(n));
}

Adesk::UInt16 clampToU16(long long v)
{
  return static_cast<Adesk::UInt16>(v < 0 ? 0 : v > 65535 ? 65535 : v);
}

struct FixedRow {
  unsigned type;
  Reader::Decoder decode;
};

// The fixed object types that are entities, with their decoders.
const FixedRow kFixed[] = {
    {1, &Reader::text},           {2, &Reader::attribute},     {3, &Reader::attributeDefinition},
    {4, &Reader::part},           {5, &Reader::part},          {6, &Reader::part},
    {7, &Reader::insert},         {8, &Reader::minsert},       {10, &Reader::vertex2d},
    {11, &Reader::vertex3d},      {12, &Reader::part},         {13, &Reader::part},
    {14, &Reader::part},          {15, &Reader::polyline2d},   {16, &Reader::polyline3d},
    {17, &Reader::arc},           {18, &Reader::circle},       {19, &Reader::line},
    {20, &Reader::dimension},     {21, &Reader::dimension},    {22, &Reader::dimension},
    {23, &Reader::dimension},     {24, &Reader::dimension},    {25, &Reader::dimension},
    {26, &Reader::dimension},     {27, &Reader::point},        {28, &Reader::face},
    {29, &Reader::polylineMesh},  {30, &Reader::polylineMesh}, {31, &Reader::quadrilateral},
    {32, &Reader::quadrilateral}, {33, &Reader::shape},        {34, &Reader::viewport},
    {35, &Reader::ellipse},       {36, &Reader::spline},       {37, &Reader::region},
    {38, &Reader::solid3d},       {39, &Reader::body},         {40, &Reader::ray},
    {41, &Reader::xline},         {43, &Reader::oleFrame},     {44, &Reader::mtext},
    {45, &Reader::leader},        {47, &Reader::mline},        {74, &Reader::ole2Frame},
    {77, &Reader::lwPolyline},    {78, &Reader::hatch},        {498, &Reader::proxy},
};

struct ClassRow {
  const char* dxfName;
  Reader::Decoder decode;
};

// The class types (500 and up) read by their DXF names.
const ClassRow kClasses[] = {
    {"LWPOLYLINE", &Reader::lwPolyline}, {"HATCH", &Reader::hatch},
    {"IMAGE", &Reader::image},           {"WIPEOUT", &Reader::wipeout},
    {"ACAD_TABLE", &Reader::table},      {"OLE2FRAME", &Reader::ole2Frame},
};

// The decoder of a fixed type (null when it has none), from a table by type.
Reader::Decoder fixedDecoder(unsigned type)
{
  struct Table {
    Reader::Decoder byType[500] = {};
    Table()
    {
      for (const FixedRow& row : kFixed)
        byType[row.type] = row.decode;
    }
  };
  static const Table table;
  return type < 500 ? table.byType[type] : nullptr;
}

// Fixed types kept as unknown entities, by their DXF names.
const char* fixedName(unsigned type)
{
  switch (type) {
  case 46:
    return "TOLERANCE";
  case 29:
  case 30:
    return "POLYLINE";
  default:
    return "UNKNOWN";
  }
}
} // namespace

std::string DwgEntityReader::string(DwgObject& o)
{
  const std::string raw = o.text();
  return m_text.decode(raw.data(), raw.size());
}

AcDbObjectId DwgEntityReader::block(std::uint64_t handle) const
{
  auto it = m_blocks.find(handle);
  return it != m_blocks.end() ? it->second : AcDbObjectId::kNull;
}

void DwgEntityReader::owned(DwgObject& o, std::uint32_t count, Result& out)
{
  if (!o.handles.fits(count, 8))
    return;
  out.vertices.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i)
    out.vertices.push_back(o.reference());
}

bool DwgEntityReader::read(DwgObject& o, const DwgEntityCommon& common, const DwgClass* cls,
                           Result& out, DwgFault& fault)
{
  out = Result();
  Decoder decode = nullptr;
  m_unknownName = nullptr;
  if (cls != nullptr) {
    for (const ClassRow& row : kClasses)
      if (cls->dxfName == row.dxfName)
        decode = row.decode;
    if (decode == nullptr)
      m_unknownName = cls->dxfName.c_str();
  } else {
    decode = fixedDecoder(o.type);
    if (decode == nullptr)
      m_unknownName = fixedName(o.type);
  }
  AcDbEntity* e = nullptr;
  if (decode != nullptr)
    e = (this->*decode)(o, out);
  else
    e = new AcDbUnknownEntity(m_builder.intern(m_unknownName));
  if (!o.ok()) {
    delete e;
    const DwgBitReader& r = o.faulted();
    fault.section = r.section();
    fault.offset = r.faultOffset();
    fault.what = r.faultWhat();
    return false;
  }
  out.entity = e;
  if (e != nullptr) {
    auto it = m_layers.find(common.layer);
    m_builder.setLayerName(e, it != m_layers.end() ? it->second : m_builder.intern("0"));
    const int color = common.color.index;
    if (common.color.trueColor)
      m_builder.setTrueColor(e, common.color.rgb);
    else
      m_builder.setColorIndex(e,
                              color >= 0 && color <= 256 ? static_cast<Adesk::UInt16>(color) : 256);
  }
  return true;
}

AcDbEntity* DwgEntityReader::part(DwgObject&, Result& out)
{
  out.role = kPart;
  return nullptr;
}

AcDbEntity* DwgEntityReader::readText(DwgObject& o, AcDbText* t, bool attribute)
{
  DwgBitReader& r = o.data;
  double elevation = 0.0, ox = 0.0, oy = 0.0, ax = 0.0, ay = 0.0, oblique = 0.0, rotation = 0.0;
  double height = 0.0, width = 1.0;
  unsigned h = 0, v = 0, generation = 0;
  AcGeVector3d normal;
  std::string value;
  bool alignment = true;
  if (o.version < 1015) {
    elevation = r.BD();
    r.RD2(ox, oy);
    r.RD2(ax, ay);
    normal = r.vector3();
    r.BD(); // thickness
    oblique = r.BD();
    rotation = r.BD();
    height = r.BD();
    width = r.BD();
    value = string(o);
    generation = r.BS();
    h = r.BS();
    v = r.BS();
  } else {
    const unsigned flags = r.RC();
    if ((flags & 0x01) == 0)
      elevation = r.RD();
    r.RD2(ox, oy);
    if ((flags & 0x02) == 0) {
      ax = r.DD(ox);
      ay = r.DD(oy);
    } else {
      alignment = false;
    }
    normal = r.extrusion();
    r.thickness();
    if ((flags & 0x04) == 0)
      oblique = r.RD();
    if ((flags & 0x08) == 0)
      rotation = r.RD();
    height = r.RD();
    if ((flags & 0x10) == 0)
      width = r.RD();
    value = string(o);
    if ((flags & 0x20) == 0)
      generation = r.BS();
    if ((flags & 0x40) == 0)
      h = r.BS();
    if ((flags & 0x80) == 0)
      v = r.BS();
  }
  (void)attribute;
  normal = unitOrZ(normal);
  t->setNormal(normal);
  const AcGePoint3d position = ocsToWorld(AcGePoint3d(ox, oy, elevation), normal);
  t->setPosition(position);
  // A left-aligned text has no alignment point of its own.
  const bool aligned = alignment && (h != 0 || v != 0);
  t->setAlignmentPoint(aligned ? ocsToWorld(AcGePoint3d(ax, ay, elevation), normal) : position);
  t->setHeight(height);
  t->setWidthFactor(width);
  t->setRotation(rotation);
  t->setOblique(oblique);
  t->setHorizontalMode(static_cast<AcDbText::TextHorzMode>(h <= 5 ? h : 0));
  t->setVerticalMode(static_cast<AcDbText::TextVertMode>(v <= 3 ? v : 0));
  t->setMirroredInX((generation & 2) != 0); // backward
  t->setMirroredInY((generation & 4) != 0); // upside down
  t->setTextString(value.c_str());
  return t;
}

AcDbEntity* DwgEntityReader::text(DwgObject& o, Result&)
{
  return readText(o, new AcDbText, false);
}

AcDbEntity* DwgEntityReader::attribute(DwgObject& o, Result& out)
{
  AcDbAttribute* a = new AcDbAttribute;
  readText(o, a, true);
  DwgBitReader& r = o.data;
  if (o.version >= 1024)
    r.RC(); // version
  unsigned kind = 1;
  if (o.version >= 1032)
    kind = r.RC(); // 1 single line; a multiline one keeps text of its own first
  if (kind == 1)
    a->setTag(string(o).c_str());
  out.role = kAttribute; // attributes belong to their reference
  return a;
}

AcDbEntity* DwgEntityReader::attributeDefinition(DwgObject& o, Result&)
{
  AcDbAttributeDefinition* d = new AcDbAttributeDefinition;
  readText(o, d, true);
  DwgBitReader& r = o.data;
  if (o.version >= 1024)
    r.RC(); // version
  const std::string tag = string(o);
  r.BS(); // field length
  r.RC(); // flags
  if (o.version >= 1021)
    r.B(); // lock position
  if (o.version >= 1024)
    r.RC(); // version
  const std::string prompt = string(o);
  d->setTag(tag.c_str());
  d->setPrompt(prompt.c_str());
  return d;
}

AcDbEntity* DwgEntityReader::readInsert(DwgObject& o, Result& out, bool multiple)
{
  DwgBitReader& r = o.data;
  const AcGePoint3d at = r.point3();
  double sx = 1.0, sy = 1.0, sz = 1.0;
  if (o.version < 1015) {
    r.BD3(sx, sy, sz);
  } else {
    switch (r.BB()) {
    case 0:
      sx = r.RD();
      sy = r.DD(sx);
      sz = r.DD(sx);
      break;
    case 1:
      sy = r.DD(1.0);
      sz = r.DD(1.0);
      break;
    case 2:
      sx = r.RD();
      sy = sx;
      sz = sx;
      break;
    default:
      break;
    }
  }
  const double rotation = r.BD();
  const AcGeVector3d normal = unitOrZ(r.vector3());
  const bool attributes = r.B();
  std::uint32_t ownedCount = 0;
  if (o.version >= 1018 && attributes)
    ownedCount = r.BL(); // the attributes
  AcDbBlockReference* ref;
  if (multiple) {
    AcDbMInsertBlock* m = new AcDbMInsertBlock;
    m->setColumns(clampToU16(r.BS()));
    m->setRows(clampToU16(r.BS()));
    m->setColumnSpacing(r.BD());
    m->setRowSpacing(r.BD());
    ref = m;
  } else {
    ref = new AcDbBlockReference;
  }
  ref->setBlockTableRecord(block(o.reference()));
  if (attributes) {
    // The attributes that follow: the first and last (linked on), or all of them.
    if (o.version < 1018) {
      out.firstVertex = o.reference();
      out.lastVertex = o.reference();
    } else {
      owned(o, ownedCount, out);
    }
    o.handles.H(); // SEQEND
    out.role = kReference;
  }
  ref->setNormal(normal);
  ref->setPosition(ocsToWorld(at, normal));
  ref->setScaleFactors(AcGeScale3d(sx, sy, sz));
  ref->setRotation(rotation);
  return ref;
}

AcDbEntity* DwgEntityReader::insert(DwgObject& o, Result& out)
{
  return readInsert(o, out, false);
}

AcDbEntity* DwgEntityReader::minsert(DwgObject& o, Result& out)
{
  return readInsert(o, out, true);
}

AcDbEntity* DwgEntityReader::table(DwgObject& o, Result& out)
{
  // A table starts as a block reference: its point, scale, rotation, normal.
  AcDbBlockReference* ref = static_cast<AcDbBlockReference*>(readInsert(o, out, false));
  out = Result(); // a table's cells are no attributes
  AcDbTable* t = new AcDbTable;
  t->setBlockTableRecord(ref->blockTableRecord());
  t->setNormal(ref->normal());
  t->setPosition(ref->position());
  delete ref;
  return t;
}

AcDbEntity* DwgEntityReader::vertex2d(DwgObject& o, Result& out)
{
  DwgBitReader& r = o.data;
  r.RC(); // flags
  const AcGePoint3d p = r.point3();
  const double start = r.BD();
  if (start >= 0.0)
    r.BD(); // end width
  const double bulge = r.BD();
  out.role = kVertex;
  return new AcDb2dVertex(p, bulge);
}

AcDbEntity* DwgEntityReader::vertex3d(DwgObject& o, Result& out)
{
  DwgBitReader& r = o.data;
  r.RC(); // flags
  out.role = kVertex;
  return new AcDb3dPolylineVertex(r.point3());
}

AcDbEntity* DwgEntityReader::polyline2d(DwgObject& o, Result& out)
{
  DwgBitReader& r = o.data;
  const unsigned flags = r.BS();
  r.BS(); // curve type
  r.BD(); // start width
  r.BD(); // end width
  r.thickness();
  const double elevation = r.BD();
  const AcGeVector3d normal = unitOrZ(r.extrusion());
  std::uint32_t count = 0;
  if (o.version >= 1018)
    count = r.BL();
  AcDb2dPolyline* p = new AcDb2dPolyline;
  p->setClosed((flags & 1) != 0);
  p->setNormal(normal);
  p->setElevation(elevation);
  out.role = kPolyline;
  if (o.version < 1018) {
    out.firstVertex = o.reference();
    out.lastVertex = o.reference();
  } else {
    owned(o, count, out);
  }
  return p;
}

AcDbEntity* DwgEntityReader::polyline3d(DwgObject& o, Result& out)
{
  DwgBitReader& r = o.data;
  r.RC(); // spline flags
  const unsigned flags = r.RC();
  std::uint32_t count = 0;
  if (o.version >= 1018)
    count = r.BL();
  AcDb3dPolyline* p = new AcDb3dPolyline;
  p->setClosed((flags & 1) != 0);
  out.role = kPolyline;
  if (o.version < 1018) {
    out.firstVertex = o.reference();
    out.lastVertex = o.reference();
  } else {
    owned(o, count, out);
  }
  return p;
}

AcDbEntity* DwgEntityReader::polylineMesh(DwgObject&, Result&)
{
  return new AcDbUnknownEntity(m_builder.intern("POLYLINE")); // meshes are not modelled
}

AcDbEntity* DwgEntityReader::arc(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  const AcGePoint3d c = r.point3();
  const double radius = r.BD();
  r.thickness();
  const AcGeVector3d n = unitOrZ(r.extrusion());
  const double start = r.BD();
  const double end = r.BD();
  AcDbArc* a = new AcDbArc;
  a->setCenter(ocsToWorld(c, n));
  a->setNormal(n);
  a->setRadius(radius);
  a->setStartAngle(start);
  a->setEndAngle(end);
  return a;
}

AcDbEntity* DwgEntityReader::circle(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  const AcGePoint3d c = r.point3();
  const double radius = r.BD();
  r.thickness();
  const AcGeVector3d n = unitOrZ(r.extrusion());
  return new AcDbCircle(ocsToWorld(c, n), n, radius);
}

AcDbEntity* DwgEntityReader::line(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  AcGePoint3d a, b;
  if (o.version < 1015) {
    a = r.point3();
    b = r.point3();
  } else {
    const bool flat = r.B();
    a.x = r.RD();
    b.x = r.DD(a.x);
    a.y = r.RD();
    b.y = r.DD(a.y);
    if (!flat) {
      a.z = r.RD();
      b.z = r.DD(a.z);
    }
  }
  r.thickness();
  r.extrusion();
  return new AcDbLine(a, b);
}

AcDbEntity* DwgEntityReader::dimension(DwgObject& o, Result&)
{
  // The block that draws the dimension follows its style in the handle stream.
  o.reference();
  AcDbDimension* d = new AcDbDimension;
  d->setDimBlockId(block(o.reference()));
  return d;
}

AcDbEntity* DwgEntityReader::point(DwgObject& o, Result&)
{
  return new AcDbPoint(o.data.point3());
}

AcDbEntity* DwgEntityReader::face(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  AcGePoint3d p[4];
  unsigned hidden = 0;
  if (o.version < 1015) {
    for (AcGePoint3d& q : p)
      q = r.point3();
    hidden = r.BS();
  } else {
    const bool noFlags = r.B();
    const bool flat = r.B();
    p[0].x = r.RD();
    p[0].y = r.RD();
    if (!flat)
      p[0].z = r.RD();
    for (int i = 1; i < 4; ++i) {
      p[i].x = r.DD(p[i - 1].x);
      p[i].y = r.DD(p[i - 1].y);
      p[i].z = r.DD(p[i - 1].z);
    }
    if (!noFlags)
      hidden = r.BS();
  }
  AcDbFace* f = new AcDbFace;
  for (Adesk::UInt16 i = 0; i < 4; ++i) {
    f->setVertexAt(i, p[i]);
    if ((hidden & (1u << i)) != 0)
      f->makeEdgeInvisibleAt(i);
  }
  return f;
}

namespace {
template <class Quadrilateral>
AcDbEntity* makeQuadrilateral(const AcGePoint3d corners[4], const AcGeVector3d& normal)
{
  Quadrilateral* q = new Quadrilateral;
  q->setNormal(normal);
  for (Adesk::UInt16 i = 0; i < 4; ++i)
    q->setPointAt(i, corners[i]);
  return q;
}
} // namespace

// SOLID (31) and TRACE (32) have the same fields: the thickness, the elevation, four
// corners in the plane of the normal, and the normal.
AcDbEntity* DwgEntityReader::quadrilateral(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  r.thickness();
  const double elevation = r.BD();
  AcGePoint3d c[4];
  for (AcGePoint3d& p : c) {
    r.RD2(p.x, p.y);
    p.z = elevation;
  }
  const AcGeVector3d n = unitOrZ(r.extrusion());
  for (AcGePoint3d& p : c)
    p = ocsToWorld(p, n);
  return o.type == 32 ? makeQuadrilateral<AcDbTrace>(c, n) : makeQuadrilateral<AcDbSolid>(c, n);
}

AcDbEntity* DwgEntityReader::shape(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  const AcGePoint3d at = r.point3();
  const double size = r.BD();
  const double rotation = r.BD();
  const double width = r.BD();
  r.BD(); // oblique
  r.BD(); // thickness
  r.BS(); // shape number
  const AcGeVector3d n = unitOrZ(r.extrusion());
  AcDbShape* s = new AcDbShape;
  s->setNormal(n);
  s->setPosition(ocsToWorld(at, n));
  s->setSize(size);
  s->setRotation(rotation);
  s->setWidthFactor(width);
  return s;
}

AcDbEntity* DwgEntityReader::viewport(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  AcDbViewport* v = new AcDbViewport;
  v->setCenterPoint(r.point3());
  v->setWidth(r.BD());
  v->setHeight(r.BD());
  return v;
}

AcDbEntity* DwgEntityReader::ellipse(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  const AcGePoint3d c = r.point3();
  const AcGeVector3d major = r.vector3();
  const AcGeVector3d n = unitOrZ(r.vector3());
  const double ratio = r.BD();
  const double start = r.BD();
  const double end = r.BD();
  return makeStoredEllipse(c, n, major, ratio, start, end);
}

AcDbEntity* DwgEntityReader::spline(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  unsigned scenario = r.BL();
  bool closedFlag = false; // R2013 on: the fit data's closed bit
  if (o.version >= 1027) {
    const std::uint32_t flags = r.BL();
    const std::uint32_t knotParameter = r.BL();
    if ((flags & 1) != 0)
      scenario = 2;
    if (knotParameter == 15)
      scenario = 1;
    closedFlag = (flags & 4) != 0;
  }
  const unsigned degree = r.BL();
  AcDbSpline* s = new AcDbSpline;
  s->setDegree(static_cast<int>(degree <= 99 ? degree : 3));
  std::uint32_t knots = 0, controls = 0, fits = 0;
  bool weighted = false;
  if (scenario == 2) {
    r.BD(); // fit tolerance
    // A tangent the spline was drawn without is stored as the zero vector.
    const AcGeVector3d start = r.vector3();
    const AcGeVector3d end = r.vector3();
    s->setFitTangents(start, end);
    fits = r.BL();
  } else if (scenario == 1) {
    r.B(); // rational
    s->setClosed(r.B());
    r.B();  // periodic
    r.BD(); // knot tolerance
    r.BD(); // control tolerance
    knots = r.BL();
    controls = r.BL();
    weighted = r.B();
  } else {
    r.fail("an unknown spline scenario");
    return s;
  }
  if (!r.fits(knots, 2) || !r.fits(controls, 6) || !r.fits(fits, 6))
    return s;
  for (std::uint32_t i = 0; i < knots; ++i)
    r.BD();
  s->reserve(controls, fits);
  for (std::uint32_t i = 0; i < controls; ++i) {
    s->appendControlPoint(r.point3());
    if (weighted)
      r.BD();
  }
  for (std::uint32_t i = 0; i < fits; ++i)
    s->appendFitPoint(r.point3());
  if (scenario == 2) {
    // Fit data has no closed bit before R2013: the host closes a spline drawn
    // through points by making its last point the first again.
    AcGePoint3d first, last;
    const bool coincide = fits >= 3 && s->getFitPointAt(0, first) == Acad::eOk &&
                          s->getFitPointAt(static_cast<int>(fits) - 1, last) == Acad::eOk &&
                          first == last;
    s->setClosed(o.version >= 1027 ? closedFlag : coincide);
  }
  return s;
}

AcDbEntity* DwgEntityReader::region(DwgObject&, Result&)
{
  return new AcDbRegion;
}

AcDbEntity* DwgEntityReader::solid3d(DwgObject&, Result&)
{
  return new AcDb3dSolid;
}

AcDbEntity* DwgEntityReader::body(DwgObject&, Result&)
{
  return new AcDbBody;
}

AcDbEntity* DwgEntityReader::ray(DwgObject& o, Result&)
{
  AcDbRay* r = new AcDbRay;
  r->setBasePoint(o.data.point3());
  r->setUnitDir(o.data.vector3());
  return r;
}

AcDbEntity* DwgEntityReader::xline(DwgObject& o, Result&)
{
  AcDbXline* x = new AcDbXline;
  x->setBasePoint(o.data.point3());
  x->setUnitDir(o.data.vector3());
  return x;
}

AcDbEntity* DwgEntityReader::oleFrame(DwgObject&, Result&)
{
  return new AcDbOleFrame;
}

AcDbEntity* DwgEntityReader::ole2Frame(DwgObject&, Result&)
{
  return new AcDbOle2Frame; // its corners are inside the OLE data
}

AcDbEntity* DwgEntityReader::proxy(DwgObject&, Result&)
{
  return new AcDbProxyEntity;
}

AcDbEntity* DwgEntityReader::mtext(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  const AcGePoint3d at = r.point3();
  r.vector3(); // normal
  r.vector3(); // x direction
  r.BD();      // rectangle width
  if (o.version >= 1021)
    r.BD(); // rectangle height
  const double height = r.BD();
  r.BS(); // attachment
  r.BS(); // drawing direction
  r.BD(); // extents height
  r.BD(); // extents width
  const std::string contents = string(o);
  AcDbMText* m = new AcDbMText;
  m->setLocation(at);
  m->setTextHeight(height);
  m->setContents(contents.c_str());
  return m;
}

AcDbEntity* DwgEntityReader::leader(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  r.B();  // unknown
  r.BS(); // annotation type
  r.BS(); // path type
  const std::uint32_t count = r.BL();
  AcDbLeader* l = new AcDbLeader;
  if (!r.fits(count, 6))
    return l;
  for (std::uint32_t i = 0; i < count; ++i)
    l->appendVertex(r.point3());
  return l;
}

AcDbEntity* DwgEntityReader::mline(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  r.BD();      // scale
  r.RC();      // justification
  r.point3();  // base point
  r.vector3(); // normal
  const unsigned openClosed = r.BS();
  const unsigned lines = r.RC();
  const unsigned count = r.BS();
  AcDbMline* m = new AcDbMline;
  m->setClosedMline(openClosed == 3);
  if (!r.fits(count, 18))
    return m;
  for (unsigned i = 0; i < count && r.ok(); ++i) {
    m->appendSeg(r.point3());
    r.vector3(); // direction
    r.vector3(); // miter
    for (unsigned k = 0; k < lines && r.ok(); ++k) {
      const unsigned parameters = r.BS();
      if (!r.fits(parameters, 2))
        break;
      for (unsigned j = 0; j < parameters; ++j)
        r.BD();
      const unsigned fills = r.BS();
      if (!r.fits(fills, 2))
        break;
      for (unsigned j = 0; j < fills; ++j)
        r.BD();
    }
  }
  return m;
}

AcDbEntity* DwgEntityReader::lwPolyline(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  const unsigned flags = r.BS();
  if ((flags & 4) != 0)
    r.BD(); // constant width
  double elevation = 0.0;
  if ((flags & 8) != 0)
    elevation = r.BD();
  if ((flags & 2) != 0)
    r.BD(); // thickness
  AcGeVector3d normal = AcGeVector3d::kZAxis;
  if ((flags & 1) != 0)
    normal = unitOrZ(r.vector3());
  const std::uint32_t points = r.BL();
  std::uint32_t bulges = 0, ids = 0, widths = 0;
  if ((flags & 16) != 0)
    bulges = r.BL();
  if (o.version >= 1024 && (flags & 1024) != 0)
    ids = r.BL();
  if ((flags & 32) != 0)
    widths = r.BL();
  AcDbPolyline* pl = new AcDbPolyline;
  pl->setNormal(normal);
  pl->setElevation(elevation);
  pl->setClosed((flags & 512) != 0);
  if (!r.fits(points, 4) || !r.fits(bulges, 2) || !r.fits(ids, 2) || !r.fits(widths, 4))
    return pl;
  std::vector<AcGePoint2d> v(points);
  for (std::uint32_t i = 0; i < points; ++i) {
    if (o.version < 1015 || i == 0) {
      r.RD2(v[i].x, v[i].y);
    } else {
      v[i].x = r.DD(v[i - 1].x);
      v[i].y = r.DD(v[i - 1].y);
    }
  }
  std::vector<double> b(points, 0.0);
  for (std::uint32_t i = 0; i < bulges; ++i) {
    const double value = r.BD();
    if (i < points)
      b[i] = value;
  }
  pl->reserveVertices(points);
  for (std::uint32_t i = 0; i < points; ++i)
    pl->addVertexAt(pl->numVerts(), v[i], b[i]);
  return pl;
}

AcDbEntity* DwgEntityReader::hatch(DwgObject& o, Result&)
{
  DwgBitReader& r = o.data;
  AcDbHatch* h = new AcDbHatch;
  if (o.version >= 1018) {
    const std::uint32_t gradient = r.BL();
    r.BL(); // reserved
    r.BD(); // gradient angle
    r.BD(); // gradient shift
    r.BL(); // single colour
    r.BD(); // tint
    const std::uint32_t colors = r.BL();
    if (!r.fits(colors, 4))
      return h;
    for (std::uint32_t i = 0; i < colors && r.ok(); ++i) {
      r.BD(); // position
      r.BS(); // colour index
      r.BL(); // RGB
      const unsigned named = r.RC();
      if ((named & 1) != 0)
        string(o); // colour name
      if ((named & 2) != 0)
        string(o); // colour book name
    }
    (void)gradient;
    string(o); // gradient name
  }
  const double elevation = r.BD();
  const AcGeVector3d normal = unitOrZ(r.vector3());
  const std::string name = string(o);
  const bool solid = r.B();
  r.B(); // associative
  const std::uint32_t paths = r.BL();
  if (!r.fits(paths, 4))
    return h;
  bool pixelSize = false;
  std::vector<HatchLoop> loops;
  for (std::uint32_t p = 0; p < paths && r.ok(); ++p) {
    HatchLoop loop;
    const std::uint32_t flags = r.BL();
    if ((flags & 4) != 0)
      pixelSize = true;
    if ((flags & 2) == 0) {
      const std::uint32_t edges = r.BL();
      if (!r.fits(edges, 8))
        break;
      for (std::uint32_t i = 0; i < edges && r.ok(); ++i) {
        HatchEdge e;
        const unsigned kind = r.RC();
        switch (kind) {
        case 1:
          e.kind = HatchEdge::kLine;
          r.RD2(e.start.x, e.start.y);
          r.RD2(e.end.x, e.end.y);
          break;
        case 2:
          e.kind = HatchEdge::kCircularArc;
          r.RD2(e.center.x, e.center.y);
          e.radius = r.BD();
          e.startAngle = r.BD();
          e.endAngle = r.BD();
          e.counterClockwise = r.B();
          break;
        case 3:
          e.kind = HatchEdge::kEllipticArc;
          r.RD2(e.center.x, e.center.y);
          r.RD2(e.majorAxis.x, e.majorAxis.y);
          e.ratio = r.BD();
          e.startAngle = r.BD();
          e.endAngle = r.BD();
          e.counterClockwise = r.B();
          break;
        case 4: {
          e.kind = HatchEdge::kSpline;
          e.degree = static_cast<int>(r.BL());
          const bool rational = r.B();
          r.B(); // periodic
          const std::uint32_t knots = r.BL();
          const std::uint32_t controls = r.BL();
          if (!r.fits(knots, 2) || !r.fits(controls, 128))
            break;
          for (std::uint32_t k = 0; k < knots; ++k)
            e.knots.push_back(r.BD());
          for (std::uint32_t k = 0; k < controls; ++k) {
            AcGePoint2d c;
            r.RD2(c.x, c.y);
            e.controlPoints.push_back(c);
            if (rational)
              e.weights.push_back(r.BD());
          }
          if (o.version >= 1024) {
            const std::uint32_t fits = r.BL();
            if (fits > 0) {
              if (!r.fits(fits, 128))
                break;
              for (std::uint32_t k = 0; k < fits; ++k) {
                AcGePoint2d c;
                r.RD2(c.x, c.y);
                e.fitPoints.push_back(c);
              }
              double x, y;
              r.RD2(x, y); // start tangent
              r.RD2(x, y); // end tangent
            }
          }
          break;
        }
        default:
          r.fail("an unknown hatch edge type");
          break;
        }
        loop.edges.push_back(std::move(e));
      }
    } else {
      loop.isPolyline = true;
      const bool hasBulges = r.B();
      loop.closed = r.B();
      const std::uint32_t count = r.BL();
      if (!r.fits(count, hasBulges ? 130 : 128))
        break;
      for (std::uint32_t i = 0; i < count; ++i) {
        AcGePoint2d v;
        r.RD2(v.x, v.y);
        loop.vertices.push_back(v);
        loop.bulges.push_back(hasBulges ? r.BD() : 0.0);
      }
    }
    const std::uint32_t sources = r.BL(); // boundary objects, in the handle stream
    if (!o.handles.fits(sources, 8))
      break;
    for (std::uint32_t i = 0; i < sources; ++i)
      o.handles.H();
    loops.push_back(std::move(loop));
  }
  r.BS(); // style
  r.BS(); // pattern type
  std::vector<HatchPatternLine> pattern;
  if (!solid) {
    r.BD(); // angle
    r.BD(); // scale or spacing
    r.B();  // double
    const unsigned lines = r.BS();
    if (!r.fits(lines, 10))
      return h;
    for (unsigned i = 0; i < lines && r.ok(); ++i) {
      HatchPatternLine line;
      line.angle = r.BD();
      r.BD2(line.base.x, line.base.y);
      r.BD2(line.offset.x, line.offset.y);
      const unsigned dashes = r.BS();
      if (!r.fits(dashes, 2))
        break;
      for (unsigned k = 0; k < dashes; ++k)
        line.dashes.push_back(r.BD());
      pattern.push_back(std::move(line));
    }
  }
  if (pixelSize)
    r.BD();
  h->setNormal(normal);
  h->setElevation(elevation);
  h->setPatternName(name.c_str());
  h->setSolidFill(solid);
  for (HatchLoop& loop : loops)
    h->appendLoop(std::move(loop));
  h->setPatternDefinition(std::move(pattern));
  return h;
}

AcDbEntity* DwgEntityReader::readImage(DwgObject& o, AcDbRasterImage* image)
{
  DwgBitReader& r = o.data;
  r.BL(); // class version
  const AcGePoint3d origin = r.point3();
  const AcGeVector3d u = r.vector3();
  const AcGeVector3d v = r.vector3();
  double w = 0.0, h = 0.0;
  r.RD2(w, h);
  r.BS(); // display properties
  const bool clipping = r.B();
  r.RC(); // brightness
  r.RC(); // contrast
  r.RC(); // fade
  if (o.version >= 1024)
    r.B(); // clip mode
  const unsigned kind = r.BS();
  std::vector<AcGePoint2d> clip;
  if (kind == 1) {
    clip.resize(2);
    r.RD2(clip[0].x, clip[0].y);
    r.RD2(clip[1].x, clip[1].y);
  } else {
    const std::uint32_t count = r.BL();
    if (r.fits(count, 128)) {
      clip.resize(count);
      for (AcGePoint2d& p : clip)
        r.RD2(p.x, p.y);
    }
  }
  image->setOrientation(origin, u, v);
  image->setImageSize(AcGeVector2d(w, h));
  image->setClipBoundary(clip);
  image->setClipped(clip.size() >= 2 && (AcDbWipeout::cast(image) != nullptr || clipping));
  return image;
}

AcDbEntity* DwgEntityReader::image(DwgObject& o, Result&)
{
  return readImage(o, new AcDbRasterImage);
}

AcDbEntity* DwgEntityReader::wipeout(DwgObject& o, Result&)
{
  return readImage(o, new AcDbWipeout);
}
