// The measure pass places of each arc, circle and bulge only the vertices that can hold
// the extents. The extents, and so the picture, must be the very ones that placing every
// vertex gives: each block is painted both ways into a metafile and the records compared
// byte for byte, on the bundled samples and on a block of the benchmark's kind placed
// turned, mirrored, unevenly scaled and nested.
#include "quillmark/view/PaintProbe.h"
#include "quillmark/view/TestDrawing.h"

#include "arx/db/AcDbArc.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbCircle.h"
#include "arx/db/AcDbLine.h"
#include "arx/db/AcDbPoint.h"
#include "arx/db/AcDbPolyline.h"
#include "quillmark/dialog/DrawingAccess.h"
#include "quillmark/render/BulgeArc.h"
#include "quillmark/render/PointBuffer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

struct Painted {
  std::vector<BYTE> records; // the metafile, as GetEnhMetaFileBits gives it
  AcGePoint3d lo, hi;        // the extents the measure pass found
};

Painted paint(AcDbDatabase* db, const char* block, bool everyPoint)
{
  Painted out;
  PreviewWindow window;
  window.view.setDatabase(db);
  window.view.setBlockName(block);
  window.view.m_plainArcs = everyPoint;
  window.view.resetExtents();
  window.view.drawNamedBlock();
  out.lo = window.view.m_extMin;
  out.hi = window.view.m_extMax;
  CDC dc;
  dc.Attach(CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr));
  window.view.paintPreview(&dc);
  HENHMETAFILE emf = CloseEnhMetaFile(dc.Detach());
  out.records.resize(GetEnhMetaFileBits(emf, 0, nullptr));
  GetEnhMetaFileBits(emf, static_cast<UINT>(out.records.size()), out.records.data());
  DeleteEnhMetaFile(emf);
  return out;
}

::testing::AssertionResult paintsTheSame(AcDbDatabase* db, const char* block)
{
  Painted every = paint(db, block, true);
  Painted extremes = paint(db, block, false);
  if (every.records.size() < 200)
    return ::testing::AssertionFailure() << block << ": hardly anything drawn";
  auto at = [](const AcGePoint3d& p, int i) { return i == 0 ? p.x : i == 1 ? p.y : p.z; };
  for (int i = 0; i < 3; ++i) {
    if (at(every.lo, i) != at(extremes.lo, i) || at(every.hi, i) != at(extremes.hi, i))
      return ::testing::AssertionFailure()
             << block << ": extents differ in coordinate " << i << ": [" << at(every.lo, i) << ", "
             << at(every.hi, i) << "] against [" << at(extremes.lo, i) << ", " << at(extremes.hi, i)
             << "]";
  }
  if (every.records != extremes.records)
    return ::testing::AssertionFailure() << block << ": the metafiles differ";
  return ::testing::AssertionSuccess();
}

// Entities of the benchmark's kinds and proportions (lines, arcs, circles, polylines with
// straight, quarter and clockwise half-circle bulges, points), seeded.
void addMixedEntities(TestDrawing& d, AcDbObjectId block, int count)
{
  std::mt19937 random(20261207);
  auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  const double kBulges[] = {0.0, 0.0, 0.4142, -1.0};
  for (int i = 0; i < count; ++i) {
    double x = uniform(0, 10000), y = uniform(0, 10000);
    AcDbEntity* e = nullptr;
    switch (i % 5) {
    case 0:
      e = new AcDbLine({x, y, 0}, {x + uniform(-50, 50), y + uniform(-50, 50), 0});
      break;
    case 1: {
      auto* a = new AcDbArc;
      a->setCenter({x, y, 0});
      a->setRadius(uniform(1, 40));
      a->setStartAngle(uniform(0, 6.283185307179586));
      a->setEndAngle(uniform(0, 6.283185307179586));
      e = a;
      break;
    }
    case 2:
      e = new AcDbCircle({x, y, 0}, {0, 0, 1}, uniform(1, 40));
      break;
    case 3: {
      auto* p = new AcDbPolyline;
      for (int v = 0; v < 4 + i % 5; ++v)
        p->addVertexAt(v, {x + uniform(-30, 30), y + uniform(-30, 30)}, kBulges[random() % 4]);
      p->setClosed(i % 2 == 1);
      e = p;
      break;
    }
    default:
      e = new AcDbPoint({x, y, 0});
    }
    d.add(block, e, 1 + i % 7);
  }
}

AcDbBlockReference* placed(AcDbObjectId block, AcGePoint3d at, double rotation, AcGeScale3d scale)
{
  auto* r = new AcDbBlockReference(at, block);
  r->setRotation(rotation);
  r->setScaleFactors(scale);
  return r;
}

} // namespace

TEST(MeasurePass, bundled_samples_paint_as_when_every_vertex_is_measured)
{
  int blocks = 0;
  for (const char* sample : {"furniture.dxf", "fixtures_r12.dxf", "site_r2018.dxf"}) {
    std::string path = std::string(QUILL_SOURCE_DIR) + "/samples/" + sample;
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDwgFile(path.c_str()), Acad::eOk) << path;
    CStringList names;
    ASSERT_EQ(listTableNames(&db, names, 0), 0);
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr;) {
      CString name = names.GetNext(pos);
      if (name[0] == '*')
        continue;
      EXPECT_TRUE(paintsTheSame(&db, name)) << sample;
      ++blocks;
    }
  }
  EXPECT_GE(blocks, 10);
}

TEST(MeasurePass, benchmark_block_placed_every_way_paints_as_when_every_vertex_is_measured)
{
  TestDrawing d;
  AcDbObjectId big = d.addBlock("BIG");
  addMixedEntities(d, big, 20000);
  AcDbObjectId turned = d.addBlock("TURNED");
  d.add(turned, placed(big, {5, -7, 0}, 0.5235987755982988, {1, 1, 1}));
  AcDbObjectId mirrored = d.addBlock("MIRRORED");
  d.add(mirrored, placed(big, {0, 0, 0}, 1.2, {-1, 1, 1}));
  AcDbObjectId uneven = d.addBlock("UNEVEN");
  d.add(uneven, placed(big, {1e5, 3e5, 0}, 2.0, {2.5, 0.3, 1}));
  AcDbObjectId nested = d.addBlock("NESTED");
  d.add(nested, placed(turned, {100, 100, 0}, -0.7, {0.5, -0.5, 1}));
  d.add(nested, placed(uneven, {0, 0, 0}, 0.0, {1e-3, 1e-3, 1}));
  for (const char* block : {"BIG", "TURNED", "MIRRORED", "UNEVEN", "NESTED"})
    EXPECT_TRUE(paintsTheSame(&d.db, block));
}

// Arcs, circles and bulges that stick out a hair past the lines around them on one side,
// the lines reaching far on the other three: the measure pass must not take them for
// lying within the lines' extents, whatever kind of arc and whichever side.
TEST(MeasurePass, arcs_just_past_the_extents_of_the_lines_around_them_are_measured)
{
  TestDrawing d;
  std::vector<std::string> names;
  const double kBulges[] = {0.2, -0.6, 1.0, -1.0, 3.0, -3.0, 12.0};
  for (int kind = 0; kind < 9; ++kind) {
    for (int side = 0; side < 4; ++side) {
      // The arc, and its extents from the points the plain way makes of it.
      AcDbEntity* arc = nullptr;
      PointBuffer points;
      if (kind < 7) {
        AcGePoint3d p1(0, 0, 0), p2(10, 0, 0);
        auto* p = new AcDbPolyline;
        p->addVertexAt(0, {p1.x, p1.y}, kBulges[kind]);
        p->addVertexAt(1, {p2.x, p2.y});
        appendBulgeArc(points, p1, p2, kBulges[kind], 36);
        arc = p;
      } else {
        auto* c = new AcDbCircle({3, 4, 0}, {0, 0, 1}, kind == 7 ? 5.0 : 0.25);
        for (int k = 0; k <= 36; ++k) // the circle's steps, as the drawer sums them
          points.append(AcGePoint3d(0, 0, 0));
        double angle = 0.0, step = 6.283185307179586 / 36;
        for (int k = 0; k <= 36; ++k, angle += step)
          points.data[k] =
              AcGePoint3d(3 + c->radius() * std::cos(angle), 4 + c->radius() * std::sin(angle), 0);
        arc = c;
      }
      double lo[2] = {1e300, 1e300}, hi[2] = {-1e300, -1e300};
      for (int k = 0; k < points.count; ++k) {
        lo[0] = std::min(lo[0], points.data[k].x);
        hi[0] = std::max(hi[0], points.data[k].x);
        lo[1] = std::min(lo[1], points.data[k].y);
        hi[1] = std::max(hi[1], points.data[k].y);
      }
      // Lines far out on three sides; on `side` a thousandth of a unit inside the arc.
      double box[4] = {lo[0] - 100, lo[1] - 100, hi[0] + 100, hi[1] + 100};
      box[side] = side < 2 ? lo[side] + 1e-3 : hi[side - 2] - 1e-3;
      std::string name = "EDGE" + std::to_string(kind) + "-" + std::to_string(side);
      AcDbObjectId block = d.addBlock(name.c_str());
      d.add(block, new AcDbLine({box[0], box[1], 0}, {box[2], box[1], 0}));
      d.add(block, new AcDbLine({box[2], box[1], 0}, {box[2], box[3], 0}));
      d.add(block, new AcDbLine({box[2], box[3], 0}, {box[0], box[3], 0}));
      d.add(block, new AcDbLine({box[0], box[3], 0}, {box[0], box[1], 0}));
      d.add(block, arc, 3);
      names.push_back(name);
    }
  }
  for (const std::string& name : names)
    EXPECT_TRUE(paintsTheSame(&d.db, name.c_str()));
}
