// fuzzWalkDrawing: what the fuzzers ask of a database after a read, whatever the reader
// and whatever the input: every block, every entity, its class's geometry, as the
// preview asks them. A read that failed still leaves the block table open to read.
#pragma once

#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/db/AcDbHatch.h"
#include "arx/db/AcDbPolyline.h"
#include "arx/db/AcDbRasterImage.h"

#include <cstdlib>

inline void fuzzVisitEntity(AcDbEntity* e)
{
  AcDbExtents box;
  e->getGeomExtents(box);
  std::free(e->layer());
  if (AcDbBlockReference* r = AcDbBlockReference::cast(e))
    r->blockTransform();
  if (AcDbPolyline* pl = AcDbPolyline::cast(e)) {
    AcGePoint3d p;
    double b;
    for (unsigned i = 0; i < pl->numVerts(); ++i) {
      pl->getPointAt(i, p);
      pl->getBulgeAt(i, b);
    }
  }
  if (AcDb2dPolyline* p2 = AcDb2dPolyline::cast(e)) {
    AcDbObjectIterator* it = p2->vertexIterator();
    for (it->start(); !it->done(); it->step()) {
      AcDb2dVertex* v = nullptr;
      if (p2->openVertex(v, it->objectId(), AcDb::kForRead) == Acad::eOk) {
        p2->vertexPosition(*v);
        v->close();
      }
    }
    delete it;
  }
  if (AcDbHatch* h = AcDbHatch::cast(e)) {
    AcGePoint2d a, b;
    const int n = h->numHatchLines();
    for (int i = 0; i < n; i += 97)
      h->getHatchLineDataAt(i, a, b);
  }
  if (AcDbRasterImage* image = AcDbRasterImage::cast(e)) {
    AcGePoint3dArray points;
    image->getVertices(points);
  }
}

inline void fuzzWalkDrawing(AcDbDatabase& db)
{
  AcDbBlockTable* table = nullptr;
  if (db.getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
    std::abort();
  AcDbBlockTableIterator* blocks = nullptr;
  table->newIterator(blocks);
  for (; !blocks->done(); blocks->step()) {
    AcDbBlockTableRecord* record = nullptr;
    if (blocks->getRecord(record, AcDb::kForRead) != Acad::eOk)
      std::abort();
    char* name = nullptr;
    record->getName(name);
    std::free(name);
    AcDbBlockTableRecordIterator* it = nullptr;
    record->newIterator(it);
    for (; !it->done(); it->step()) {
      AcDbEntity* e = nullptr;
      if (it->getEntity(e, AcDb::kForRead) == Acad::eOk) {
        fuzzVisitEntity(e);
        e->close();
      }
    }
    delete it;
    record->close();
  }
  delete blocks;
  table->close();
}
