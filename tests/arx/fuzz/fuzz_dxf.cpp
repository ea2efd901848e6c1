// Reads the input as a DXF file, then asks the database what the preview asks of
// it: every block, every entity, its class's geometry. Nothing may crash, leak,
// hang or grow without bound, whatever the input.
#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDb3dPolyline.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/db/AcDbHatch.h"
#include "arx/db/AcDbLayerTable.h"
#include "arx/db/AcDbPolyline.h"
#include "arx/db/AcDbRasterImage.h"
#include "arx/dxf/DxfScan.h"
#include "arx/dxf/DxfTagReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

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
    int n = h->numHatchLines();
    for (int i = 0; i < n; i += 97)
      h->getHatchLineDataAt(i, a, b);
  }
  if (AcDbRasterImage* image = AcDbRasterImage::cast(e)) {
    AcGePoint3dArray points;
    image->getVertices(points);
  }
}

// The tags of a text in memory and of the same text read from a file through a
// tiny buffer (every line crosses a refill) must be the same, fault included.
void compareFileReading(const char* text, std::size_t size)
{
  std::FILE* f = std::tmpfile();
  if (f == nullptr)
    return;
  std::fwrite(text, 1, size, f);
  std::rewind(f);
  DxfTagReader memory(text, size);
  DxfTagReader file(f, 7);
  DxfTag a, b;
  for (;;) {
    bool more = memory.next(a);
    if (more != file.next(b))
      std::abort();
    if (!more)
      break;
    if (a.code != b.code || a.line != b.line || a.str() != b.str())
      std::abort();
  }
  if (memory.error() != file.error())
    std::abort();
  std::fclose(f);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const char* text = reinterpret_cast<const char*>(data);
  dxfScanTags(text, size);
  compareFileReading(text, size);
  AcDbDatabase db(false);
  db.readDxfText(text, size, "fuzz.dxf");
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
