// The walk over a block: dispatch by class, colours, references, multiple
// inserts, nesting and damaged blocks.
#include "quillmark/view/PaintProbe.h"
#include "quillmark/view/TestDrawing.h"

#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDb3dPolyline.h"
#include "arx/db/AcDbArc.h"
#include "arx/db/AcDbAttributeDefinition.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbCircle.h"
#include "arx/db/AcDbEllipse.h"
#include "arx/db/AcDbFace.h"
#include "arx/db/AcDbFrame.h"
#include "arx/db/AcDbLeader.h"
#include "arx/db/AcDbLine.h"
#include "arx/db/AcDbMText.h"
#include "arx/db/AcDbMline.h"
#include "arx/db/AcDbPoint.h"
#include "arx/db/AcDbPolyline.h"
#include "arx/db/AcDbProxyEntity.h"
#include "arx/db/AcDbRasterImage.h"
#include "arx/db/AcDbRay.h"
#include "arx/db/AcDbShape.h"
#include "arx/db/AcDbSolid.h"
#include "arx/db/AcDbSpline.h"
#include "arx/db/AcDbText.h"
#include "arx/db/AcDbTrace.h"
#include "arx/db/AcDbViewport.h"
#include "arx/db/AcDbXline.h"
#include "arx/host/HostTestHooks.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

const double kHalfPi = 1.5707963267948966;

// The draw pass of block `name` at scale 1000 about the origin.
MetafileRecord walk(TestDrawing& d, const char* name, CBlockView* keep = nullptr)
{
  PreviewWindow w;
  w.view.setDatabase(&d.db);
  w.view.setBlockName(name);
  w.view.m_measuring = 0;
  w.view.m_scale = 1000.0;
  MetafileDC meta;
  w.view.beginDraw(&meta.dc);
  w.view.drawNamedBlock();
  w.view.endDraw();
  EXPECT_EQ(w.view.m_xform, AcGeMatrix3d::kIdentity) << "transform restored after the walk";
  EXPECT_EQ(w.view.m_offset, AcGePoint3d::kOrigin) << "offset restored after the walk";
  if (keep != nullptr) {
    keep->m_color = w.view.m_color;
  }
  return meta.finish();
}

// What reached GDI, in a few words: "pixels 1 segments 0 polygons 0 polylines 5".
std::string summary(const MetafileRecord& r)
{
  std::string s = "pixels " + std::to_string(r.pixels.size()) + " segments " +
                  std::to_string(r.segments.size()) + " polygons " +
                  std::to_string(r.polygons.size()) + " polylines";
  for (const DrawnShape& p : r.polylines) {
    s += " " + std::to_string(p.points.size());
  }
  return s;
}

AcDbBlockReference* reference(AcDbObjectId block, AcGePoint3d at, double rotation = 0.0,
                              double scale = 1.0)
{
  AcDbBlockReference* r = new AcDbBlockReference(at, block);
  r->setRotation(rotation);
  r->setScaleFactors(AcGeScale3d(scale, scale, scale));
  return r;
}

} // namespace

TEST(EntityWalk, every_dispatch_row_reaches_its_drawer)
{
  TestDrawing d;
  AcDbObjectId inner = d.addBlock("INNER");
  d.add(inner, new AcDbLine({0, 0, 0}, {1, 0, 0}));
  struct Row {
    const char* cls;
    std::function<AcDbEntity*()> make;
    const char* drawn;
  } rows[] = {
      {"AcDbPoint",
       [] {
         return new AcDbPoint({1, 1, 0});
       },
       "pixels 1 segments 0 polygons 0 polylines"},
      {"AcDbFace",
       [] {
         auto* f = new AcDbFace;
         f->setVertexAt(1, {1, 0, 0});
         return f;
       },
       "pixels 0 segments 4 polygons 0 polylines"},
      {"AcDbSolid", [] { return new AcDbSolid; }, "pixels 0 segments 0 polygons 1 polylines"},
      {"AcDbTrace", [] { return new AcDbTrace; }, "pixels 0 segments 0 polygons 1 polylines"},
      {"AcDbMline",
       [] {
         auto* m = new AcDbMline;
         m->appendSeg({0, 0, 0});
         m->appendSeg({1, 0, 0});
         m->appendSeg({1, 1, 0});
         m->setClosedMline(true);
         return m;
       },
       "pixels 0 segments 0 polygons 0 polylines 4"},
      {"AcDbShape", [] { return new AcDbShape; }, "pixels 0 segments 0 polygons 0 polylines 5"},
      {"AcDbText",
       [] {
         auto* t = new AcDbText;
         t->setTextString("AB");
         return t;
       },
       "pixels 0 segments 0 polygons 0 polylines 5"},
      {"AcDbAttributeDefinition",
       [] {
         auto* t = new AcDbAttributeDefinition;
         t->setTextString("A");
         return t;
       },
       "pixels 0 segments 0 polygons 0 polylines 5"},
      {"AcDbViewport",
       [] {
         auto* v = new AcDbViewport;
         v->setWidth(4);
         v->setHeight(2);
         return v;
       },
       "pixels 0 segments 0 polygons 0 polylines 5"},
      {"AcDbOle2Frame",
       [] {
         auto* o = new AcDbOle2Frame;
         o->setCorners({0, 1, 0}, {2, 0, 0});
         return o;
       },
       "pixels 0 segments 0 polygons 0 polylines 5"},
      {"AcDbProxyEntity", [] { return new AcDbProxyEntity; },
       "pixels 0 segments 0 polygons 0 polylines"},
      {"AcDbRasterImage",
       [] {
         auto* i = new AcDbRasterImage;
         i->setImageSize({4, 3});
         return i;
       },
       "pixels 0 segments 0 polygons 0 polylines 5"},
      {"AcDbWipeout", [] { return new AcDbWipeout; }, "pixels 0 segments 0 polygons 0 polylines 5"},
      {"AcDbLine",
       [] {
         return new AcDbLine({0, 0, 0}, {1, 1, 0});
       },
       "pixels 0 segments 1 polygons 0 polylines"},
      {"AcDbRay", [] { return new AcDbRay; }, "pixels 0 segments 1 polygons 0 polylines"},
      {"AcDbXline", [] { return new AcDbXline; }, "pixels 0 segments 1 polygons 0 polylines"},
      {"AcDbArc",
       [] {
         auto* a = new AcDbArc;
         a->setRadius(1);
         a->setEndAngle(kHalfPi);
         return a;
       },
       "pixels 0 segments 0 polygons 0 polylines 10"},
      {"AcDbCircle",
       [] {
         return new AcDbCircle({0, 0, 0}, {0, 0, 1}, 1.0);
       },
       "pixels 0 segments 0 polygons 0 polylines 37"},
      {"AcDbEllipse",
       [] {
         auto* e = new AcDbEllipse;
         e->set({0, 0, 0}, {0, 0, 1}, {2, 0, 0}, 0.5);
         return e;
       },
       "pixels 0 segments 0 polygons 0 polylines 5"},
      {"AcDbSpline",
       [] {
         auto* s = new AcDbSpline;
         s->appendControlPoint({0, 0, 0});
         s->appendControlPoint({1, 1, 0});
         s->appendControlPoint({2, 0, 0});
         return s;
       },
       "pixels 0 segments 0 polygons 0 polylines 3"},
      {"AcDbLeader",
       [] {
         auto* l = new AcDbLeader;
         l->appendVertex({0, 0, 0});
         l->appendVertex({3, 4, 0});
         return l;
       },
       "pixels 0 segments 0 polygons 0 polylines 2"},
      {"AcDbPolyline",
       [] {
         auto* p = new AcDbPolyline;
         p->addVertexAt(0, {0, 0});
         p->addVertexAt(1, {1, 0});
         return p;
       },
       "pixels 0 segments 0 polygons 0 polylines 2"},
      {"AcDb2dPolyline",
       [] {
         auto* p = new AcDb2dPolyline;
         p->appendVertex(new AcDb2dVertex({0, 0, 0}));
         p->appendVertex(new AcDb2dVertex({1, 0, 0}));
         p->setClosed(true);
         return p;
       },
       "pixels 0 segments 0 polygons 0 polylines 3"},
      {"AcDb3dPolyline",
       [] {
         auto* p = new AcDb3dPolyline;
         p->appendVertex(new AcDb3dPolylineVertex({0, 0, 1}));
         p->appendVertex(new AcDb3dPolylineVertex({1, 0, 2}));
         return p;
       },
       "pixels 0 segments 0 polygons 0 polylines 2"},
      {"AcDbMText", [] { return new AcDbMText; }, "pixels 0 segments 0 polygons 0 polylines"},
      {"AcDbMInsertBlock",
       [inner] {
         auto* m = new AcDbMInsertBlock;
         m->setBlockTableRecord(inner);
         m->setColumns(2);
         m->setColumnSpacing(5);
         return m;
       },
       "pixels 0 segments 2 polygons 0 polylines"},
      {"AcDbBlockReference",
       [inner] {
         return reference(inner, {0, 0, 0});
       },
       "pixels 0 segments 1 polygons 0 polylines"},
  };
  for (const Row& row : rows) {
    std::string name = std::string("E_") + row.cls;
    d.add(d.addBlock(name.c_str()), row.make());
    EXPECT_EQ(summary(walk(d, name.c_str())), row.drawn) << row.cls;
  }
}

TEST(EntityWalk, byblock_inside_red_reference_is_drawn_white)
{
  TestDrawing d;
  AcDbObjectId inner = d.addBlock("INNER");
  d.add(inner, new AcDbLine({0, 0, 0}, {1, 0, 0}), 0);
  AcDbObjectId outer = d.addBlock("OUTER");
  d.add(outer, reference(inner, {0, 0, 0}), 1);
  MetafileRecord r = walk(d, "OUTER");
  ASSERT_EQ(r.segments.size(), 1u);
  EXPECT_EQ(r.segments[0].pen, 0xFFFFFFu);
}

TEST(EntityWalk, colour_of_undrawn_entities_still_becomes_current)
{
  TestDrawing d;
  AcDbObjectId b = d.addBlock("B");
  d.add(b, new AcDbLine({0, 0, 0}, {1, 0, 0}), 1);
  d.add(b, new AcDbMText, 5);
  CBlockView keep;
  walk(d, "B", &keep);
  EXPECT_EQ(keep.m_color, 0xFF0000u) << "blue from the multiline text";
}

TEST(EntityWalk, multiple_insert_cells_in_order_and_spacing)
{
  TestDrawing d;
  AcDbObjectId cell = d.addBlock("CELL");
  d.add(cell, new AcDbPoint({0, 0, 0}));
  AcDbObjectId b = d.addBlock("GRID");
  AcDbMInsertBlock* m = new AcDbMInsertBlock;
  m->setBlockTableRecord(cell);
  m->setColumns(3);
  m->setRows(2);
  m->setColumnSpacing(10);
  m->setRowSpacing(5);
  m->setScaleFactors(AcGeScale3d(2, 2, 1));
  d.add(b, m);
  d.add(b, new AcDbPoint({1, 1, 0})); // after the insert: its own place
  MetafileRecord r = walk(d, "GRID");
  const long expected[7][2] = {{0, 0},     {0, 5000},     {10000, 0},  {10000, 5000},
                               {20000, 0}, {20000, 5000}, {1000, 1000}};
  ASSERT_EQ(r.pixels.size(), 7u);
  for (int i = 0; i < 7; ++i) {
    EXPECT_TRUE(pointNear(r.pixels[i].first, expected[i][0], expected[i][1])) << "pixel " << i;
  }
}

TEST(EntityWalk, nested_references_combine_transforms)
{
  TestDrawing d;
  AcDbObjectId a = d.addBlock("A");
  d.add(a, new AcDbPoint({1, 0, 0}));
  AcDbObjectId b = d.addBlock("B");
  d.add(b, reference(a, {10, 0, 0}, kHalfPi, 2.0)); // A's point lands on (10, 2)
  AcDbObjectId c = d.addBlock("C");
  d.add(c, reference(b, {100, 0, 0}, kHalfPi)); // ... and then on (98, 10)
  AcDbObjectId dd = d.addBlock("D");
  d.add(dd, reference(c, {0, 0, 0}, 0.0, 0.5)); // ... and then on (49, 5)
  AcDbObjectId e = d.addBlock("E");
  AcDbMInsertBlock* m = new AcDbMInsertBlock;
  m->setBlockTableRecord(b);
  m->setColumns(2);
  m->setColumnSpacing(100);
  d.add(e, m); // cells of B: (10, 2) and (110, 2)

  struct Case {
    const char* block;
    std::vector<std::pair<long, long>> pixels;
  } cases[] = {{"B", {{10000, 2000}}},
               {"C", {{98000, 10000}}},
               {"D", {{49000, 5000}}},
               {"E", {{10000, 2000}, {110000, 2000}}}};
  for (const Case& k : cases) {
    MetafileRecord r = walk(d, k.block);
    ASSERT_EQ(r.pixels.size(), k.pixels.size()) << k.block;
    for (size_t i = 0; i < k.pixels.size(); ++i) {
      EXPECT_TRUE(pointNear(r.pixels[i].first, k.pixels[i].first, k.pixels[i].second, 2))
          << k.block << " pixel " << i;
    }
  }
}

TEST(EntityWalk, damaged_references_draw_nothing_and_change_nothing)
{
  TestDrawing d;
  AcDbObjectId self = d.addBlock("SELF");
  d.add(self, new AcDbLine({0, 0, 0}, {1, 0, 0}));
  d.add(self, reference(self, {5, 0, 0}));
  AcDbObjectId p = d.addBlock("P");
  AcDbObjectId q = d.addBlock("Q");
  d.add(p, new AcDbPoint({0, 0, 0}));
  d.add(p, reference(q, {1, 0, 0}));
  d.add(q, reference(p, {1, 0, 0}));
  EXPECT_EQ(walk(d, "SELF").segments.size(), 1u) << "a block inside itself is walked once";
  EXPECT_EQ(walk(d, "P").pixels.size(), 1u) << "P -> Q -> P is not walked again";
  MetafileRecord viaQ = walk(d, "Q");
  ASSERT_EQ(viaQ.pixels.size(), 1u);
  EXPECT_TRUE(pointNear(viaQ.pixels[0].first, 1000, 0));

  AcDbObjectId layer = d.addLayer("L1", 3);
  AcDbObjectId z = d.addBlock("Z");
  AcDbBlockReference* flat = reference(self, {0, 0, 0});
  flat->setScaleFactors(AcGeScale3d(1, 0, 1));
  d.add(z, flat);
  AcDbMInsertBlock* flatGrid = new AcDbMInsertBlock;
  flatGrid->setBlockTableRecord(self);
  flatGrid->setScaleFactors(AcGeScale3d(0, 1, 1));
  d.add(z, flatGrid);
  d.add(z, reference(layer, {0, 0, 0}));
  d.add(z, new AcDbPoint({2, 3, 0}));
  hostCaptureOutput(true);
  MetafileRecord r = walk(d, "Z");
  std::string out = hostTakeOutput();
  hostCaptureOutput(false);
  EXPECT_EQ(out, "acdbOpenObject failed with error 46.\n");
  EXPECT_TRUE(r.segments.empty()) << "zero scale factors draw nothing";
  ASSERT_EQ(r.pixels.size(), 1u);
  EXPECT_TRUE(pointNear(r.pixels[0].first, 2000, 3000, 0));
}

TEST(EntityWalk, walked_records_are_closed_again)
{
  TestDrawing d;
  AcDbObjectId empty = d.addBlock("EMPTY");
  AcDbObjectId b = d.addBlock("B");
  AcDbMInsertBlock* none = new AcDbMInsertBlock;
  none->setBlockTableRecord(empty);
  none->setColumns(0);
  d.add(b, none);
  d.add(b, reference(empty, {0, 0, 0}));
  walk(d, "B");
  walk(d, "EMPTY");
  for (AcDbObjectId id : {empty, b}) {
    AcDbBlockTableRecord* record = nullptr;
    EXPECT_EQ(acdbOpenObject(record, id, AcDb::kForWrite), Acad::eOk) << "left open for read";
    if (record != nullptr) {
      record->close();
    }
  }
}
