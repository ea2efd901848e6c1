// Reads the input as a DWG drawing, then walks what was read as the preview does:
// every block, every entity, its geometry. Nothing may crash, leak, hang or grow
// without bound, whatever the input.
#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/db/AcDbHatch.h"
#include "arx/db/AcDbPolyline.h"
#include "arx/db/AcDbRasterImage.h"

#include <cstdint>
#include <cstdlib>

namespace {
void visit(AcDbEntity* e)
{
  AcDbExtents box;
  e->getGeomExtents(box);
  std::free(e->layer());
  if (AcDbBlockReference* r = AcDbBlockReference::cast(e))
    r->blockTransform();
  if (AcDbPolyline* pl = AcDbPolyline::cast(e)) {
    AcGePoint3d p;
    for (unsigned i = 0; i < pl->numVerts(); ++i)
      pl->getPointAt(i, p);
  }
  if (AcDb2dPolyline* p2 = AcDb2dPolyline::cast(e)) {
    AcDbObjectIterator* it = p2->vertexIterator();
    for (it->start(); !it->done(); it->step())
      if (AcDb2dVertex* v = AcDb2dVertex::cast(it->entity()))
        p2->vertexPosition(*v);
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
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  AcDbDatabase db(false);
  db.readDwgData(data, size, "fuzz.dwg");
  AcDbBlockTable* table = nullptr;
  if (db.getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
    return 0;
  AcDbBlockTableIterator* blocks = nullptr;
  table->newIterator(blocks);
  for (blocks->start(); !blocks->done(); blocks->step()) {
    AcDbBlockTableRecord* record = nullptr;
    if (blocks->getRecord(record, AcDb::kForRead) != Acad::eOk)
      continue;
    AcDbBlockTableRecordIterator* it = nullptr;
    record->newIterator(it);
    for (it->start(); !it->done(); it->step()) {
      AcDbEntity* e = nullptr;
      if (it->getEntity(e, AcDb::kForRead) == Acad::eOk) {
        visit(e);
        e->close();
      }
    }
    delete it;
    record->close();
  }
  delete blocks;
  table->close();
  return 0;
}
