// Geometry the database computes as the host does: block transforms, object
// coordinate systems, extents, image frames and hatch lines.
#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDbAttributeDefinition.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/db/AcDbEllipse.h"
#include "arx/db/AcDbFrame.h"
#include "arx/db/AcDbHatch.h"
#include "arx/db/AcDbPolyline.h"
#include "arx/db/AcDbProxyEntity.h"
#include "arx/db/AcDbRasterImage.h"
#include "arx/db/AcDbShape.h"
#include "arx/db/AcDbText.h"

#include "arx/ExpectPoint.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {
const double kPi = 3.141592653589793;

// A block with base point `base`, in a new database.
AcDbObjectId addBlock(AcDbDatabase& db, const char* name, const AcGePoint3d& base)
{
  AcDbBlockTable* table = nullptr;
  db.getSymbolTable(table, AcDb::kForWrite);
  AcDbBlockTableRecord* r = new AcDbBlockTableRecord;
  r->setName(name);
  AcDbObjectId id;
  table->add(id, r);
  r->setOrigin(base);
  r->close();
  table->close();
  return id;
}
} // namespace

TEST(Geometry, block_transform_applies_base_scale_rotation_then_insertion)
{
  AcDbDatabase db;
  AcDbObjectId block = addBlock(db, "B", AcGePoint3d(1, 1, 0));
  AcDbBlockReference ref(AcGePoint3d(10, 20, 0), block);
  ref.setScaleFactors(AcGeScale3d(2, 3, 1));
  ref.setRotation(kPi / 2);
  AcGePoint3d p(2, 1, 0); // one unit right of the base point
  p.transformBy(ref.blockTransform());
  EXPECT_POINT(p, 10, 22, 0); // scaled by 2 along x, turned to +y
  AcGePoint3d base(1, 1, 0);
  EXPECT_POINT(base.transformBy(ref.blockTransform()), 10, 20, 0);
}

TEST(Geometry, block_transform_with_down_normal_mirrors_x)
{
  AcDbDatabase db;
  AcDbObjectId block = addBlock(db, "B", AcGePoint3d::kOrigin);
  AcDbBlockReference ref(AcGePoint3d(-5, 0, 0), block); // position already in world coordinates
  ref.setNormal(AcGeVector3d(0, 0, -1));
  AcGePoint3d p(1, 2, 3);
  EXPECT_POINT(p.transformBy(ref.blockTransform()), -6, 2, -3);
}

TEST(Geometry, lightweight_polyline_points_come_back_in_world_coordinates)
{
  AcDbPolyline pl;
  pl.addVertexAt(0, AcGePoint2d(3, 4), 0.5);
  pl.setElevation(2);
  pl.setNormal(AcGeVector3d(0, 0, -1));
  AcGePoint3d p;
  ASSERT_EQ(pl.getPointAt(0, p), Acad::eOk);
  EXPECT_POINT(p, -3, 4, -2);
  EXPECT_EQ(pl.elevation(), 2) << "the elevation stays as stored";
  double bulge = 0;
  EXPECT_EQ(pl.getBulgeAt(0, bulge), Acad::eOk);
  EXPECT_EQ(bulge, 0.5);
  EXPECT_EQ(pl.getPointAt(1, p), Acad::eInvalidIndex);
}

TEST(Geometry, lightweight_polyline_has_bulges_when_any_vertex_has_one)
{
  AcDbPolyline pl;
  EXPECT_FALSE(pl.hasBulges()) << "no vertices";
  pl.addVertexAt(0, AcGePoint2d(0, 0));
  pl.addVertexAt(1, AcGePoint2d(1, 0), -0.0);
  pl.addVertexAt(2, AcGePoint2d(2, 0));
  EXPECT_FALSE(pl.hasBulges()) << "a bulge of -0 is none";
  pl.addVertexAt(3, AcGePoint2d(3, 0), 1e-300);
  EXPECT_TRUE(pl.hasBulges()) << "the last vertex's bulge counts too";
  pl.addVertexAt(0, AcGePoint2d(-1, 0), -2.0);
  EXPECT_TRUE(pl.hasBulges());
}

TEST(Geometry, polyline2d_vertex_position_uses_elevation_and_normal)
{
  AcDbDatabase db;
  AcDb2dPolyline* pl = new AcDb2dPolyline;
  pl->setElevation(5);
  pl->setNormal(AcGeVector3d(0, 0, -1));
  pl->appendVertex(new AcDb2dVertex(AcGePoint3d(1, 2, 99)));
  AcDbBlockTable* table = nullptr;
  db.getSymbolTable(table, AcDb::kForRead);
  AcDbBlockTableRecord* model = nullptr;
  table->getAt(ACDB_MODEL_SPACE, model, AcDb::kForWrite);
  table->close();
  ASSERT_EQ(model->appendAcDbEntity(pl), Acad::eOk);
  model->close();
  AcDbObjectIterator* it = pl->vertexIterator();
  it->start();
  ASSERT_FALSE(it->done());
  AcDb2dVertex* v = nullptr;
  ASSERT_EQ(pl->openVertex(v, it->objectId(), AcDb::kForRead), Acad::eOk)
      << "vertices join the database with their polyline";
  EXPECT_POINT(pl->vertexPosition(*v), -1, 2, -5);
  v->close();
  AcDb2dVertex* notVertex = nullptr;
  EXPECT_EQ(pl->openVertex(notVertex, model->objectId(), AcDb::kForRead), Acad::eWrongObjectType);
  delete it;
  pl->close();
}

TEST(Geometry, ellipse_extents_are_exact)
{
  AcDbEllipse full;
  ASSERT_EQ(full.set(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, AcGeVector3d(3, 3, 0), 0.5),
            Acad::eOk);
  AcDbExtents box;
  ASSERT_EQ(full.getGeomExtents(box), Acad::eOk);
  // Axes a = (3, 3), b = 0.5 * (-3, 3): half extents sqrt(9 + 2.25) in x and y.
  double h = std::sqrt(9 + 2.25);
  EXPECT_POINT(box.minPoint(), 1 - h, 1 - h, 0);
  EXPECT_POINT(box.maxPoint(), 1 + h, 1 + h, 0);

  AcDbEllipse quarter; // from the major axis end to the minor axis end
  quarter.set(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, AcGeVector3d(4, 0, 0), 0.5, 0, kPi / 2);
  ASSERT_EQ(quarter.getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.minPoint(), 0, 0, 0);
  EXPECT_POINT(box.maxPoint(), 4, 2, 0);
}

TEST(Geometry, text_extents_from_height_width_factor_and_count)
{
  AcDbText text;
  text.setPosition(AcGePoint3d(1, 2, 0));
  text.setHeight(2);
  text.setWidthFactor(0.5);
  text.setTextString("ABC%%d"); // four character cells
  AcDbExtents box;
  ASSERT_EQ(text.getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.minPoint(), 1, 2, 0);
  EXPECT_POINT(box.maxPoint(), 5, 4, 0);

  text.setRotation(kPi / 2);
  ASSERT_EQ(text.getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.minPoint(), -1, 2, 0);
  EXPECT_POINT(box.maxPoint(), 1, 6, 0);

  text.setRotation(0);
  text.setHorizontalMode(AcDbText::kTextCenter);
  text.setAlignmentPoint(AcGePoint3d(10, 0, 0));
  ASSERT_EQ(text.getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.minPoint(), 8, 0, 0); // centred on the alignment point
  EXPECT_POINT(box.maxPoint(), 12, 2, 0);
}

// The text "AB" of height 1 is 2 wide. Backward mirrors its box in x about the
// alignment point, upside down in y.
TEST(Geometry, text_extents_follow_the_generation_flags)
{
  const struct {
    bool backward, upsideDown;
    AcDbText::TextHorzMode h;
    AcDbText::TextVertMode v;
    double x0, y0, x1, y1;
  } cases[] = {
      {true, false, AcDbText::kTextLeft, AcDbText::kTextBase, 8, 5, 10, 6},
      {false, true, AcDbText::kTextLeft, AcDbText::kTextBase, 10, 4, 12, 5},
      {true, true, AcDbText::kTextLeft, AcDbText::kTextBase, 8, 4, 10, 5},
      // Right-aligned on (20, 0): [18, 20] mirrored is [20, 22].
      {true, false, AcDbText::kTextRight, AcDbText::kTextBase, 20, 0, 22, 1},
      // Top-aligned on (20, 0): y in [-1, 0], mirrored [0, 1].
      {false, true, AcDbText::kTextLeft, AcDbText::kTextTop, 20, 0, 22, 1},
      // Centred: mirrored onto itself.
      {true, true, AcDbText::kTextCenter, AcDbText::kTextBase, 19, -1, 21, 0},
  };
  for (const auto& c : cases) {
    AcDbText text;
    text.setTextString("AB");
    text.setPosition(AcGePoint3d(10, 5, 0));
    text.setAlignmentPoint(AcGePoint3d(20, 0, 0));
    text.setHorizontalMode(c.h);
    text.setVerticalMode(c.v);
    text.setMirroredInX(c.backward);
    text.setMirroredInY(c.upsideDown);
    SCOPED_TRACE(testing::Message() << "backward " << c.backward << ", upside down " << c.upsideDown
                                    << ", modes " << c.h << " " << c.v);
    AcDbExtents box;
    ASSERT_EQ(text.getGeomExtents(box), Acad::eOk);
    EXPECT_POINT(box.minPoint(), c.x0, c.y0, 0);
    EXPECT_POINT(box.maxPoint(), c.x1, c.y1, 0);
  }
}

// A definition is shown by its tag, whatever its default value; nothing at all
// to show has no box (a zero-width one would draw a line and widen the fit).
TEST(Geometry, attribute_definition_measures_its_tag_and_empty_text_has_no_box)
{
  AcDbAttributeDefinition def;
  def.setPosition(AcGePoint3d(1, 1, 0));
  def.setTag("WIDTH"); // five cells
  def.setTextString("");
  AcDbExtents box;
  ASSERT_EQ(def.getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.minPoint(), 1, 1, 0);
  EXPECT_POINT(box.maxPoint(), 6, 2, 0);
  def.setTextString("A LONG DEFAULT");
  ASSERT_EQ(def.getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.maxPoint(), 6, 2, 0); // the default value is not measured

  AcDbText empty;
  EXPECT_NE(empty.getGeomExtents(box), Acad::eOk);
}

TEST(Geometry, boxed_classes_shape_ole_frame_and_proxy)
{
  AcDbShape shape;
  shape.setPosition(AcGePoint3d(1, 1, 0));
  shape.setSize(2);
  AcDbExtents box;
  ASSERT_EQ(shape.getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.maxPoint(), 3, 3, 0);

  AcDbOle2Frame ole;
  EXPECT_NE(ole.getGeomExtents(box), Acad::eOk) << "no corners yet";
  ole.setCorners(AcGePoint3d(1, 5, 0), AcGePoint3d(4, 2, 0));
  ASSERT_EQ(ole.getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.minPoint(), 1, 2, 0);
  EXPECT_POINT(box.maxPoint(), 4, 5, 0);

  AcDbProxyEntity proxy;
  EXPECT_NE(proxy.getGeomExtents(box), Acad::eOk);
}

TEST(Geometry, image_frame_corners_in_world_coordinates_closed)
{
  AcDbRasterImage image;
  image.setOrientation(AcGePoint3d(10, 0, 0), AcGeVector3d(0.5, 0, 0), AcGeVector3d(0, 0.5, 0));
  image.setImageSize(AcGeVector2d(4, 2));
  AcGePoint3dArray points;
  ASSERT_EQ(image.getVertices(points), Acad::eOk);
  ASSERT_EQ(points.length(), 5);
  EXPECT_POINT(points[0], 10, 0, 0);
  EXPECT_POINT(points[1], 12, 0, 0);
  EXPECT_POINT(points[2], 12, 1, 0);
  EXPECT_POINT(points[3], 10, 1, 0);
  EXPECT_POINT(points[4], 10, 0, 0);

  // Clipped to the left half: pixel rectangle from (-0.5, -0.5) to (1.5, 1.5).
  image.setClipBoundary({AcGePoint2d(-0.5, -0.5), AcGePoint2d(1.5, 1.5)});
  image.setClipped(true);
  points.removeAll();
  image.getVertices(points);
  ASSERT_EQ(points.length(), 5);
  EXPECT_POINT(points[0], 10, 1, 0);
  EXPECT_POINT(points[2], 11, 0, 0);
}

TEST(Geometry, hatch_lines_fill_the_boundary_solid_fill_has_none)
{
  AcDbHatch hatch;
  HatchLoop square;
  square.isPolyline = true;
  square.vertices = {AcGePoint2d(0, 0), AcGePoint2d(10, 0), AcGePoint2d(10, 10),
                     AcGePoint2d(0, 10)};
  hatch.appendLoop(square);
  HatchPatternLine horizontal;
  horizontal.offset = AcGeVector2d(0, 1);
  hatch.setPatternDefinition({horizontal});
  hatch.setElevation(2);
  int n = hatch.numHatchLines();
  EXPECT_GE(n, 9);
  EXPECT_LE(n, 11);
  AcGePoint2d a, b;
  for (int i = 0; i < n; ++i) {
    ASSERT_EQ(hatch.getHatchLineDataAt(i, a, b), Acad::eOk);
    EXPECT_NEAR(a.y, b.y, 1e-9) << "line " << i << " is horizontal";
    EXPECT_NEAR(std::fabs(b.x - a.x), 10, 1e-6) << "line " << i << " spans the square";
  }
  EXPECT_EQ(hatch.getHatchLineDataAt(n, a, b), Acad::eInvalidIndex);
  hatch.setSolidFill(true);
  EXPECT_EQ(hatch.numHatchLines(), 0);
}
