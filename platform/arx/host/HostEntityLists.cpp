#include "arx/host/HostEntityLists.h"

#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDb3dPolyline.h"
#include "arx/db/AcDbArc.h"
#include "arx/db/AcDbAttribute.h"
#include "arx/db/AcDbAttributeDefinition.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbCircle.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/db/AcDbDimension.h"
#include "arx/db/AcDbEllipse.h"
#include "arx/db/AcDbFace.h"
#include "arx/db/AcDbHatch.h"
#include "arx/db/AcDbLeader.h"
#include "arx/db/AcDbLine.h"
#include "arx/db/AcDbMText.h"
#include "arx/db/AcDbMline.h"
#include "arx/db/AcDbPoint.h"
#include "arx/db/AcDbPolyline.h"
#include "arx/db/AcDbRasterImage.h"
#include "arx/db/AcDbRay.h"
#include "arx/db/AcDbSequenceEnd.h"
#include "arx/db/AcDbShape.h"
#include "arx/db/AcDbSolid.h"
#include "arx/db/AcDbSpline.h"
#include "arx/db/AcDbTable.h"
#include "arx/db/AcDbText.h"
#include "arx/db/AcDbTrace.h"
#include "arx/db/AcDbUnknownEntity.h"
#include "arx/db/AcDbViewport.h"
#include "arx/db/AcDbXline.h"

#include <cstring>

namespace {
// The DXF type names of the database's classes (the most derived first).
struct TypeName {
  AcRxClass* (*desc)();
  const char* name;
};
const TypeName kTypeNames[] = {
    {&AcDbAttributeDefinition::desc, "ATTDEF"},
    {&AcDbAttribute::desc, "ATTRIB"},
    {&AcDbVertex::desc, "VERTEX"},
    {&AcDbSequenceEnd::desc, "SEQEND"},
    {&AcDbText::desc, "TEXT"},
    {&AcDbMText::desc, "MTEXT"},
    {&AcDbLine::desc, "LINE"},
    {&AcDbPoint::desc, "POINT"},
    {&AcDbArc::desc, "ARC"},
    {&AcDbCircle::desc, "CIRCLE"},
    {&AcDbEllipse::desc, "ELLIPSE"},
    {&AcDbPolyline::desc, "LWPOLYLINE"},
    {&AcDb2dPolyline::desc, "POLYLINE"},
    {&AcDb3dPolyline::desc, "POLYLINE"},
    {&AcDbSpline::desc, "SPLINE"},
    {&AcDbLeader::desc, "LEADER"},
    {&AcDbMline::desc, "MLINE"},
    {&AcDbSolid::desc, "SOLID"},
    {&AcDbTrace::desc, "TRACE"},
    {&AcDbFace::desc, "3DFACE"},
    {&AcDbRay::desc, "RAY"},
    {&AcDbXline::desc, "XLINE"},
    {&AcDbTable::desc, "ACAD_TABLE"},
    {&AcDbBlockReference::desc, "INSERT"},
    {&AcDbDimension::desc, "DIMENSION"},
    {&AcDbHatch::desc, "HATCH"},
    {&AcDbViewport::desc, "VIEWPORT"},
    {&AcDbWipeout::desc, "WIPEOUT"},
    {&AcDbRasterImage::desc, "IMAGE"},
    {&AcDbShape::desc, "SHAPE"},
};

const char* typeName(const AcDbEntity* e)
{
  if (const AcDbUnknownEntity* u = AcDbUnknownEntity::cast(e))
    return u->dxfName();
  for (const TypeName& t : kTypeNames)
    if (e->isA()->isDerivedFrom(t.desc()))
      return t.name;
  // REGION, 3DSOLID, BODY, OLEFRAME, OLE2FRAME, ACAD_PROXY_ENTITY: the class name
  // without its "AcDb" gives the type closely enough for a program to tell them apart.
  const char* name = e->isA()->name();
  return std::strncmp(name, "AcDb", 4) == 0 ? name + 4 : name;
}

class Groups {
public:
  void add(int code, const LispRef& value) { m_list.add(lispPair(code, value)); }
  void real(int code, double v) { add(code, lispReal(v)); }
  void integer(int code, int v) { add(code, lispInt(v)); }
  void text(int code, const char* v) { add(code, lispStr(v != nullptr ? v : "")); }
  void point(int code, double x, double y, double z)
  {
    LispListBuilder p;
    p.add(lispReal(x));
    p.add(lispReal(y));
    p.add(lispReal(z));
    m_list.add(lispCons(lispInt(code), p.finish()));
  }
  void point(int code, const AcGePoint3d& p) { point(code, p.x, p.y, p.z); }
  void vector(int code, const AcGeVector3d& v) { point(code, v.x, v.y, v.z); }
  void point2(int code, double x, double y)
  {
    LispListBuilder p;
    p.add(lispReal(x));
    p.add(lispReal(y));
    m_list.add(lispCons(lispInt(code), p.finish()));
  }
  LispRef finish() { return m_list.finish(); }

private:
  LispListBuilder m_list;
};

std::string blockName(AcDbObjectId id)
{
  AcDbBlockTableRecord* b = nullptr;
  if (id.isNull() || acdbOpenObject(b, id, AcDb::kForRead) != Acad::eOk)
    return "";
  std::string name = b->name();
  b->close();
  return name;
}

void kindGroups(AcDbEntity* e, Groups& g)
{
  if (AcDbLine* l = AcDbLine::cast(e)) {
    g.point(10, l->startPoint());
    g.point(11, l->endPoint());
  } else if (AcDbPoint* p = AcDbPoint::cast(e)) {
    g.point(10, p->position());
  } else if (AcDbArc* a = AcDbArc::cast(e)) {
    g.point(10, a->center());
    g.real(40, a->radius());
    g.real(50, a->startAngle());
    g.real(51, a->endAngle());
    g.vector(210, a->normal());
  } else if (AcDbCircle* c = AcDbCircle::cast(e)) {
    g.point(10, c->center());
    g.real(40, c->radius());
    g.vector(210, c->normal());
  } else if (AcDbEllipse* el = AcDbEllipse::cast(e)) {
    g.point(10, el->center());
    g.vector(11, el->majorAxis());
    g.vector(210, el->normal());
    g.real(40, el->radiusRatio());
    g.real(41, el->startParam());
    g.real(42, el->endParam());
  } else if (AcDbPolyline* pl = AcDbPolyline::cast(e)) {
    g.integer(90, static_cast<int>(pl->numVerts()));
    g.integer(70, pl->isClosed() ? 1 : 0);
    g.real(38, pl->elevation());
    for (unsigned i = 0; i < pl->numVerts(); ++i) {
      AcGePoint2d q;
      double bulge = 0.0;
      pl->getPointAt(i, q);
      pl->getBulgeAt(i, bulge);
      g.point2(10, q.x, q.y);
      g.real(42, bulge);
    }
    g.vector(210, pl->normal());
  } else if (AcDb2dVertex* v = AcDb2dVertex::cast(e)) {
    g.point(10, v->position()); // in the polyline's object coordinate system
    g.real(42, v->bulge());
    g.integer(70, 0);
  } else if (AcDb3dPolylineVertex* v3 = AcDb3dPolylineVertex::cast(e)) {
    g.point(10, v3->position());
    g.integer(70, 32); // a 3D polyline's vertex
  } else if (AcDb2dPolyline* p2 = AcDb2dPolyline::cast(e)) {
    if (p2->sequenceEnd() != nullptr)
      g.integer(66, 1); // vertices follow
    g.point(10, 0.0, 0.0, p2->elevation());
    g.integer(70, p2->isClosed() ? 1 : 0);
    g.vector(210, p2->normal());
  } else if (AcDb3dPolyline* p3 = AcDb3dPolyline::cast(e)) {
    if (p3->sequenceEnd() != nullptr)
      g.integer(66, 1);
    g.integer(70, 8 | (p3->isClosed() ? 1 : 0));
  } else if (AcDbSpline* s = AcDbSpline::cast(e)) {
    g.integer(70, s->isClosed() ? 1 : 0);
    g.integer(71, s->degree());
    AcGeVector3d start, end; // a tangent the spline has not is left out, as DXF does
    s->getFitTangents(start, end);
    if (!start.isZeroLength())
      g.vector(12, start);
    if (!end.isZeroLength())
      g.vector(13, end);
    for (int i = 0; i < s->numControlPoints(); ++i) {
      AcGePoint3d q;
      s->getControlPointAt(i, q);
      g.point(10, q);
    }
    for (int i = 0; i < s->numFitPoints(); ++i) {
      AcGePoint3d q;
      s->getFitPointAt(i, q);
      g.point(11, q);
    }
  } else if (AcDbLeader* ld = AcDbLeader::cast(e)) {
    for (int i = 0; i < ld->numVertices(); ++i)
      g.point(10, ld->vertexAt(i));
  } else if (AcDbMline* m = AcDbMline::cast(e)) {
    g.integer(71, m->closedMline() ? 3 : 1);
    for (int i = 0; i < m->numVertices(); ++i)
      g.point(11, m->vertexAt(i));
  } else if (AcDbText* t = AcDbText::cast(e)) {
    AcDbAttributeDefinition* d = AcDbAttributeDefinition::cast(e);
    AcDbAttribute* a = AcDbAttribute::cast(e);
    g.point(10, t->position());
    g.real(40, t->height());
    g.text(1, t->textStringConst());
    g.real(50, t->rotation());
    g.real(41, t->widthFactor());
    g.real(51, t->oblique());
    g.integer(72, t->horizontalMode());
    g.point(11, t->alignmentPoint());
    g.vector(210, t->normal());
    if (d != nullptr) {
      g.text(3, d->promptConst());
      g.text(2, d->tagConst());
    }
    if (a != nullptr)
      g.text(2, a->tagConst());
    g.integer(d != nullptr || a != nullptr ? 74 : 73, t->verticalMode());
  } else if (AcDbMText* mt = AcDbMText::cast(e)) {
    g.point(10, mt->location());
    g.real(40, mt->textHeight());
    g.text(1, mt->contents());
  } else if (AcDbSolid* so = AcDbSolid::cast(e)) {
    for (Adesk::UInt16 i = 0; i < 4; ++i) {
      AcGePoint3d q;
      so->getPointAt(i, q);
      g.point(10 + i, q);
    }
    g.vector(210, so->normal());
  } else if (AcDbTrace* tr = AcDbTrace::cast(e)) {
    for (Adesk::UInt16 i = 0; i < 4; ++i) {
      AcGePoint3d q;
      tr->getPointAt(i, q);
      g.point(10 + i, q);
    }
    g.vector(210, tr->normal());
  } else if (AcDbFace* f = AcDbFace::cast(e)) {
    int hidden = 0;
    for (Adesk::UInt16 i = 0; i < 4; ++i) {
      AcGePoint3d q;
      Adesk::Boolean visible = true;
      f->getVertexAt(i, q);
      f->isEdgeVisibleAt(i, visible);
      g.point(10 + i, q);
      if (!visible)
        hidden |= 1 << i;
    }
    g.integer(70, hidden);
  } else if (AcDbRay* r = AcDbRay::cast(e)) {
    g.point(10, r->basePoint());
    g.vector(11, r->unitDir());
  } else if (AcDbXline* x = AcDbXline::cast(e)) {
    g.point(10, x->basePoint());
    g.vector(11, x->unitDir());
  } else if (AcDbBlockReference* br = AcDbBlockReference::cast(e)) {
    if (br->sequenceEnd() != nullptr)
      g.integer(66, 1); // attributes follow
    g.text(2, blockName(br->blockTableRecord()).c_str());
    g.point(10, br->position());
    if (AcDbTable::cast(e) == nullptr) {
      const AcGeScale3d s = br->scaleFactors();
      g.real(41, s.sx);
      g.real(42, s.sy);
      g.real(43, s.sz);
      g.real(50, br->rotation());
    }
    if (AcDbMInsertBlock* mi = AcDbMInsertBlock::cast(e)) {
      g.integer(70, mi->columns());
      g.integer(71, mi->rows());
      g.real(44, mi->columnSpacing());
      g.real(45, mi->rowSpacing());
    }
    g.vector(210, br->normal());
  } else if (AcDbDimension* dim = AcDbDimension::cast(e)) {
    g.text(2, blockName(dim->dimBlockId()).c_str());
  } else if (AcDbHatch* h = AcDbHatch::cast(e)) {
    g.point(10, 0.0, 0.0, h->elevation());
    g.vector(210, h->normal());
    g.text(2, h->patternName());
    g.integer(70, h->isSolidFill() ? 1 : 0);
    g.integer(91, h->numLoops());
  } else if (AcDbViewport* vp = AcDbViewport::cast(e)) {
    g.point(10, vp->centerPoint());
    g.real(40, vp->width());
    g.real(41, vp->height());
  } else if (AcDbRasterImage* im = AcDbRasterImage::cast(e)) {
    g.point(10, im->origin());
    g.vector(11, im->uPixel());
    g.vector(12, im->vPixel());
    g.point2(13, im->imageSize().x, im->imageSize().y);
  } else if (AcDbShape* sh = AcDbShape::cast(e)) {
    g.point(10, sh->position());
    g.real(40, sh->size());
    g.real(50, sh->rotation());
    g.real(41, sh->widthFactor());
    g.vector(210, sh->normal());
  }
}

AcDbEntity* entityOf(const LispRef& name)
{
  return lispIs(name, LispType::Ename) ? static_cast<AcDbEntity*>(name->module) : nullptr;
}

// The place of `e` in its block. entnext walks a block in order: the entity it gave
// last, and its place, are kept.
struct Place {
  const AcDbEntity* entity = nullptr;
  long index = -1;
};
Place s_last;

AcDbBlockTableRecord* placeOf(AcDbEntity* e, long& index)
{
  AcDbBlockTableRecord* block = nullptr;
  if (acdbOpenObject(block, e->ownerId(), AcDb::kForRead) != Acad::eOk)
    return nullptr;
  block->close();
  index = -1;
  if (s_last.entity == e && s_last.index < block->entityCount() &&
      block->entityAt(s_last.index) == e) {
    index = s_last.index;
    return block;
  }
  for (long i = 0; i < block->entityCount(); ++i)
    if (block->entityAt(i) == e)
      index = i;
  return index >= 0 ? block : nullptr;
}
} // namespace

LispRef hostFirstEntity(const AcDbBlockTableRecord* block)
{
  for (long i = 0; i < block->entityCount(); ++i) {
    AcDbEntity* e = block->entityAt(i);
    if (!e->isErased()) {
      s_last.entity = e;
      s_last.index = i;
      return lispEname(e);
    }
  }
  return nullptr;
}

namespace {
// The entity that owns `e` (a polyline or a reference), or null when its owner is a block.
AcDbEntity* ownerEntity(const AcDbEntity* e)
{
  AcDbEntity* owner = nullptr;
  if (acdbOpenObject(owner, e->ownerId(), AcDb::kForRead) != Acad::eOk)
    return nullptr;
  owner->close();
  return owner;
}

// What `owner` owns: its vertices or attributes (a new iterator), and the SEQEND
// after them; null when it owns none.
AcDbObjectIterator* ownedEntities(const AcDbEntity* owner, AcDbSequenceEnd*& end)
{
  end = nullptr;
  AcDbObjectIterator* it = nullptr;
  if (const AcDb2dPolyline* p2 = AcDb2dPolyline::cast(owner)) {
    end = p2->sequenceEnd();
    it = p2->vertexIterator();
  } else if (const AcDb3dPolyline* p3 = AcDb3dPolyline::cast(owner)) {
    end = p3->sequenceEnd();
    it = p3->vertexIterator();
  } else if (const AcDbBlockReference* r = AcDbBlockReference::cast(owner)) {
    end = r->sequenceEnd();
    it = r->attributeIterator();
  }
  if (end == nullptr) {
    delete it;
    return nullptr;
  }
  return it;
}

// After an owned entity `e` of `owner`: the next one, or the owner's SEQEND.
LispRef nextOwned(const AcDbEntity* owner, const AcDbEntity* e)
{
  AcDbSequenceEnd* end = nullptr;
  AcDbObjectIterator* it = ownedEntities(owner, end);
  if (it == nullptr)
    return nullptr;
  bool passed = e == nullptr; // null: the first one
  AcDbEntity* next = end;
  for (it->start(); !it->done(); it->step()) {
    if (passed) {
      next = it->entity();
      break;
    }
    passed = it->entity() == e;
  }
  delete it;
  return lispEname(next);
}
} // namespace

LispRef hostEntityNext(AcDbDatabase* database, const LispRef& entity)
{
  if (database == nullptr)
    return nullptr;
  AcDbEntity* e = entityOf(entity);
  if (e == nullptr) {
    AcDbBlockTable* table = nullptr;
    if (database->getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
      return nullptr;
    AcDbBlockTableRecord* model = nullptr;
    LispRef out;
    if (table->getAt(ACDB_MODEL_SPACE, model, AcDb::kForRead) == Acad::eOk) {
      out = hostFirstEntity(model);
      model->close();
    }
    table->close();
    return out;
  }
  // As AutoLISP walks: from a polyline to its vertices, from a reference with
  // attributes to them, then to the SEQEND, and from there on after the owner.
  AcDbSequenceEnd* end = nullptr;
  if (AcDbObjectIterator* owned = ownedEntities(e, end)) {
    delete owned;
    return nextOwned(e, nullptr);
  }
  if (AcDbSequenceEnd::cast(e) != nullptr) {
    e = ownerEntity(e);
    if (e == nullptr)
      return nullptr;
  } else if (AcDbVertex::cast(e) != nullptr || AcDbAttribute::cast(e) != nullptr) {
    AcDbEntity* owner = ownerEntity(e);
    return owner != nullptr ? nextOwned(owner, e) : nullptr;
  }
  long index = -1;
  AcDbBlockTableRecord* block = placeOf(e, index);
  if (block == nullptr)
    return nullptr;
  for (long i = index + 1; i < block->entityCount(); ++i) {
    AcDbEntity* next = block->entityAt(i);
    if (next->isErased())
      continue;
    s_last.entity = next;
    s_last.index = i;
    return lispEname(next);
  }
  return nullptr;
}

LispRef hostEntityList(const LispRef& entity)
{
  AcDbEntity* e = entityOf(entity);
  if (e == nullptr)
    return nullptr;
  Groups g;
  g.add(-1, entity);
  g.text(0, typeName(e));
  if (AcDbSequenceEnd::cast(e) != nullptr) {
    // A SEQEND is on its owner's layer and names its owner, as AutoLISP gives it.
    AcDbEntity* owner = ownerEntity(e);
    g.text(8, owner != nullptr ? owner->layerName() : "");
    if (owner != nullptr)
      g.add(-2, lispEname(owner));
    return g.finish();
  }
  g.text(8, e->layerName());
  if (e->colorIndex() != 256)
    g.integer(62, e->colorIndex());
  const AcCmColor color = e->color();
  if (color.isByColor())
    g.integer(420, static_cast<int>(color.rgb()));
  kindGroups(e, g);
  return g.finish();
}
