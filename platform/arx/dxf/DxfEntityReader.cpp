#include "arx/dxf/DxfEntityReader.h"

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

#include <cmath>
#include <cstring>

namespace {
const double kDegree = 3.141592653589793 / 180.0;

struct KindName {
  const char* name;
  std::size_t length; // of the name
  DxfEntityReader::Kind kind;
};

template <std::size_t N> constexpr KindName kind(const char (&name)[N], DxfEntityReader::Kind k)
{
  return {name, N - 1, k};
}

// The DXF type names the reader models.
const KindName kKinds[] = {
    kind("LINE", DxfEntityReader::kLine),
    kind("POINT", DxfEntityReader::kPoint),
    kind("CIRCLE", DxfEntityReader::kCircle),
    kind("ARC", DxfEntityReader::kArc),
    kind("ELLIPSE", DxfEntityReader::kEllipse),
    kind("LWPOLYLINE", DxfEntityReader::kLwPolyline),
    kind("POLYLINE", DxfEntityReader::kPolyline),
    kind("VERTEX", DxfEntityReader::kVertex),
    kind("SEQEND", DxfEntityReader::kSeqEnd),
    kind("SPLINE", DxfEntityReader::kSpline),
    kind("LEADER", DxfEntityReader::kLeader),
    kind("TEXT", DxfEntityReader::kText),
    kind("ATTDEF", DxfEntityReader::kAttDef),
    kind("ATTRIB", DxfEntityReader::kAttrib),
    kind("MTEXT", DxfEntityReader::kMText),
    kind("SHAPE", DxfEntityReader::kShape),
    kind("SOLID", DxfEntityReader::kSolid),
    kind("TRACE", DxfEntityReader::kTrace),
    kind("3DFACE", DxfEntityReader::kFace),
    kind("RAY", DxfEntityReader::kRay),
    kind("XLINE", DxfEntityReader::kXline),
    kind("INSERT", DxfEntityReader::kInsert),
    kind("ACAD_TABLE", DxfEntityReader::kTable),
    kind("DIMENSION", DxfEntityReader::kDimension),
    kind("HATCH", DxfEntityReader::kHatch),
    kind("MLINE", DxfEntityReader::kMline),
    kind("VIEWPORT", DxfEntityReader::kViewport),
    kind("OLEFRAME", DxfEntityReader::kOleFrame),
    kind("OLE2FRAME", DxfEntityReader::kOle2Frame),
    kind("IMAGE", DxfEntityReader::kImage),
    kind("WIPEOUT", DxfEntityReader::kWipeout),
    kind("ACAD_PROXY_ENTITY", DxfEntityReader::kProxy),
    kind("REGION", DxfEntityReader::kRegion),
    kind("3DSOLID", DxfEntityReader::k3dSolid),
    kind("BODY", DxfEntityReader::kBody),
};

// The n bytes at a and b are the same. Type and layer names are short, and the
// C library's memcmp is a call per name (under Wine, one that goes byte by byte).
bool sameBytes(const char* a, const char* b, std::size_t n)
{
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i])
      return false;
  return true;
}

DxfEntityReader::Kind kindOf(const DxfTag& type)
{
  for (const KindName& k : kKinds)
    if (type.length == k.length && sameBytes(type.text, k.name, k.length))
      return k.kind;
  return DxfEntityReader::kUnknown;
}

Adesk::UInt16 clampToU16(long long v)
{
  return static_cast<Adesk::UInt16>(v < 0 ? 0 : v > 65535 ? 65535 : v);
}

AcGeVector3d unitOrZ(const AcGeVector3d& v)
{
  if (v == AcGeVector3d::kZAxis)
    return v; // nearly every entity
  return v.isZeroLength() ? AcGeVector3d::kZAxis : v.normal();
}
} // namespace

DxfEntityReader::DxfEntityReader(DrawingBuilder& builder, DxfTextDecoder& text)
    : m_builder(builder), m_text(text)
{
}

void DxfEntityReader::begin(const DxfTag& type)
{
  m_kind = kindOf(type);
  m_hasLists = m_kind == kLwPolyline || m_kind == kSpline || m_kind == kLeader ||
               m_kind == kMline || m_kind == kImage || m_kind == kWipeout;
  m_plainPoints = !m_hasLists && m_kind != kHatch;
  if (m_kind == kUnknown)
    m_typeName.assign(type.text, type.length);
  m_pointSet = 0;
  m_realSet = 0;
  m_intSet = 0;
  m_normal = AcGeVector3d::kZAxis;
  m_layerText.clear();
  m_layerName = nullptr;
  m_text1.clear();
  m_text2.clear();
  m_text3.clear();
  m_paperSpace = false;
  m_trueColor = -1;
  m_clipState = -1;
  m_list10.clear();
  m_list11.clear();
  m_list14.clear();
  m_list42.clear();
  m_loops.clear();
  m_pattern.clear();
  m_hatchPhase = 0;
  m_hatchElevation = 0.0;
  m_hatchSolid = false;
}

double DxfEntityReader::real(int code, double fallback) const
{
  return hasReal(code) ? m_reals[code - 38] : fallback;
}

long long DxfEntityReader::integer(int code, long long fallback) const
{
  return hasInt(code) ? m_ints[code - 60] : fallback;
}

double DxfEntityReader::angle(int code) const
{
  return real(code) * kDegree;
}

AcGePoint3d DxfEntityReader::ocsToWorld(const AcGePoint3d& p) const
{
  AcGeVector3d n = unitOrZ(m_normal);
  if (n == AcGeVector3d::kZAxis)
    return p;
  AcGePoint3d q = p;
  return q.transformBy(AcGeMatrix3d::planeToWorld(n));
}

void DxfEntityReader::addKept(const DxfTag& tag)
{
  const int c = tag.code;
  if (c >= 10 && c <= 37 && m_plainPoints) {
    storePoint(c, tag.real);
    return;
  }
  // Codes every entity has.
  switch (c) {
  case 8:
    m_layerName = knownLayer(tag.text, tag.length);
    if (m_layerName == nullptr)
      m_layerText.assign(tag.text, tag.length);
    return;
  case 62:
    m_ints[62 - 60] = tag.integer;
    m_intSet |= 1ull << (62 - 60);
    return;
  case 67:
    m_paperSpace = tag.integer == 1;
    return;
  case 420:
    m_trueColor = static_cast<long>(tag.integer & 0xFFFFFF);
    return;
  case 280:
    m_clipState = tag.integer;
    return;
  case 210:
    m_normal.x = tag.real;
    return;
  case 220:
    m_normal.y = tag.real;
    return;
  case 230:
    m_normal.z = tag.real;
    return;
  case 1:
    m_text1.assign(m_text.decode(tag.text, tag.length));
    return;
  case 2:
    m_text2.assign(m_text.decode(tag.text, tag.length));
    return;
  case 3:
    if (m_kind == kMText || m_kind == kAttDef)
      m_text3.append(m_text.decode(tag.text, tag.length));
    return;
  default:
    break;
  }
  if (m_kind == kHatch) {
    addHatchTag(tag);
    return;
  }
  // Repeated points: an x code starts a new point of the list.
  if (m_hasLists && c >= 10 && c <= 37) {
    const int base = c % 10 == 0 ? 10 : c % 10 == 1 ? 11 : c % 10 == 4 ? 14 : 0;
    std::vector<AcGePoint3d>* list = nullptr;
    const bool listed10 = m_kind == kLwPolyline || m_kind == kSpline || m_kind == kLeader;
    const bool listed11 = m_kind == kSpline || m_kind == kMline;
    const bool listed14 = m_kind == kImage || m_kind == kWipeout;
    if ((base == 10 && listed10) || (base == 11 && listed11) || (base == 14 && listed14))
      list = base == 10 ? &m_list10 : base == 11 ? &m_list11 : &m_list14;
    if (list != nullptr) {
      if (c == base)
        list->push_back(AcGePoint3d(tag.real, 0.0, 0.0));
      else if (!list->empty())
        (c < 30 ? list->back().y : list->back().z) = tag.real;
      return;
    }
  }
  if (c == 42 && m_kind == kLwPolyline) {
    // The bulge of the last vertex (vertices without one have 0).
    const std::size_t vertices = m_list10.size();
    if (m_list42.size() + 1 == vertices) {
      m_list42.push_back(tag.real);
    } else if (vertices > 0) {
      m_list42.resize(vertices, 0.0);
      m_list42.back() = tag.real;
    }
    return;
  }
  if (c >= 10 && c <= 37) {
    storePoint(c, tag.real);
  } else if (c >= 38 && c <= 59) {
    m_reals[c - 38] = tag.real;
    m_realSet |= 1u << (c - 38);
  } else if (c >= 60 && c <= 99) {
    m_ints[c - 60] = tag.integer;
    m_intSet |= 1ull << (c - 60);
  }
}

// Hatches: the boundary loops and the pattern lines come as runs of codes whose
// meaning depends on what came before; they are followed as they arrive.
void DxfEntityReader::addHatchTag(const DxfTag& tag)
{
  const int c = tag.code;
  const double v = tag.real;
  if (m_hatchPhase == 0) {
    if (c == 30)
      m_hatchElevation = v;
    else if (c == 70)
      m_hatchSolid = tag.integer == 1;
    else if (c == 91)
      m_hatchPhase = 1;
    return;
  }
  if (m_hatchPhase == 1) {
    if (c == 92) {
      m_loops.emplace_back();
      m_loops.back().isPolyline = (tag.integer & 2) != 0;
      return;
    }
    if (c == 75) {
      m_hatchPhase = 2;
      return;
    }
    if (m_loops.empty())
      return;
    HatchLoop& loop = m_loops.back();
    if (loop.isPolyline) {
      if (c == 10)
        loop.vertices.emplace_back(v, 0.0);
      else if (c == 20 && !loop.vertices.empty())
        loop.vertices.back().y = v;
      else if (c == 42 && !loop.vertices.empty()) {
        loop.bulges.resize(loop.vertices.size(), 0.0);
        loop.bulges.back() = v;
      }
      return;
    }
    if (c == 72) {
      HatchEdge e;
      e.kind = tag.integer >= 1 && tag.integer <= 4 ? static_cast<HatchEdge::Kind>(tag.integer)
                                                    : HatchEdge::kLine;
      loop.edges.push_back(e);
      return;
    }
    if (loop.edges.empty())
      return;
    HatchEdge& e = loop.edges.back();
    switch (e.kind) {
    case HatchEdge::kLine:
      if (c == 10)
        e.start.x = v;
      else if (c == 20)
        e.start.y = v;
      else if (c == 11)
        e.end.x = v;
      else if (c == 21)
        e.end.y = v;
      break;
    case HatchEdge::kCircularArc:
    case HatchEdge::kEllipticArc:
      if (c == 10)
        e.center.x = v;
      else if (c == 20)
        e.center.y = v;
      else if (c == 11)
        e.majorAxis.x = v;
      else if (c == 21)
        e.majorAxis.y = v;
      else if (c == 40)
        (e.kind == HatchEdge::kCircularArc ? e.radius : e.ratio) = v;
      else if (c == 50)
        e.startAngle = v * kDegree;
      else if (c == 51)
        e.endAngle = v * kDegree;
      else if (c == 73)
        e.counterClockwise = tag.integer != 0;
      break;
    case HatchEdge::kSpline:
      if (c == 94)
        e.degree = static_cast<int>(tag.integer);
      else if (c == 40)
        e.knots.push_back(v);
      else if (c == 10)
        e.controlPoints.emplace_back(v, 0.0);
      else if (c == 20 && !e.controlPoints.empty())
        e.controlPoints.back().y = v;
      else if (c == 42)
        e.weights.push_back(v);
      else if (c == 11)
        e.fitPoints.emplace_back(v, 0.0);
      else if (c == 21 && !e.fitPoints.empty())
        e.fitPoints.back().y = v;
      break;
    }
    return;
  }
  if (m_hatchPhase == 2) {
    if (c == 53) {
      m_pattern.emplace_back();
      m_pattern.back().angle = v * kDegree;
    } else if (c == 98) {
      m_hatchPhase = 3; // seed points follow
    } else if (!m_pattern.empty()) {
      HatchPatternLine& line = m_pattern.back();
      if (c == 43)
        line.base.x = v;
      else if (c == 44)
        line.base.y = v;
      else if (c == 45)
        line.offset.x = v;
      else if (c == 46)
        line.offset.y = v;
      else if (c == 49)
        line.dashes.push_back(v);
    }
  }
}

void DxfEntityReader::common(AcDbEntity* entity)
{
  if (m_layerName == nullptr)
    m_layerName = knownLayer(m_layerText.data(), m_layerText.size());
  if (m_layerName == nullptr) {
    // The first entity on this layer (an entity without one is on layer "0").
    const std::string& name = m_text.decode(m_layerText.data(), m_layerText.size());
    m_layerName = m_builder.intern(name.empty() ? "0" : name.c_str());
    // A layer the LAYER table lacks is made, as the host does on reading (colour 7,
    // on); one the table defines later takes its colour and state from there.
    m_builder.layer(m_layerName);
    m_layerTexts.push_back(m_layerText);
    m_layers.emplace(m_layerTexts.back(), m_layerName);
  }
  m_builder.setLayerName(entity, m_layerName);
  // A true colour (420) wins over the colour index (62) whichever comes first: the
  // index a writer puts beside it is only its nearest colour for older readers, and
  // the host takes the colour from the RGB.
  if (m_trueColor >= 0) {
    m_builder.setTrueColor(entity, static_cast<Adesk::UInt32>(m_trueColor));
    return;
  }
  long long color = integer(62, 256);
  m_builder.setColorIndex(entity,
                          color >= 0 && color <= 256 ? static_cast<Adesk::UInt16>(color) : 256);
}

AcDbEntity* DxfEntityReader::makeText(AcDbText* t)
{
  t->setNormal(unitOrZ(m_normal));
  AcGePoint3d position = ocsToWorld(point(10));
  if (!hasPoint(10))
    position = ocsToWorld(AcGePoint3d::kOrigin);
  t->setPosition(position);
  t->setAlignmentPoint(hasPoint(11) ? ocsToWorld(point(11)) : position);
  t->setHeight(real(40, 1.0));
  t->setWidthFactor(real(41, 1.0));
  t->setRotation(angle(50));
  t->setOblique(angle(51));
  long long h = integer(72, 0);
  long long vcode = m_kind == kText ? 73 : 74;
  long long vmode = integer(static_cast<int>(vcode), 0);
  t->setHorizontalMode(static_cast<AcDbText::TextHorzMode>(h >= 0 && h <= 5 ? h : 0));
  t->setVerticalMode(static_cast<AcDbText::TextVertMode>(vmode >= 0 && vmode <= 3 ? vmode : 0));
  long long generation = integer(71, 0); // 2 backward, 4 upside down
  t->setMirroredInX((generation & 2) != 0);
  t->setMirroredInY((generation & 4) != 0);
  t->setTextString(m_text1.c_str());
  return t;
}

AcDbEntity* DxfEntityReader::makeHatch()
{
  AcDbHatch* h = new AcDbHatch;
  h->setNormal(unitOrZ(m_normal));
  h->setElevation(m_hatchElevation);
  h->setPatternName(m_text2.c_str());
  h->setSolidFill(m_hatchSolid);
  for (HatchLoop& loop : m_loops) {
    if (loop.isPolyline)
      loop.bulges.resize(loop.vertices.size(), 0.0);
    h->appendLoop(std::move(loop));
  }
  h->setPatternDefinition(std::move(m_pattern));
  return h;
}

AcDbEntity* DxfEntityReader::makeImage(AcDbRasterImage* image)
{
  image->setOrientation(point(10), point(11).asVector(), point(12).asVector());
  if (!hasPoint(11))
    image->setOrientation(point(10), AcGeVector3d::kXAxis, point(12).asVector());
  if (!hasPoint(12))
    image->setOrientation(point(10), image->uPixel(), AcGeVector3d::kYAxis);
  AcGePoint3d size = hasPoint(13) ? point(13) : AcGePoint3d(1.0, 1.0, 0.0);
  image->setImageSize(AcGeVector2d(size.x, size.y));
  std::vector<AcGePoint2d> clip;
  for (const AcGePoint3d& p : m_list14)
    clip.emplace_back(p.x, p.y);
  image->setClipBoundary(clip);
  // 280 is the clipping state; a wipeout is always its frame.
  image->setClipped(clip.size() >= 2 && (m_kind == kWipeout || m_clipState != 0));
  return image;
}

AcDbEntity* DxfEntityReader::make()
{
  AcDbEntity* e = nullptr;
  const AcGeVector3d normal = unitOrZ(m_normal);
  switch (m_kind) {
  case kVertex:
  case kSeqEnd:
  case kAttrib:
    return nullptr;
  case kLine:
    e = new AcDbLine(point(10), point(11));
    break;
  case kPoint:
    e = new AcDbPoint(point(10));
    break;
  case kCircle:
    e = new AcDbCircle(ocsToWorld(point(10)), normal, real(40));
    break;
  case kArc: {
    AcDbArc* a = new AcDbArc;
    a->setCenter(ocsToWorld(point(10)));
    a->setNormal(normal);
    a->setRadius(real(40));
    a->setStartAngle(angle(50));
    a->setEndAngle(angle(51));
    e = a;
    break;
  }
  case kEllipse: {
    e = makeStoredEllipse(point(10), normal, point(11).asVector(), real(40, 1.0), real(41, 0.0),
                          real(42, 6.283185307179586));
    break;
  }
  case kLwPolyline: {
    AcDbPolyline* pl = new AcDbPolyline;
    pl->setNormal(normal);
    pl->setElevation(real(38));
    pl->setClosed((integer(70) & 1) != 0);
    m_list42.resize(m_list10.size(), 0.0);
    pl->reserveVertices(static_cast<unsigned int>(m_list10.size()));
    for (std::size_t i = 0; i < m_list10.size(); ++i)
      pl->addVertexAt(pl->numVerts(), AcGePoint2d(m_list10[i].x, m_list10[i].y), m_list42[i]);
    e = pl;
    break;
  }
  case kPolyline: {
    long long flags = integer(70);
    if (flags & (16 | 64)) {
      e = new AcDbUnknownEntity(m_builder.intern("POLYLINE")); // meshes are not modelled
    } else if (flags & 8) {
      AcDb3dPolyline* p3 = new AcDb3dPolyline;
      p3->setClosed((flags & 1) != 0);
      e = p3;
    } else {
      AcDb2dPolyline* p2 = new AcDb2dPolyline;
      p2->setClosed((flags & 1) != 0);
      p2->setNormal(normal);
      p2->setElevation(point(10).z);
      e = p2;
    }
    break;
  }
  case kSpline: {
    AcDbSpline* s = new AcDbSpline;
    s->setDegree(static_cast<int>(integer(71, 3)));
    s->setClosed((integer(70) & 1) != 0);
    // A tangent the file leaves out (12 or 13) is the zero vector, as a DWG stores it.
    s->setFitTangents(point(12).asVector(), point(13).asVector());
    s->reserve(m_list10.size(), m_list11.size());
    for (const AcGePoint3d& p : m_list10)
      s->appendControlPoint(p);
    for (const AcGePoint3d& p : m_list11)
      s->appendFitPoint(p);
    e = s;
    break;
  }
  case kLeader: {
    AcDbLeader* l = new AcDbLeader;
    for (const AcGePoint3d& p : m_list10)
      l->appendVertex(p);
    e = l;
    break;
  }
  case kMline: {
    AcDbMline* m = new AcDbMline;
    m->setClosedMline((integer(71) & 2) != 0);
    for (const AcGePoint3d& p : m_list11)
      m->appendSeg(p);
    e = m;
    break;
  }
  case kText:
    e = makeText(new AcDbText);
    break;
  case kAttDef: {
    AcDbAttributeDefinition* d = new AcDbAttributeDefinition;
    d->setTag(m_text2.c_str());
    d->setPrompt(m_text3.c_str());
    e = makeText(d);
    break;
  }
  case kMText: {
    AcDbMText* m = new AcDbMText;
    m->setLocation(point(10));
    m->setTextHeight(real(40, 1.0));
    m->setContents((m_text3 + m_text1).c_str());
    e = m;
    break;
  }
  case kShape: {
    AcDbShape* s = new AcDbShape;
    s->setNormal(normal);
    s->setPosition(ocsToWorld(point(10)));
    s->setSize(real(40, 1.0));
    s->setRotation(angle(50));
    s->setWidthFactor(real(41, 1.0));
    e = s;
    break;
  }
  case kSolid:
  case kTrace: {
    AcGePoint3d corners[4];
    for (int i = 0; i < 4; ++i) {
      int code = 10 + (i < 3 || hasPoint(13) ? i : 2); // no fourth corner: the third again
      corners[i] = point(code);
      if (!hasPoint(code))
        corners[i] = AcGePoint3d::kOrigin;
      if (hasPoint(10))
        corners[i].z = point(10).z; // the plane's elevation
      corners[i] = ocsToWorld(corners[i]);
    }
    if (m_kind == kSolid) {
      AcDbSolid* s = new AcDbSolid;
      s->setNormal(normal);
      for (Adesk::UInt16 i = 0; i < 4; ++i)
        s->setPointAt(i, corners[i]);
      e = s;
    } else {
      AcDbTrace* t = new AcDbTrace;
      t->setNormal(normal);
      for (Adesk::UInt16 i = 0; i < 4; ++i)
        t->setPointAt(i, corners[i]);
      e = t;
    }
    break;
  }
  case kFace: {
    AcDbFace* f = new AcDbFace;
    long long hidden = integer(70);
    for (Adesk::UInt16 i = 0; i < 4; ++i) {
      int code = 10 + (i < 3 || hasPoint(13) ? i : 2);
      f->setVertexAt(i, hasPoint(code) ? point(code) : AcGePoint3d::kOrigin);
      if (hidden & (1ll << i))
        f->makeEdgeInvisibleAt(i);
    }
    e = f;
    break;
  }
  case kRay: {
    AcDbRay* r = new AcDbRay;
    r->setBasePoint(point(10));
    r->setUnitDir(point(11).asVector());
    e = r;
    break;
  }
  case kXline: {
    AcDbXline* x = new AcDbXline;
    x->setBasePoint(point(10));
    x->setUnitDir(point(11).asVector());
    e = x;
    break;
  }
  case kInsert:
  case kTable: {
    AcDbBlockReference* r;
    if (m_kind == kTable) {
      r = new AcDbTable;
    } else if (hasInt(70) || hasInt(71)) {
      AcDbMInsertBlock* m = new AcDbMInsertBlock;
      m->setColumns(clampToU16(integer(70, 1)));
      m->setRows(clampToU16(integer(71, 1)));
      m->setColumnSpacing(real(44));
      m->setRowSpacing(real(45));
      r = m;
    } else {
      r = new AcDbBlockReference;
    }
    r->setBlockTableRecord(blockId(r));
    r->setNormal(normal);
    r->setPosition(ocsToWorld(point(10)));
    if (m_kind == kInsert)
      r->setScaleFactors(AcGeScale3d(real(41, 1.0), real(42, 1.0), real(43, 1.0)));
    r->setRotation(m_kind == kInsert ? angle(50) : 0.0);
    e = r;
    break;
  }
  case kDimension: {
    AcDbDimension* d = new AcDbDimension;
    d->setDimBlockId(blockId(d));
    e = d;
    break;
  }
  case kHatch:
    e = makeHatch();
    break;
  case kViewport: {
    AcDbViewport* v = new AcDbViewport;
    v->setCenterPoint(point(10));
    v->setWidth(real(40));
    v->setHeight(real(41));
    e = v;
    break;
  }
  case kOleFrame:
    e = new AcDbOleFrame;
    break;
  case kOle2Frame: {
    AcDbOle2Frame* f = new AcDbOle2Frame;
    if (hasPoint(10) && hasPoint(11))
      f->setCorners(point(10), point(11));
    e = f;
    break;
  }
  case kImage:
    e = makeImage(new AcDbRasterImage);
    break;
  case kWipeout:
    e = makeImage(new AcDbWipeout);
    break;
  case kProxy:
    e = new AcDbProxyEntity;
    break;
  case kRegion:
    e = new AcDbRegion;
    break;
  case k3dSolid:
    e = new AcDb3dSolid;
    break;
  case kBody:
    e = new AcDbBody;
    break;
  case kUnknown:
    e = new AcDbUnknownEntity(m_builder.intern(m_typeName.c_str()));
    break;
  }
  common(e);
  return e;
}

AcDbObjectId DxfEntityReader::blockId(AcDbEntity* entity)
{
  if (m_text2.empty())
    return AcDbObjectId::kNull;
  if (AcDbBlockTableRecord* block = m_builder.findBlock(m_text2.c_str()))
    return block->objectId();
  m_pending.push_back({entity, m_text2});
  return AcDbObjectId::kNull;
}

const char* DxfEntityReader::knownLayer(const char* text, std::size_t length)
{
  const std::string_view key(text, length);
  // A slot chosen by the text's length and ends, then the map.
  const unsigned ends = length > 0 ? static_cast<unsigned char>(text[0]) * 7u +
                                         static_cast<unsigned char>(text[length - 1])
                                   : 0u;
  RecentLayer& slot = m_recentLayers[(length * 31u + ends) % kRecentLayers];
  if (slot.layer != nullptr && slot.text.size() == length &&
      sameBytes(slot.text.data(), text, length))
    return slot.layer;
  auto it = m_layers.find(key);
  if (it == m_layers.end())
    return nullptr;
  slot.text = it->first; // (held by m_layerTexts)
  slot.layer = it->second;
  return it->second;
}

void DxfEntityReader::forgetLayers()
{
  m_layers.clear();
  m_layerTexts.clear();
  for (RecentLayer& slot : m_recentLayers)
    slot = RecentLayer();
}

void DxfEntityReader::resolveBlocks()
{
  for (const PendingBlock& p : m_pending) {
    AcDbBlockTableRecord* block = m_builder.findBlock(p.name.c_str());
    if (block == nullptr)
      continue;
    if (AcDbBlockReference* r = AcDbBlockReference::cast(p.entity))
      r->setBlockTableRecord(block->objectId());
    else if (AcDbDimension* d = AcDbDimension::cast(p.entity))
      d->setDimBlockId(block->objectId());
  }
  m_pending.clear();
}

void DxfEntityReader::appendVertexTo(AcDb2dPolyline* polyline)
{
  AcDb2dVertex* v = new AcDb2dVertex(point(10), real(42));
  if (!hasPoint(10))
    v->setPosition(AcGePoint3d::kOrigin);
  common(v);
  polyline->appendVertex(v);
}

void DxfEntityReader::appendVertexTo(AcDb3dPolyline* polyline)
{
  AcDb3dPolylineVertex* v =
      new AcDb3dPolylineVertex(hasPoint(10) ? point(10) : AcGePoint3d::kOrigin);
  common(v);
  polyline->appendVertex(v);
}

void DxfEntityReader::appendAttributeTo(AcDbBlockReference* reference)
{
  AcDbAttribute* a = new AcDbAttribute;
  makeText(a);
  a->setTag(m_text2.c_str());
  common(a);
  reference->appendAttribute(a);
}
