// The walk over a block: dispatch by class, colours, references, multiple
// inserts, nesting and damaged blocks.
#include "quillmark/view/PaintProbe.h"
#include "quillmark/view/TestDrawing.h"

#include "arx/db/AcDbAttributeDefinition.h"
#include "arx/db/AcDbMText.h"
#include "arx/host/HostTestHooks.h"
#include "quillmark/dialog/DrawingAccess.h"
#include "quillmark/render/EntityClasses.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <new>

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

// What reached GDI: pixels, segments, polygons, and the size of each polyline.
std::string summary(const MetafileRecord& r)
{
  std::string s = std::to_string(r.pixels.size()) + " " + std::to_string(r.segments.size()) + " " +
                  std::to_string(r.polygons.size()) + " /";
  for (const DrawnShape& p : r.polylines)
    s += " " + std::to_string(p.points.size());
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

AcDbMInsertBlock* grid(AcDbObjectId block, int columns, int rows, double dx, double dy,
                       AcGeScale3d scale)
{
  AcDbMInsertBlock* m = new AcDbMInsertBlock;
  m->setBlockTableRecord(block);
  m->setColumns(static_cast<Adesk::UInt16>(columns));
  m->setRows(static_cast<Adesk::UInt16>(rows));
  m->setColumnSpacing(dx);
  m->setRowSpacing(dy);
  m->setScaleFactors(scale);
  return m;
}

// The pixels drawn, in order: "(x,y) (x,y)".
std::string pixels(const MetafileRecord& r)
{
  std::string s;
  for (const DrawnShape& p : r.pixels)
    s += (s.empty() ? "(" : " (") + std::to_string(p.points[0].x) + "," +
         std::to_string(p.points[0].y) + ")";
  return s;
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
    const char* drawn; // pixels, segments, polygons, and the size of each polyline
  } rows[] = {
      // clang-format off
      {"AcDbPoint", [] { return new AcDbPoint({1, 1, 0}); }, "1 0 0 /"},
      {"AcDbFace", [] { auto* f = new AcDbFace; f->setVertexAt(1, {1, 0, 0}); return f; }, "0 4 0 /"},
      {"AcDbSolid", [] { return new AcDbSolid; }, "0 0 1 /"},
      {"AcDbTrace", [] { return new AcDbTrace; }, "0 0 1 /"},
      {"AcDbMline", [] { auto* m = new AcDbMline; m->appendSeg({0, 0, 0}); m->appendSeg({1, 1, 0}); m->setClosedMline(true); return m; }, "0 0 0 / 3"},
      {"AcDbShape", [] { return new AcDbShape; }, "0 0 0 / 5"},
      {"AcDbText", [] { auto* t = new AcDbText; t->setTextString("AB"); return t; }, "0 0 0 / 5"},
      {"AcDbAttributeDefinition", [] { auto* t = new AcDbAttributeDefinition; t->setTag("T"); return t; }, "0 0 0 / 5"},
      {"AcDbViewport", [] { auto* v = new AcDbViewport; v->setWidth(4); v->setHeight(2); return v; }, "0 0 0 / 5"},
      {"AcDbOle2Frame", [] { auto* o = new AcDbOle2Frame; o->setCorners({0, 1, 0}, {2, 0, 0}); return o; }, "0 0 0 / 5"},
      {"AcDbProxyEntity", [] { return new AcDbProxyEntity; }, "0 0 0 /"},
      {"AcDbRasterImage", [] { auto* i = new AcDbRasterImage; i->setImageSize({4, 3}); return i; }, "0 0 0 / 5"},
      {"AcDbWipeout", [] { return new AcDbWipeout; }, "0 0 0 / 5"},
      {"AcDbLine", [] { return new AcDbLine({0, 0, 0}, {1, 1, 0}); }, "0 1 0 /"},
      {"AcDbRay", [] { return new AcDbRay; }, "0 1 0 /"},
      {"AcDbXline", [] { return new AcDbXline; }, "0 1 0 /"},
      {"AcDbArc", [] { auto* a = new AcDbArc; a->setRadius(1); a->setEndAngle(kHalfPi); return a; }, "0 0 0 / 10"},
      {"AcDbCircle", [] { return new AcDbCircle({0, 0, 0}, {0, 0, 1}, 1.0); }, "0 0 0 / 37"},
      {"AcDbEllipse", [] { auto* e = new AcDbEllipse; e->set({0, 0, 0}, {0, 0, 1}, {2, 0, 0}, 0.5); return e; }, "0 0 0 / 5"},
      {"AcDbSpline", [] { auto* s = new AcDbSpline; s->appendControlPoint({0, 0, 0}); s->appendControlPoint({1, 1, 0}); return s; }, "0 0 0 / 2"},
      {"AcDbLeader", [] { auto* l = new AcDbLeader; l->appendVertex({0, 0, 0}); l->appendVertex({3, 4, 0}); return l; }, "0 0 0 / 2"},
      {"AcDbPolyline", [] { auto* p = new AcDbPolyline; p->addVertexAt(0, {0, 0}); p->addVertexAt(1, {1, 0}); return p; }, "0 0 0 / 2"},
      {"AcDb2dPolyline", [] { auto* p = new AcDb2dPolyline; p->appendVertex(new AcDb2dVertex({1, 0, 0})); p->setClosed(true); return p; }, "0 0 0 / 2"},
      {"AcDb3dPolyline", [] { auto* p = new AcDb3dPolyline; p->appendVertex(new AcDb3dPolylineVertex({0, 0, 1})); p->appendVertex(new AcDb3dPolylineVertex({1, 0, 2})); return p; }, "0 0 0 / 2"},
      {"AcDbMText", [] { return new AcDbMText; }, "0 0 0 /"},
      {"AcDbMInsertBlock", [inner] { return grid(inner, 2, 1, 5, 0, AcGeScale3d(1)); }, "0 2 0 /"},
      {"AcDbBlockReference", [inner] { return reference(inner, {0, 0, 0}); }, "0 1 0 /"},
      // clang-format on
  };
  for (const Row& row : rows) {
    std::string name = std::string("E_") + row.cls;
    d.add(d.addBlock(name.c_str()), row.make());
    EXPECT_EQ(summary(walk(d, name.c_str())), row.drawn) << row.cls;
  }
}

TEST(EntityWalk, colour_per_entity_never_inherited)
{
  TestDrawing d;
  AcDbObjectId inner = d.addBlock("INNER");
  d.add(inner, new AcDbLine({0, 0, 0}, {1, 0, 0}), 0); // BYBLOCK
  AcDbObjectId outer = d.addBlock("OUTER");
  d.add(outer, reference(inner, {0, 0, 0}), 1); // inserted red
  d.add(outer, new AcDbMText, 5);               // draws nothing, yet sets blue
  CBlockView keep;
  MetafileRecord r = walk(d, "OUTER", &keep);
  ASSERT_EQ(r.segments.size(), 1u);
  EXPECT_EQ(r.segments[0].pen, 0xFFFFFFu) << "BYBLOCK inside a red reference is white";
  EXPECT_EQ(keep.m_color, 0xFF0000u) << "the multiline text's blue is the last colour";
}

TEST(EntityWalk, multiple_insert_cells_in_order_and_spacing)
{
  TestDrawing d;
  AcDbObjectId cell = d.addBlock("CELL");
  d.add(cell, new AcDbPoint({0, 0, 0}));
  AcDbObjectId b = d.addBlock("GRID");
  d.add(b, grid(cell, 3, 2, 10, 5, AcGeScale3d(2, 4, 1))); // each spacing over its own scale
  d.add(b, new AcDbPoint({1, 1, 0})); // after the insert: at its own place
  EXPECT_EQ(pixels(walk(d, "GRID")),
            "(0,0) (0,5000) (10000,0) (10000,5000) (20000,0) (20000,5000) (1000,1000)");
}

TEST(EntityWalk, nested_references_combine_transforms)
{
  TestDrawing d;
  AcDbObjectId a = d.addBlock("A");
  d.add(a, new AcDbPoint({1, 0, 0}));
  AcDbObjectId b = d.addBlock("B");
  d.add(b, reference(a, {10, 0, 0}, kHalfPi, 2.0)); // A's point lands on (10, 2)
  AcDbObjectId c = d.addBlock("C");
  d.add(c, reference(b, {100, 0, 0}, kHalfPi));                  // then on (98, 10)
  d.add(d.addBlock("D"), reference(c, {0, 0, 0}, 0.0, 0.5));     // then on (49, 5)
  d.add(d.addBlock("E"), grid(b, 2, 1, 100, 0, AcGeScale3d(1))); // cells of B
  struct Case {
    const char* block;
    std::vector<std::pair<long, long>> at;
  } cases[] = {{"B", {{10000, 2000}}},
               {"C", {{98000, 10000}}},
               {"D", {{49000, 5000}}},
               {"E", {{10000, 2000}, {110000, 2000}}}};
  for (const Case& k : cases) {
    MetafileRecord r = walk(d, k.block);
    ASSERT_EQ(r.pixels.size(), k.at.size()) << k.block;
    for (size_t i = 0; i < k.at.size(); ++i)
      EXPECT_TRUE(pointNear(r.pixels[i].points[0], k.at[i].first, k.at[i].second)) << k.block;
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
  EXPECT_EQ(pixels(walk(d, "P")), "(0,0)") << "P -> Q -> P is not walked again";
  EXPECT_EQ(pixels(walk(d, "Q")), "(1000,0)");

  AcDbObjectId z = d.addBlock("Z");
  AcDbBlockReference* flat = reference(self, {0, 0, 0});
  flat->setScaleFactors(AcGeScale3d(1, 0, 1));
  d.add(z, flat);
  d.add(z, grid(self, 1, 1, 1, 1, AcGeScale3d(0, 1, 1)));
  d.add(z, reference(d.addLayer("L1", 3), {0, 0, 0})); // names a layer, not a block
  d.add(z, new AcDbPoint({2, 3, 0}));
  hostCaptureOutput(true);
  MetafileRecord r = walk(d, "Z");
  EXPECT_EQ(hostTakeOutput(), "acdbOpenObject failed with error 46.\n");
  hostCaptureOutput(false);
  EXPECT_TRUE(r.segments.empty()) << "zero scale factors draw nothing";
  EXPECT_EQ(pixels(r), "(2000,3000)") << "the transform in force is unchanged";
}

// Some writers store a flat block's multiple inserts with z scale 0: the block
// still lies in its plane and is drawn; only x and y collapse it.
TEST(EntityWalk, zero_z_scale_of_a_flat_block_draws_it)
{
  TestDrawing d;
  AcDbObjectId flat = d.addBlock("FLAT");
  d.add(flat, new AcDbPoint({1, 1, 0}));
  AcDbObjectId b = d.addBlock("B");
  AcDbBlockReference* once = reference(flat, {10, 0, 0});
  once->setScaleFactors(AcGeScale3d(2, 3, 0));
  d.add(b, once);                                          // (1, 1) -> (12, 3)
  d.add(b, grid(flat, 2, 1, 10, 0, AcGeScale3d(2, 2, 0))); // (1, 1) -> (2, 2), (12, 2)
  EXPECT_EQ(pixels(walk(d, "B")), "(12000,3000) (2000,2000) (12000,2000)");
}

TEST(EntityWalk, huge_array_ends_the_pass_when_the_budget_is_spent)
{
  TestDrawing d;
  AcDbObjectId cell = d.addBlock("CELL");
  d.add(cell, new AcDbPoint({0, 0, 0}));
  AcDbObjectId b = d.addBlock("HUGE");
  d.add(b, grid(cell, 65535, 65535, 1, 1, AcGeScale3d(1)));
  DrawProbe probe;
  // The grid entity and its colour, then 50 cells of one entity of one point each
  // (all in one colour), and a part of the 51st cell's walk.
  const long long grid = CBlockView::kEntityCost + CBlockView::kColorCost;
  const long long cellOfOnePoint = CBlockView::kCellCost + CBlockView::kEntityCost + 1;
  probe.view().m_walkBudget = grid + 50 * cellOfOnePoint + CBlockView::kCellCost - 1;
  probe.view().drawBlockRecord(findBlockRecord(&d.db, "HUGE"));
  EXPECT_EQ(probe.finish().pixels.size(), 50u);
  AcDbBlockTableRecord* record = nullptr;
  EXPECT_EQ(acdbOpenObject(record, cell, AcDb::kForWrite), Acad::eOk) << "left open";
  if (record != nullptr)
    record->close();
}

// A walk started without a paint (as the drawers' tests do) has its whole
// budget: the constructor sets it, whatever the memory held before.
TEST(EntityWalk, a_new_view_walks_with_its_whole_budget)
{
  TestDrawing d;
  AcDbObjectId b = d.addBlock("B");
  d.add(b, new AcDbPoint({1, 2, 0}));
  alignas(CBlockView) unsigned char storage[sizeof(CBlockView)];
  std::memset(storage, 0xFF, sizeof storage);
  CBlockView* view = new (storage) CBlockView;
  EXPECT_EQ(view->m_walkBudget, CBlockView::kWalkBudget);
  MetafileDC meta;
  view->m_measuring = 0;
  view->m_scale = 1000.0;
  view->m_pDC = &meta.dc;
  view->drawBlockRecord(findBlockRecord(&d.db, "B"));
  view->m_pDC = nullptr;
  view->~CBlockView();
  EXPECT_EQ(pixels(meta.finish()), "(1000,2000)");
}

TEST(EntityWalk, walked_records_are_closed_again)
{
  TestDrawing d;
  AcDbObjectId empty = d.addBlock("EMPTY");
  AcDbObjectId b = d.addBlock("B");
  d.add(b, grid(empty, 0, 1, 1, 1, AcGeScale3d(1))); // no cells: opened, not walked
  d.add(b, reference(empty, {0, 0, 0}));
  walk(d, "B");
  for (AcDbObjectId id : {empty, b}) {
    AcDbBlockTableRecord* record = nullptr;
    EXPECT_EQ(acdbOpenObject(record, id, AcDb::kForWrite), Acad::eOk) << "left open for read";
    if (record != nullptr)
      record->close();
  }
}
