#include "DwgTwin.h"

#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDb3dPolyline.h"
#include "arx/db/AcDbArc.h"
#include "arx/db/AcDbAttribute.h"
#include "arx/db/AcDbAttributeDefinition.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbCircle.h"
#include "arx/db/AcDbDimStyleTable.h"
#include "arx/db/AcDbDimension.h"
#include "arx/db/AcDbEllipse.h"
#include "arx/db/AcDbFace.h"
#include "arx/db/AcDbHatch.h"
#include "arx/db/AcDbLayerTable.h"
#include "arx/db/AcDbLeader.h"
#include "arx/db/AcDbLine.h"
#include "arx/db/AcDbLinetypeTable.h"
#include "arx/db/AcDbMText.h"
#include "arx/db/AcDbMline.h"
#include "arx/db/AcDbPoint.h"
#include "arx/db/AcDbPolyline.h"
#include "arx/db/AcDbRasterImage.h"
#include "arx/db/AcDbRay.h"
#include "arx/db/AcDbRegAppTable.h"
#include "arx/db/AcDbShape.h"
#include "arx/db/AcDbSolid.h"
#include "arx/db/AcDbSpline.h"
#include "arx/db/AcDbText.h"
#include "arx/db/AcDbTextStyleTable.h"
#include "arx/db/AcDbTrace.h"
#include "arx/db/AcDbUCSTable.h"
#include "arx/db/AcDbUnknownEntity.h"
#include "arx/db/AcDbViewTable.h"
#include "arx/db/AcDbViewport.h"
#include "arx/db/AcDbViewportTable.h"
#include "arx/db/AcDbXline.h"

#include <cmath>
#include <cstdlib>
#include <sys/stat.h>

namespace {
void add(std::vector<double>& n, const AcGePoint3d& p)
{
  n.insert(n.end(), {p.x, p.y, p.z});
}

void add(std::vector<double>& n, const AcGeVector3d& v)
{
  n.insert(n.end(), {v.x, v.y, v.z});
}

std::string blockName(AcDbObjectId id)
{
  AcDbBlockTableRecord* b = nullptr;
  if (id.isNull() || acdbOpenObject(b, id, AcDb::kForRead) != Acad::eOk)
    return "(none)";
  std::string name = b->name();
  b->close();
  return name;
}

void describeEntity(AcDbEntity* e, TwinItem& item)
{
  std::vector<double>& n = item.numbers;
  std::string& t = item.text;
  t = std::string(e->isA()->name()) + " layer=" + e->layerName() +
      " color=" + std::to_string(e->colorIndex()) +
      (e->color().isByColor() ? " rgb=" + std::to_string(e->color().rgb()) : std::string());
  if (AcDbUnknownEntity* u = AcDbUnknownEntity::cast(e))
    t += std::string(" ") + u->dxfName();
  if (AcDbLine* l = AcDbLine::cast(e)) {
    add(n, l->startPoint());
    add(n, l->endPoint());
  } else if (AcDbArc* a = AcDbArc::cast(e)) {
    add(n, a->center());
    add(n, a->normal());
    n.insert(n.end(), {a->radius(), a->startAngle(), a->endAngle()});
  } else if (AcDbCircle* c = AcDbCircle::cast(e)) {
    add(n, c->center());
    add(n, c->normal());
    n.push_back(c->radius());
  } else if (AcDbEllipse* el = AcDbEllipse::cast(e)) {
    add(n, el->center());
    add(n, el->normal());
    add(n, el->majorAxis());
    n.insert(n.end(), {el->radiusRatio(), el->startParam(), el->endParam()});
  } else if (AcDbPoint* p = AcDbPoint::cast(e)) {
    add(n, p->position());
  } else if (AcDbPolyline* pl = AcDbPolyline::cast(e)) {
    t += pl->isClosed() ? " closed" : " open";
    add(n, pl->normal());
    n.push_back(pl->elevation());
    for (unsigned i = 0; i < pl->numVerts(); ++i) {
      AcGePoint2d q;
      double b = 0.0;
      pl->getPointAt(i, q);
      pl->getBulgeAt(i, b);
      n.insert(n.end(), {q.x, q.y, b});
    }
  } else if (AcDb2dPolyline* p2 = AcDb2dPolyline::cast(e)) {
    t += p2->isClosed() ? " closed" : " open";
    add(n, p2->normal());
    n.push_back(p2->elevation());
    AcDbObjectIterator* it = p2->vertexIterator();
    for (it->start(); !it->done(); it->step()) {
      AcDb2dVertex* v = AcDb2dVertex::cast(it->entity());
      add(n, v->position());
      n.push_back(v->bulge());
      t += std::string(" v:") + v->layerName() + "/" + std::to_string(v->colorIndex());
    }
    delete it;
  } else if (AcDb3dPolyline* p3 = AcDb3dPolyline::cast(e)) {
    t += p3->isClosed() ? " closed" : " open";
    AcDbObjectIterator* it = p3->vertexIterator();
    for (it->start(); !it->done(); it->step())
      add(n, AcDb3dPolylineVertex::cast(it->entity())->position());
    delete it;
  } else if (AcDbSpline* s = AcDbSpline::cast(e)) {
    t += " degree " + std::to_string(s->degree()) + (s->isClosed() ? " closed" : " open");
    t += " fit " + std::to_string(s->numFitPoints());
    AcGeVector3d start, end;
    s->getFitTangents(start, end);
    add(n, start);
    add(n, end);
    for (int i = 0; i < s->numFitPoints(); ++i) {
      AcGePoint3d q;
      s->getFitPointAt(i, q);
      add(n, q);
    }
    // A DWG keeps a spline through fit points by those points only; the control
    // points its DXF twin lists are the writer's own fit, so they are compared only
    // for splines without fit points (the preview draws the fit points).
    if (s->hasFitData())
      return;
    t += " control " + std::to_string(s->numControlPoints());
    for (int i = 0; i < s->numControlPoints(); ++i) {
      AcGePoint3d q;
      s->getControlPointAt(i, q);
      add(n, q);
    }
  } else if (AcDbLeader* ld = AcDbLeader::cast(e)) {
    for (int i = 0; i < ld->numVertices(); ++i)
      add(n, ld->vertexAt(i));
  } else if (AcDbMline* m = AcDbMline::cast(e)) {
    t += m->closedMline() ? " closed" : " open";
    for (int i = 0; i < m->numVertices(); ++i)
      add(n, m->vertexAt(i));
  } else if (AcDbText* tx = AcDbText::cast(e)) {
    t += std::string(" \"") + tx->textStringConst() + "\" h" +
         std::to_string(tx->horizontalMode()) + " v" + std::to_string(tx->verticalMode());
    if (AcDbAttributeDefinition* d = AcDbAttributeDefinition::cast(e))
      t += std::string(" tag ") + d->tagConst() + " prompt " + d->promptConst();
    add(n, tx->position());
    add(n, tx->alignmentPoint());
    add(n, tx->normal());
    n.insert(n.end(), {tx->height(), tx->widthFactor(), tx->rotation(), tx->oblique()});
  } else if (AcDbMText* mt = AcDbMText::cast(e)) {
    t += std::string(" \"") + mt->contents() + "\"";
    add(n, mt->location());
    n.push_back(mt->textHeight());
  } else if (AcDbSolid* so = AcDbSolid::cast(e)) {
    add(n, so->normal());
    for (Adesk::UInt16 i = 0; i < 4; ++i) {
      AcGePoint3d q;
      so->getPointAt(i, q);
      add(n, q);
    }
  } else if (AcDbTrace* tr = AcDbTrace::cast(e)) {
    add(n, tr->normal());
    for (Adesk::UInt16 i = 0; i < 4; ++i) {
      AcGePoint3d q;
      tr->getPointAt(i, q);
      add(n, q);
    }
  } else if (AcDbFace* f = AcDbFace::cast(e)) {
    for (Adesk::UInt16 i = 0; i < 4; ++i) {
      AcGePoint3d q;
      Adesk::Boolean visible = true;
      f->getVertexAt(i, q);
      f->isEdgeVisibleAt(i, visible);
      add(n, q);
      t += visible ? " v" : " i";
    }
  } else if (AcDbRay* r = AcDbRay::cast(e)) {
    add(n, r->basePoint());
    add(n, r->unitDir());
  } else if (AcDbXline* x = AcDbXline::cast(e)) {
    add(n, x->basePoint());
    add(n, x->unitDir());
  } else if (AcDbBlockReference* br = AcDbBlockReference::cast(e)) {
    t += " block " + blockName(br->blockTableRecord());
    add(n, br->position());
    add(n, br->normal());
    const AcGeScale3d s = br->scaleFactors();
    n.insert(n.end(), {s.sx, s.sy, s.sz, br->rotation()});
    if (AcDbMInsertBlock* mi = AcDbMInsertBlock::cast(e)) {
      t += " " + std::to_string(mi->columns()) + "x" + std::to_string(mi->rows());
      n.insert(n.end(), {mi->columnSpacing(), mi->rowSpacing()});
    }
    // Its attributes: tag, value, layer and colour, position and height.
    AcDbObjectIterator* it = br->attributeIterator();
    for (it->start(); !it->done(); it->step()) {
      AcDbAttribute* a = AcDbAttribute::cast(it->entity());
      t += std::string(" a:") + a->tagConst() + "=" + a->textStringConst() + "/" + a->layerName() +
           "/" + std::to_string(a->colorIndex());
      add(n, a->position());
      n.push_back(a->height());
    }
    delete it;
    t += br->sequenceEnd() != nullptr ? " seqend" : "";
  } else if (AcDbDimension* d = AcDbDimension::cast(e)) {
    t += " block " + blockName(d->dimBlockId());
  } else if (AcDbHatch* h = AcDbHatch::cast(e)) {
    t += std::string(" ") + h->patternName() + (h->isSolidFill() ? " solid" : " pattern") +
         " loops " + std::to_string(h->numLoops());
    add(n, h->normal());
    n.push_back(h->elevation());
    const int lines = h->numHatchLines();
    n.push_back(lines);
    for (int i = 0; i < lines && i < 500; ++i) {
      AcGePoint2d a, b;
      h->getHatchLineDataAt(i, a, b);
      n.insert(n.end(), {a.x, a.y, b.x, b.y});
    }
  } else if (AcDbViewport* vp = AcDbViewport::cast(e)) {
    add(n, vp->centerPoint());
    n.insert(n.end(), {vp->width(), vp->height()});
  } else if (AcDbRasterImage* im = AcDbRasterImage::cast(e)) {
    t += im->isClipped() ? " clipped" : " whole";
    add(n, im->origin());
    add(n, im->uPixel());
    add(n, im->vPixel());
    n.insert(n.end(), {im->imageSize().x, im->imageSize().y});
    AcGePoint3dArray frame;
    im->getVertices(frame);
    for (int i = 0; i < frame.length(); ++i)
      add(n, frame[i]);
  } else if (AcDbShape* sh = AcDbShape::cast(e)) {
    add(n, sh->position());
    add(n, sh->normal());
    n.insert(n.end(), {sh->size(), sh->rotation(), sh->widthFactor()});
  }
}

template <class Table>
void describeTable(AcDbDatabase& db, const char* kind, std::vector<TwinItem>& out)
{
  Table* table = nullptr;
  if (db.getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
    return;
  for (long i = 0; i < table->recordCount(); ++i) {
    AcDbSymbolTableRecord* r = table->recordAt(i);
    TwinItem item;
    item.label = std::string(kind) + " " + std::to_string(i);
    item.text = r->name();
    if (AcDbLayerTableRecord* layer = AcDbLayerTableRecord::cast(r))
      item.text += " color " + std::to_string(layer->color().colorIndex()) +
                   (layer->isOff() ? " off" : " on") + (layer->isFrozen() ? " frozen" : "") +
                   (layer->color().isByColor() ? " rgb " + std::to_string(layer->color().rgb())
                                               : std::string());
    out.push_back(item);
  }
  table->close();
}
} // namespace

std::vector<TwinItem> describeDatabase(AcDbDatabase& db)
{
  std::vector<TwinItem> out;
  describeTable<AcDbDimStyleTable>(db, "dimension style", out);
  describeTable<AcDbLayerTable>(db, "layer", out);
  describeTable<AcDbLinetypeTable>(db, "linetype", out);
  describeTable<AcDbRegAppTable>(db, "application", out);
  describeTable<AcDbTextStyleTable>(db, "text style", out);
  describeTable<AcDbUCSTable>(db, "UCS", out);
  describeTable<AcDbViewTable>(db, "view", out);
  describeTable<AcDbViewportTable>(db, "viewport", out);
  AcDbBlockTable* blocks = nullptr;
  if (db.getSymbolTable(blocks, AcDb::kForRead) != Acad::eOk)
    return out;
  for (long i = 0; i < blocks->recordCount(); ++i) {
    AcDbBlockTableRecord* b = AcDbBlockTableRecord::cast(blocks->recordAt(i));
    TwinItem item;
    item.label = "block " + std::to_string(i);
    item.text = b->name();
    add(item.numbers, b->origin());
    out.push_back(item);
    AcDbBlockTableRecordIterator* it = nullptr;
    b->newIterator(it);
    int k = 0;
    for (it->start(); !it->done(); it->step(), ++k) {
      AcDbEntity* e = nullptr;
      if (it->getEntity(e, AcDb::kForRead) != Acad::eOk)
        continue;
      TwinItem entity;
      entity.label = std::string("block ") + b->name() + ", entity " + std::to_string(k);
      describeEntity(e, entity);
      e->close();
      out.push_back(entity);
    }
    delete it;
  }
  blocks->close();
  return out;
}

std::vector<std::string> compareDescriptions(const std::vector<TwinItem>& expected,
                                             const std::vector<TwinItem>& actual, std::size_t limit)
{
  std::vector<std::string> diffs;
  const std::size_t n = expected.size() < actual.size() ? expected.size() : actual.size();
  for (std::size_t i = 0; i < n && diffs.size() < limit; ++i) {
    const TwinItem& a = expected[i];
    const TwinItem& b = actual[i];
    if (a.label != b.label || a.text != b.text) {
      diffs.push_back(a.label + ": \"" + a.text + "\" != " + b.label + ": \"" + b.text + "\"");
      continue;
    }
    if (a.numbers.size() != b.numbers.size()) {
      diffs.push_back(a.label + " (" + a.text + "): " + std::to_string(a.numbers.size()) +
                      " numbers != " + std::to_string(b.numbers.size()));
      continue;
    }
    for (std::size_t k = 0; k < a.numbers.size(); ++k) {
      const double x = a.numbers[k], y = b.numbers[k];
      const double scale = std::fmax(1.0, std::fmax(std::fabs(x), std::fabs(y)));
      if (!(std::fabs(x - y) <= 1e-9 * scale)) {
        diffs.push_back(a.label + " (" + a.text + "): number " + std::to_string(k) + ": " +
                        std::to_string(x) + " != " + std::to_string(y));
        break;
      }
    }
  }
  if (expected.size() != actual.size() && diffs.size() < limit)
    diffs.push_back(std::to_string(expected.size()) + " items != " + std::to_string(actual.size()));
  return diffs;
}

std::string drawingsFolder()
{
  // Beside the project's folder, or beside the folder of its worktrees.
  const char* env = std::getenv("QUILL_DRAWINGS");
  const char* candidates[] = {env != nullptr ? env : "", QUILL_SOURCE_DIR "/../shared/drawings",
                              QUILL_SOURCE_DIR "/../../shared/drawings"};
  for (const char* c : candidates) {
    struct stat st;
    if (stat(c, &st) == 0 && S_ISDIR(st.st_mode))
      return c;
  }
  return "";
}
