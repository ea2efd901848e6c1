// Reading DXF of R12 and R2000 form: every entity kind into its class with the
// host's geometry, tables, blocks, spaces and text code pages.
#include "DxfText.h"

#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDb3dPolyline.h"
#include "arx/db/AcDbArc.h"
#include "arx/db/AcDbAttribute.h"
#include "arx/db/AcDbAttributeDefinition.h"
#include "arx/db/AcDbBlockReference.h"
#include "arx/db/AcDbCircle.h"
#include "arx/db/AcDbDimension.h"
#include "arx/db/AcDbEllipse.h"
#include "arx/db/AcDbFace.h"
#include "arx/db/AcDbFrame.h"
#include "arx/db/AcDbHatch.h"
#include "arx/db/AcDbLayerTable.h"
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
#include "arx/db/AcDbTable.h"
#include "arx/db/AcDbText.h"
#include "arx/db/AcDbTrace.h"
#include "arx/db/AcDbUnknownEntity.h"
#include "arx/db/AcDbViewport.h"
#include "arx/db/AcDbXline.h"
#include "arx/dxf/DxfTextCodec.h"

#include "arx/ExpectPoint.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {
const double kPi = 3.141592653589793;

// An R12 drawing: no handles, no block records; a block "CHAIR" and model space.
const char* const kR12 =
    "999|comments are passed over, at the top and anywhere else|"
    "0|SECTION|999|before the name|2|HEADER|9|$ACADVER|1|AC1009|0|ENDSEC|"
    "0|SECTION|2|TABLES|0|TABLE|2|LAYER|70|2|0|LAYER|2|WALLS|70|0|62|1|6|CONTINUOUS|"
    "0|LAYER|2|HIDDEN|70|1|62|-3|0|ENDTAB|0|ENDSEC|"
    "0|SECTION|2|BLOCKS|0|BLOCK|8|0|2|CHAIR|70|0|10|1|20|2|30|0|"
    "0|ARC|8|0|10|5|20|5|30|1|40|2|50|0|51|90|210|0|220|0|230|-1|"
    "0|POLYLINE|8|0|66|1|70|1|10|0|20|0|30|2|0|VERTEX|8|0|10|1|20|0|30|0|"
    "0|VERTEX|8|0|10|1|20|1|30|0|42|1|0|SEQEND|8|0|"
    "0|POLYLINE|8|0|66|1|70|8|0|VERTEX|8|0|10|1|20|2|30|3|70|32|0|SEQEND|"
    "0|SOLID|8|0|10|0|20|0|30|4|11|1|21|0|12|0|22|1|"
    "0|SOLID|8|0|10|1|20|2|30|3|11|0|21|0|12|0|22|1|13|4|23|5|210|1|220|0|230|0|"
    "0|3DFACE|8|0|10|0|20|0|30|0|11|1|21|0|31|0|12|1|22|1|32|0|13|0|23|1|33|0|70|5|"
    "0|ATTDEF|8|0|10|0|20|0|30|0|40|1|1|X|3|Name?|2|TAG|"
    "0|ENDBLK|8|0|0|ENDSEC|"
    "0|SECTION|2|ENTITIES|"
    "0|INSERT|8|WALLS|2|CHAIR|10|10|20|10|30|0|41|2|42|2|43|1|50|90|66|1|"
    "0|ATTRIB|8|0|10|0|20|0|30|0|40|1|1|V|2|TAG|0|SEQEND|"
    "0|INSERT|8|0|2|CHAIR|10|0|20|0|30|0|70|3|44|10|45|5|"
    "999|between two entities|"
    "0|LINE|8|WALLS|62|0|10|0|20|0|30|0|11|10|21|0|31|0|"
    "0|CIRCLE|8|WALLS|62|3|10|1|20|1|30|0|40|3|210|0|220|0|230|-1|"
    "0|POINT|8|HIDDEN|10|1|20|2|30|3|"
    "0|TEXT|8|0|10|1|20|1|30|0|40|2|1|AB|72|2|11|9|21|1|31|0|"
    "0|SHAPE|8|0|10|0|20|0|30|0|40|1|2|BOX|"
    "0|TRACE|8|0|10|0|20|0|30|2|11|1|21|0|12|0|22|1|13|2|23|3|210|0|220|1|230|0|"
    "0|ENDSEC|0|EOF";

// An R2000 drawing: block records and handles, lightweight polylines, hatches,
// images and the newer entities.
const char* const kR2000 =
    "0|SECTION|2|HEADER|9|$ACADVER|1|AC1015|9|$DWGCODEPAGE|3|ANSI_1252|0|ENDSEC|"
    "0|SECTION|2|CLASSES|0|CLASS|1|WIPEOUT|0|ENDSEC|"
    "0|SECTION|2|TABLES|0|TABLE|2|BLOCK_RECORD|5|1|70|4|"
    "0|BLOCK_RECORD|5|1F|100|AcDbSymbolTableRecord|2|*Model_Space|"
    "0|BLOCK_RECORD|2|*Paper_Space|0|BLOCK_RECORD|2|*T1|0|BLOCK_RECORD|2|Door|0|ENDTAB|"
    "0|TABLE|2|LAYER|0|LAYER|2|0|62|7|0|LAYER|2|Red|62|1|0|ENDTAB|0|ENDSEC|"
    "0|SECTION|2|BLOCKS|0|BLOCK|2|*Model_Space|10|0|20|0|30|0|0|ENDBLK|"
    "0|BLOCK|2|Door|10|0|20|0|30|0|"
    "0|LWPOLYLINE|8|Red|90|3|70|1|38|2|10|0|20|0|42|0.5|10|10|20|0|10|10|20|10|210|0|220|0|230|-1|"
    "0|HATCH|8|0|10|0|20|0|30|1.5|210|0|220|0|230|1|2|USER|70|0|71|0|91|1|"
    "92|2|72|0|73|1|93|4|10|0|20|0|10|10|20|0|10|10|20|10|10|0|20|10|97|0|"
    "75|0|76|0|52|0|41|1|77|0|78|1|53|0|43|0|44|0|45|0|46|1|79|0|98|1|10|5|20|5|"
    "0|ENDBLK|0|BLOCK|2|*T1|10|0|20|0|30|0|0|ENDBLK|0|ENDSEC|"
    "0|SECTION|2|ENTITIES|"
    "0|ELLIPSE|8|0|10|0|20|0|30|0|11|4|21|0|31|0|210|0|220|0|230|1|40|0.5|41|0|42|6."
    "283185307179586|"
    "0|SPLINE|8|0|70|8|71|3|10|0|20|0|30|0|10|1|20|1|30|0|11|5|21|5|31|0|11|6|21|6|31|0|11|7|21|7|"
    "31|0|"
    "0|LEADER|8|0|76|2|10|0|20|0|30|0|10|3|20|4|30|0|"
    "0|MLINE|8|0|10|0|20|0|30|0|71|3|72|3|11|0|21|0|31|0|12|1|22|0|32|0|11|10|21|0|31|0|"
    "11|10|21|5|31|0|"
    "0|IMAGE|8|0|10|0|20|0|30|0|11|0.5|21|0|31|0|12|0|22|0.5|32|0|13|4|23|2|280|0|71|1|91|2|"
    "14|-0.5|24|-0.5|14|1.5|24|1.5|"
    "0|WIPEOUT|8|0|10|1|20|1|30|0|11|4|21|0|31|0|12|0|22|2|32|0|13|1|23|1|71|2|91|3|"
    "14|-0.5|24|0.5|14|0.5|24|0.5|14|0.5|24|-0.5|"
    "0|OLE2FRAME|8|0|10|1|20|5|30|0|11|4|21|2|31|0|"
    "0|VIEWPORT|8|0|67|1|10|5|20|5|30|0|40|4|41|2|69|1|"
    "0|RAY|10|1|20|0|30|0|11|0|21|2|31|0|0|XLINE|10|0|20|0|30|0|11|3|21|0|31|0|"
    "0|ACAD_TABLE|8|0|2|*T1|10|1|20|1|30|0|0|MTEXT|10|0|20|0|30|0|3|ab|1|cd|"
    "0|DIMENSION|2|*D1|0|ACAD_PROXY_ENTITY|8|0|0|LIGHT|8|Red|62|5|"
    "0|ENDSEC|0|SECTION|2|OBJECTS|0|DICTIONARY|5|C|3|ACAD_GROUP|350|D|0|ENDSEC|0|EOF";

std::vector<std::string> blockNames(AcDbDatabase& db)
{
  std::vector<std::string> names;
  AcDbBlockTable* table = nullptr;
  db.getSymbolTable(table, AcDb::kForRead);
  AcDbBlockTableIterator* it = nullptr;
  table->newIterator(it);
  for (; !it->done(); it->step()) {
    AcDbBlockTableRecord* r = nullptr;
    it->getRecord(r, AcDb::kForRead);
    names.push_back(r->name());
    r->close();
  }
  delete it;
  table->close();
  return names;
}

} // namespace

class R12Drawing : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_EQ(readDxf(db, dxfText(kR12)), Acad::eOk) << db.readError(); }
  AcDbDatabase db{false};
};

TEST_F(R12Drawing, has_full_block_table_and_layers_without_block_records)
{
  EXPECT_EQ(blockNames(db), (std::vector<std::string>{"*Model_Space", "*Paper_Space", "CHAIR"}));
  EXPECT_STREQ(db.dxfVersion(), "AC1009");
  AcDbLayerTable* layers = nullptr;
  db.getSymbolTable(layers, AcDb::kForRead);
  AcDbLayerTableRecord* walls = nullptr;
  ASSERT_EQ(layers->getAt("WALLS", walls, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(walls->color().colorIndex(), 1);
  walls->close();
  AcDbLayerTableRecord* hidden = nullptr;
  ASSERT_EQ(layers->getAt("HIDDEN", hidden, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(hidden->color().colorIndex(), 3) << "a negative colour is a layer switched off";
  EXPECT_TRUE(hidden->isOff());
  EXPECT_TRUE(hidden->isFrozen());
  hidden->close();
  layers->close();
}

TEST_F(R12Drawing, block_entities_in_world_coordinates)
{
  AcDbBlockTable* table = nullptr;
  db.getSymbolTable(table, AcDb::kForRead);
  AcDbBlockTableRecord* chair = nullptr;
  ASSERT_EQ(table->getAt("chair", chair, AcDb::kForRead), Acad::eOk);
  EXPECT_POINT(chair->origin(), 1, 2, 0);
  chair->close();
  table->close();

  AcDbArc* arc = nthEntity<AcDbArc>(db, "CHAIR");
  ASSERT_NE(arc, nullptr);
  EXPECT_POINT(arc->center(), -5, 5, -1); // OCS of normal (0, 0, -1): x and z turn over
  EXPECT_NEAR(arc->startAngle(), 0, 1e-12) << "angles stay as stored";
  EXPECT_NEAR(arc->endAngle(), kPi / 2, 1e-12);
  EXPECT_EQ(arc->colorIndex(), 256) << "no colour given is BYLAYER";

  AcDb2dPolyline* pl = nthEntity<AcDb2dPolyline>(db, "CHAIR");
  ASSERT_NE(pl, nullptr);
  EXPECT_TRUE(pl->isClosed());
  EXPECT_EQ(pl->elevation(), 2);
  std::vector<AcGePoint3d> points;
  AcDbObjectIterator* it = pl->vertexIterator();
  for (it->start(); !it->done(); it->step()) {
    AcDb2dVertex* v = nullptr;
    ASSERT_EQ(pl->openVertex(v, it->objectId(), AcDb::kForRead), Acad::eOk);
    points.push_back(pl->vertexPosition(*v));
    if (points.size() == 2) {
      EXPECT_EQ(v->bulge(), 1);
    }
    v->close();
  }
  delete it;
  ASSERT_EQ(points.size(), 2u);
  EXPECT_POINT(points[1], 1, 1, 2);

  AcDb3dPolyline* p3 = nthEntity<AcDb3dPolyline>(db, "CHAIR");
  ASSERT_NE(p3, nullptr);
  it = p3->vertexIterator();
  it->start();
  AcDb3dPolylineVertex* v3 = nullptr;
  ASSERT_EQ(p3->openVertex(v3, it->objectId(), AcDb::kForRead), Acad::eOk);
  EXPECT_POINT(v3->position(), 1, 2, 3);
  v3->close();
  delete it;

  AcDbSolid* solid = nthEntity<AcDbSolid>(db, "CHAIR");
  ASSERT_NE(solid, nullptr);
  AcGePoint3d corner;
  solid->getPointAt(3, corner);
  EXPECT_POINT(corner, 0, 1, 4); // no fourth corner: the third again, at the elevation
  // Normal (1, 0, 0): the arbitrary axis rule gives object x = world y, object y =
  // world z, so object (x, y, elevation) is world (elevation, x, y).
  solid = nthEntity<AcDbSolid>(db, "CHAIR", 1);
  ASSERT_NE(solid, nullptr);
  solid->getPointAt(0, corner);
  EXPECT_POINT(corner, 3, 1, 2);
  solid->getPointAt(2, corner);
  EXPECT_POINT(corner, 3, 0, 1);
  solid->getPointAt(3, corner);
  EXPECT_POINT(corner, 3, 4, 5); // the fourth corner as given

  AcDbFace* face = nthEntity<AcDbFace>(db, "CHAIR");
  ASSERT_NE(face, nullptr);
  bool visible[4];
  for (Adesk::UInt16 i = 0; i < 4; ++i)
    face->isEdgeVisibleAt(i, visible[i]);
  EXPECT_FALSE(visible[0]);
  EXPECT_TRUE(visible[1]);
  EXPECT_FALSE(visible[2]);
  EXPECT_TRUE(visible[3]);

  AcDbText* attdef = nthEntity<AcDbText>(db, "CHAIR");
  ASSERT_NE(attdef, nullptr);
  EXPECT_NE(AcDbAttributeDefinition::cast(attdef), nullptr) << "attribute definitions are texts";
}

TEST_F(R12Drawing, model_space_entities_and_references)
{
  AcDbBlockReference* ref = nthEntity<AcDbBlockReference>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(ref, nullptr);
  EXPECT_EQ(AcDbMInsertBlock::cast(ref), nullptr) << "no counts: a plain reference";
  AcGePoint3d p(2, 2, 0); // one unit right of the base point (1, 2)
  p.transformBy(ref->blockTransform());
  EXPECT_POINT(p, 10, 12, 0);
  AcDbMInsertBlock* grid = nthEntity<AcDbMInsertBlock>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->columns(), 3);
  EXPECT_EQ(grid->rows(), 1) << "an omitted count is 1";
  EXPECT_EQ(grid->columnSpacing(), 10);
  EXPECT_EQ(grid->blockTableRecord(), ref->blockTableRecord());

  AcDbLine* line = nthEntity<AcDbLine>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->colorIndex(), 0) << "BYBLOCK as stored";
  char* layer = line->layer();
  EXPECT_STREQ(layer, "WALLS");
  std::free(layer);

  AcDbCircle* circle = nthEntity<AcDbCircle>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(circle, nullptr);
  EXPECT_POINT(circle->center(), -1, 1, 0);
  EXPECT_EQ(circle->colorIndex(), 3);

  AcDbText* text = nthEntity<AcDbText>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(text, nullptr);
  AcDbExtents box;
  ASSERT_EQ(text->getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.minPoint(), 5, 1, 0); // right-aligned at (9, 1): two cells of 2
  EXPECT_POINT(box.maxPoint(), 9, 3, 0);

  EXPECT_NE(nthEntity<AcDbPoint>(db, ACDB_MODEL_SPACE), nullptr);
  EXPECT_NE(nthEntity<AcDbShape>(db, ACDB_MODEL_SPACE), nullptr);
  // Normal (0, 1, 0): object x = world -x, object y = world z, so object
  // (x, y, elevation) is world (-x, elevation, y).
  AcDbTrace* trace = nthEntity<AcDbTrace>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(trace, nullptr);
  AcGePoint3d corner;
  trace->getPointAt(1, corner);
  EXPECT_POINT(corner, -1, 2, 0);
  trace->getPointAt(3, corner);
  EXPECT_POINT(corner, -2, 2, 3); // the fourth corner as given
  EXPECT_EQ(nthEntity<AcDbAttribute>(db, ACDB_MODEL_SPACE), nullptr)
      << "attributes belong to their reference, not to the space";
}

class R2000Drawing : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_EQ(readDxf(db, dxfText(kR2000, "\r\n")), Acad::eOk) << db.readError();
  }
  AcDbDatabase db{false};
};

TEST_F(R2000Drawing, block_records_keep_table_order)
{
  EXPECT_EQ(blockNames(db),
            (std::vector<std::string>{"*Model_Space", "*Paper_Space", "*T1", "Door"}));
}

TEST_F(R2000Drawing, lightweight_polyline_and_hatch_in_a_block)
{
  AcDbPolyline* pl = nthEntity<AcDbPolyline>(db, "Door");
  ASSERT_NE(pl, nullptr);
  ASSERT_EQ(pl->numVerts(), 3u);
  EXPECT_TRUE(pl->isClosed());
  AcGePoint3d p;
  pl->getPointAt(1, p);
  EXPECT_POINT(p, -10, 0, -2);
  double bulge = 0;
  pl->getBulgeAt(0, bulge);
  EXPECT_EQ(bulge, 0.5);
  pl->getBulgeAt(2, bulge);
  EXPECT_EQ(bulge, 0) << "a vertex without 42 has no bulge";

  AcDbHatch* hatch = nthEntity<AcDbHatch>(db, "Door");
  ASSERT_NE(hatch, nullptr);
  EXPECT_EQ(hatch->elevation(), 1.5);
  EXPECT_EQ(hatch->numLoops(), 1);
  int n = hatch->numHatchLines();
  EXPECT_GE(n, 9) << "horizontal lines one unit apart across a 10 x 10 square";
  AcGePoint2d a, b;
  ASSERT_EQ(hatch->getHatchLineDataAt(0, a, b), Acad::eOk);
  EXPECT_NEAR(a.y, b.y, 1e-9);
}

TEST_F(R2000Drawing, newer_entities_into_their_classes)
{
  AcDbEllipse* ellipse = nthEntity<AcDbEllipse>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(ellipse, nullptr);
  AcDbExtents box;
  ASSERT_EQ(ellipse->getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.minPoint(), -4, -2, 0);
  EXPECT_POINT(box.maxPoint(), 4, 2, 0);

  AcDbSpline* spline = nthEntity<AcDbSpline>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(spline, nullptr);
  EXPECT_TRUE(spline->hasFitData());
  EXPECT_EQ(spline->numFitPoints(), 3);
  EXPECT_EQ(spline->numControlPoints(), 2);
  AcGePoint3d p;
  spline->getFitPointAt(2, p);
  EXPECT_POINT(p, 7, 7, 0);

  AcDbLeader* leader = nthEntity<AcDbLeader>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(leader, nullptr);
  ASSERT_EQ(leader->numVertices(), 2);
  EXPECT_POINT(leader->vertexAt(1), 3, 4, 0);

  AcDbMline* mline = nthEntity<AcDbMline>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(mline, nullptr);
  EXPECT_TRUE(mline->closedMline());
  ASSERT_EQ(mline->numVertices(), 3);
  EXPECT_POINT(mline->vertexAt(2), 10, 5, 0);

  AcDbRay* ray = nthEntity<AcDbRay>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(ray, nullptr);
  EXPECT_EQ(ray->unitDir(), AcGeVector3d(0, 1, 0)) << "the direction is unitised";
  EXPECT_NE(nthEntity<AcDbXline>(db, ACDB_MODEL_SPACE), nullptr);

  AcDbTable* table = nthEntity<AcDbTable>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(table, nullptr);
  EXPECT_FALSE(table->blockTableRecord().isNull()) << "drawn through its anonymous block";

  AcDbMText* mtext = nthEntity<AcDbMText>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(mtext, nullptr);
  EXPECT_STREQ(mtext->contents(), "abcd");
  EXPECT_NE(nthEntity<AcDbDimension>(db, ACDB_MODEL_SPACE), nullptr);
  EXPECT_NE(nthEntity<AcDbProxyEntity>(db, ACDB_MODEL_SPACE), nullptr);

  AcDbUnknownEntity* light = nthEntity<AcDbUnknownEntity>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(light, nullptr);
  EXPECT_STREQ(light->dxfName(), "LIGHT");
  EXPECT_STREQ(light->layerName(), "Red");
  EXPECT_EQ(light->colorIndex(), 5);
  EXPECT_FALSE(light->isKindOf(AcDbCurve::desc()));
}

TEST_F(R2000Drawing, image_and_wipeout_frames_and_paper_space)
{
  AcDbRasterImage* image = nthEntity<AcDbRasterImage>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(AcDbWipeout::cast(image), nullptr);
  AcGePoint3dArray points;
  image->getVertices(points);
  ASSERT_EQ(points.length(), 5) << "280 = 0: clipping off, the whole image";
  EXPECT_POINT(points[2], 2, 1, 0);

  AcDbWipeout* wipeout = nthEntity<AcDbWipeout>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(wipeout, nullptr);
  points.removeAll();
  wipeout->getVertices(points);
  ASSERT_EQ(points.length(), 4) << "a triangle, closed";
  EXPECT_POINT(points[0], 1, 1, 0);
  EXPECT_POINT(points[1], 5, 1, 0);
  EXPECT_POINT(points[2], 5, 3, 0);
  EXPECT_POINT(points[3], 1, 1, 0);

  AcDbOle2Frame* ole = nthEntity<AcDbOle2Frame>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(ole, nullptr);
  AcDbExtents box;
  ASSERT_EQ(ole->getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.minPoint(), 1, 2, 0);

  EXPECT_EQ(nthEntity<AcDbViewport>(db, ACDB_MODEL_SPACE), nullptr);
  AcDbViewport* viewport = nthEntity<AcDbViewport>(db, ACDB_PAPER_SPACE);
  ASSERT_NE(viewport, nullptr) << "67 = 1 puts it in paper space";
  EXPECT_EQ(viewport->width(), 4);
  EXPECT_EQ(viewport->height(), 2);
}

TEST(DxfText, code_pages_utf8_and_escapes_reach_the_narrow_code_page)
{
  // Latin-1 "é" in an R12 file of code page 1252; UTF-8 in an R2018 file, with an
  // escape; a Korean character, which code page 1252 cannot show, becomes "\U+D55C".
  AcDbDatabase r12(false);
  ASSERT_EQ(readDxf(r12, dxfText("0|SECTION|2|HEADER|9|$DWGCODEPAGE|3|ANSI_1252|0|ENDSEC|"
                                 "0|SECTION|2|ENTITIES|0|TEXT|1|Caf\xE9|0|ENDSEC|0|EOF")),
            Acad::eOk);
  AcDbText* text = nthEntity<AcDbText>(r12, ACDB_MODEL_SPACE);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text->textStringConst(), "Caf\xE9");

  AcDbDatabase r2018(false);
  ASSERT_EQ(
      readDxf(r2018, dxfText("0|SECTION|2|HEADER|9|$ACADVER|1|AC1032|0|ENDSEC|"
                             "0|SECTION|2|ENTITIES|0|TEXT|1|Caf\xC3\xA9 \\U+00E9 \xED\x95\x9C|"
                             "0|ENDSEC|0|EOF")),
      Acad::eOk);
  text = nthEntity<AcDbText>(r2018, ACDB_MODEL_SPACE);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text->textStringConst(), "Caf\xE9 \xE9 \\U+D55C");
}

// What code page 1252 cannot show becomes "\U+XXXX" (hex upper case, each half of a
// surrogate pair alone), never '?' nor a look-alike: L with stroke would fit as "L",
// z with acute as "z". Expected bytes are the characters' code points written out.
TEST(DxfText, characters_the_code_page_lacks_become_escapes_and_names_stay_distinct)
{
  if (dxfTextCodec().ansiCodePage() != 1252)
    GTEST_SKIP() << "expectations written for ANSI code page 1252";
  AcDbDatabase db(false);
  ASSERT_EQ(
      readDxf(db, dxfText("0|SECTION|2|HEADER|9|$ACADVER|1|AC1032|0|ENDSEC|"
                          "0|SECTION|2|BLOCKS|"
                          "0|BLOCK|2|\xE6\xB8\xA9|10|0|20|0|30|0|0|ENDBLK|" // U+6E29
                          "0|BLOCK|2|\xE5\xB1\x82|10|0|20|0|30|0|0|ENDBLK|" // U+5C42
                          "0|BLOCK|2|\xC5\x81\xC3\xB3"
                          "d\xC5\xBA|10|0|20|0|30|0|"                            // Łódź
                          "0|ENDBLK|0|BLOCK|2|x\xF0\x9F\x98\x80|10|0|20|0|30|0|" // U+1F600
                          "0|ENDBLK|0|ENDSEC|"
                          "0|SECTION|2|ENTITIES|0|TEXT|8|\xE5\xB1\x82|1|\xE2\x82\xAC\xE2\x80\x94|"
                          "0|ENDSEC|0|EOF")),
      Acad::eOk)
      << db.readError();
  EXPECT_EQ(blockNames(db),
            (std::vector<std::string>{"*Model_Space", "*Paper_Space", "\\U+6E29", "\\U+5C42",
                                      "\\U+0141\xF3"
                                      "d\\U+017A",
                                      "x\\U+D83D\\U+DE00"}));
  AcDbText* text = nthEntity<AcDbText>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text->layerName(), "\\U+5C42") << "the layer name is converted as names are";
  EXPECT_STREQ(text->textStringConst(), "\x80\x97") << "euro sign and em dash are in 1252";
}

// An escape in the file is resolved before the conversion: a character the code page
// holds shows as itself, one it lacks comes back as the same escape (any case of hex).
TEST(DxfText, escapes_in_the_file_are_decoded_first)
{
  if (dxfTextCodec().ansiCodePage() != 1252)
    GTEST_SKIP() << "expectations written for ANSI code page 1252";
  AcDbDatabase db(false);
  ASSERT_EQ(readDxf(db, dxfText("0|SECTION|2|HEADER|9|$ACADVER|1|AC1015|9|$DWGCODEPAGE|3|ANSI_1252|"
                                "0|ENDSEC|0|SECTION|2|BLOCKS|"
                                "0|BLOCK|2|\\U+4FDD\\u+6eab|10|0|20|0|30|0|0|ENDBLK|"
                                "0|BLOCK|2|Caf\\U+00E9|10|0|20|0|30|0|0|ENDBLK|0|ENDSEC|0|EOF")),
            Acad::eOk)
      << db.readError();
  EXPECT_EQ(blockNames(db), (std::vector<std::string>{"*Model_Space", "*Paper_Space",
                                                      "\\U+4FDD\\U+6EAB", "Caf\xE9"}));
}

// Layers by name in table order, each as "NAME colour on|off".
std::vector<std::string> layerStates(AcDbDatabase& db)
{
  std::vector<std::string> states;
  AcDbLayerTable* table = nullptr;
  db.getSymbolTable(table, AcDb::kForRead);
  AcDbLayerTableIterator* it = nullptr;
  table->newIterator(it);
  for (; !it->done(); it->step()) {
    AcDbLayerTableRecord* r = nullptr;
    it->getRecord(r, AcDb::kForRead);
    states.push_back(std::string(r->name()) + " " + std::to_string(r->color().colorIndex()) +
                     (r->isOff() ? " off" : " on"));
    r->close();
  }
  delete it;
  table->close();
  return states;
}

TEST(DxfTables, an_entity_on_a_layer_the_table_lacks_makes_that_layer_colour_7_and_on)
{
  AcDbDatabase db(false);
  ASSERT_EQ(readDxf(db, dxfText("0|SECTION|2|TABLES|0|TABLE|2|LAYER|70|1|"
                                "0|LAYER|2|WALLS|70|0|62|-1|0|ENDTAB|0|ENDSEC|"
                                "0|SECTION|2|BLOCKS|0|BLOCK|2|B|10|0|20|0|30|0|"
                                "0|LINE|8|GHOST|10|0|20|0|30|0|11|1|21|0|31|0|"
                                "0|LINE|8|walls|10|0|20|0|30|0|11|1|21|0|31|0|0|ENDBLK|0|ENDSEC|"
                                "0|SECTION|2|ENTITIES|0|CIRCLE|10|0|20|0|30|0|40|1|"
                                "0|POINT|8|Ghost|10|0|20|0|30|0|0|POINT|8|Dim|10|0|20|0|30|0|"
                                "0|ENDSEC|0|EOF")),
            Acad::eOk)
      << db.readError();
  // "walls" and "Ghost" are the layers WALLS and GHOST (names ignore case); a circle
  // without group 8 is on layer 0.
  EXPECT_EQ(layerStates(db),
            (std::vector<std::string>{"0 7 on", "WALLS 1 off", "GHOST 7 on", "Dim 7 on"}));
}

// Entities switching between layers at every entity (the reader remembers the layers
// it has seen by the file's bytes): each keeps its own, the same name is one interned
// string, an empty group 8 is layer 0, the entities of a block passed over make no
// layer, and after a second HEADER makes the text UTF-8 the same bytes name
// another layer.
TEST(DxfTables, entities_switching_layers_keep_each_its_own)
{
  if (dxfTextCodec().ansiCodePage() != 1252)
    GTEST_SKIP() << "expectations written for ANSI code page 1252";
  AcDbDatabase db(false);
  ASSERT_EQ(readDxf(db, dxfText("0|SECTION|2|HEADER|9|$DWGCODEPAGE|3|ANSI_1252|0|ENDSEC|"
                                "0|SECTION|2|BLOCKS|0|BLOCK|10|0|20|0|30|0|"
                                "0|POINT|8|UNSEEN|10|0|20|0|30|0|0|ENDBLK|0|ENDSEC|"
                                "0|SECTION|2|ENTITIES|"
                                "0|POINT|8|A|10|1|20|0|30|0|0|POINT|8|B|10|2|20|0|30|0|"
                                "0|POINT|8|A|10|3|20|0|30|0|0|POINT|8||10|4|20|0|30|0|"
                                "0|POINT|8|B|8|\xC3\x84|10|5|20|0|30|0|0|POINT|8|a|10|6|20|0|30|0|"
                                "0|ENDSEC|"
                                "0|SECTION|2|HEADER|9|$ACADVER|1|AC1032|0|ENDSEC|"
                                "0|SECTION|2|ENTITIES|0|POINT|8|\xC3\x84|10|7|20|0|30|0|"
                                "0|POINT|8|A|10|8|20|0|30|0|0|ENDSEC|0|EOF")),
            Acad::eOk)
      << db.readError();
  const char* expected[] = {"A", "B", "A", "0", "\xC3\x84", "a", "\xC4", "A"};
  const char* first[8] = {};
  for (int i = 0; i < 8; ++i) {
    AcDbPoint* point = nthEntity<AcDbPoint>(db, ACDB_MODEL_SPACE, i);
    ASSERT_NE(point, nullptr) << i;
    EXPECT_EQ(point->position().x, i + 1) << "entities in file order";
    EXPECT_STREQ(point->layerName(), expected[i]) << i;
    first[i] = point->layerName();
  }
  EXPECT_EQ(first[0], first[2]) << "one interned name";
  EXPECT_EQ(first[0], first[7]);
  // "a" is the layer A (names ignore case); the bytes C3 84 are two characters in
  // code page 1252 and one (A with diaeresis, C4 in 1252) in UTF-8.
  EXPECT_EQ(layerStates(db),
            (std::vector<std::string>{"0 7 on", "A 7 on", "B 7 on", "\xC3\x84 7 on", "\xC4 7 on"}));
}

// Some writers store ellipses with an axis ratio above 1. Worked out by hand
// for axis (0, 2, 0), ratio 2, normal z: the other axis is 2 (z x (0, 2, 0)) =
// (-4, 0, 0), the longer one, so the ellipse is 8 wide and 4 tall. Its stored
// parameters 0 to pi/2 run from (0, 2) to (-4, 0) through the second quadrant;
// read as major (-4, 0, 0), ratio 0.5, the same points are at 3 pi/2 and 2 pi.
// Generation flags 2 (backward) and 4 (upside down) of TEXT and ATTDEF.
TEST(DxfEntities, ellipse_with_ratio_above_one_and_text_generation_flags)
{
  AcDbDatabase db(false);
  ASSERT_EQ(
      readDxf(db, dxfText("0|SECTION|2|ENTITIES|"
                          "0|ELLIPSE|10|0|20|0|30|0|11|0|21|2|31|0|40|2|41|0|42|6.283185307179586|"
                          "0|ELLIPSE|10|0|20|0|30|0|11|0|21|2|31|0|40|2|41|0|42|1.5707963267948966|"
                          "0|TEXT|10|1|20|2|30|0|40|1|1|AB|71|6|"
                          "0|ATTDEF|10|1|20|2|30|0|40|1|1|X|2|TAG|3|P|70|0|71|2|"
                          "0|ENDSEC|0|EOF")),
      Acad::eOk)
      << db.readError();
  AcDbEllipse* whole = nthEntity<AcDbEllipse>(db, ACDB_MODEL_SPACE, 0);
  AcDbEllipse* quarter = nthEntity<AcDbEllipse>(db, ACDB_MODEL_SPACE, 1);
  ASSERT_NE(whole, nullptr);
  ASSERT_NE(quarter, nullptr);
  EXPECT_EQ(whole->radiusRatio(), 0.5);
  EXPECT_POINT(AcGePoint3d::kOrigin + whole->majorAxis(), -4, 0, 0);
  AcDbExtents box;
  ASSERT_EQ(whole->getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.minPoint(), -4, -2, 0);
  EXPECT_POINT(box.maxPoint(), 4, 2, 0);
  EXPECT_NEAR(quarter->startParam(), 3 * kPi / 2, 1e-12);
  EXPECT_NEAR(quarter->endParam(), 2 * kPi, 1e-12);
  ASSERT_EQ(quarter->getGeomExtents(box), Acad::eOk);
  EXPECT_POINT(box.minPoint(), -4, 0, 0);
  EXPECT_POINT(box.maxPoint(), 0, 2, 0);

  AcDbText* text = nthEntity<AcDbText>(db, ACDB_MODEL_SPACE);
  AcDbAttributeDefinition* def = nthEntity<AcDbAttributeDefinition>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(text, nullptr);
  ASSERT_NE(def, nullptr);
  EXPECT_TRUE(text->isMirroredInX());
  EXPECT_TRUE(text->isMirroredInY());
  EXPECT_TRUE(def->isMirroredInX());
  EXPECT_FALSE(def->isMirroredInY());
}

TEST(DxfRecovery, a_header_closed_early_skips_the_orphan_variables_and_reads_every_block)
{
  // The HEADER's first ENDSEC is stray: variables follow it, then the real ENDSEC.
  AcDbDatabase db(false);
  ASSERT_EQ(readDxf(db, dxfText("0|SECTION|2|HEADER|9|$ACADVER|1|AC1009|9|$HANDSEED|5|FFFF|"
                                "0|ENDSEC|9|$DIMASZ|40|2.5|9|$INSUNITS|70|4|0|ENDSEC|"
                                "0|SECTION|2|BLOCKS|0|BLOCK|2|B1|10|0|20|0|30|0|0|ENDBLK|"
                                "0|BLOCK|2|B2|10|0|20|0|30|0|0|ENDBLK|0|ENDSEC|"
                                "0|SECTION|2|ENTITIES|0|LINE|10|0|20|0|30|0|11|1|21|1|31|0|"
                                "0|ENDSEC|0|EOF")),
            Acad::eOk)
      << db.readError();
  EXPECT_EQ(blockNames(db), (std::vector<std::string>{"*Model_Space", "*Paper_Space", "B1", "B2"}));
  EXPECT_STREQ(db.dxfVersion(), "AC1009");
  EXPECT_NE(nthEntity<AcDbLine>(db, ACDB_MODEL_SPACE), nullptr);

  // Orphans straight before the next section (no second ENDSEC) are passed over too;
  // a file that ends among them is still a truncated file.
  AcDbDatabase single(false);
  ASSERT_EQ(readDxf(single, dxfText("0|SECTION|2|HEADER|0|ENDSEC|9|$DIMASZ|40|2.5|"
                                    "0|SECTION|2|BLOCKS|0|BLOCK|2|B1|10|0|20|0|30|0|0|ENDBLK|"
                                    "0|ENDSEC|0|EOF")),
            Acad::eOk)
      << single.readError();
  EXPECT_EQ(blockNames(single), (std::vector<std::string>{"*Model_Space", "*Paper_Space", "B1"}));
  AcDbDatabase cut(false);
  EXPECT_NE(readDxf(cut, dxfText("0|SECTION|2|HEADER|0|ENDSEC|9|$DIMASZ|40|2.5")), Acad::eOk);
  EXPECT_NE(std::string(cut.readError()).find("after the HEADER section"), std::string::npos)
      << cut.readError();
}

TEST(DxfText, names_are_utf8_from_r2007_on_whatever_the_code_page_says)
{
  // The bytes C3 A9 are UTF-8 for one character (e acute), or two of code page 1252.
  for (const char* version : {"AC1018", "AC1021"}) {
    AcDbDatabase db(false);
    ASSERT_EQ(readDxf(db, dxfText(std::string("0|SECTION|2|HEADER|9|$ACADVER|1|") + version +
                                  "|9|$DWGCODEPAGE|3|ANSI_1252|0|ENDSEC|0|SECTION|2|BLOCKS|"
                                  "0|BLOCK|2|Caf\xC3\xA9|10|0|20|0|30|0|0|ENDBLK|0|ENDSEC|0|EOF")),
              Acad::eOk)
        << db.readError();
    const char* expected = std::string(version) == "AC1021" ? "Caf\xE9" : "Caf\xC3\xA9";
    EXPECT_EQ(blockNames(db), (std::vector<std::string>{"*Model_Space", "*Paper_Space", expected}))
        << version;
  }
}

TEST(DxfBlocks, references_resolve_to_blocks_defined_later_and_r12_space_names)
{
  AcDbDatabase db(false);
  ASSERT_EQ(readDxf(db, dxfText("0|SECTION|2|BLOCKS|"
                                "0|BLOCK|2|OUTER|10|0|20|0|30|0|0|INSERT|2|INNER|10|1|20|0|30|0|"
                                "0|INSERT|2|MISSING|10|0|20|0|30|0|0|ENDBLK|"
                                "0|BLOCK|2|INNER|10|0|20|0|30|0|0|ENDBLK|"
                                "0|BLOCK|2|$MODEL_SPACE|10|0|20|0|30|0|0|ENDBLK|0|ENDSEC|0|EOF")),
            Acad::eOk)
      << db.readError();
  EXPECT_EQ(blockNames(db),
            (std::vector<std::string>{"*Model_Space", "*Paper_Space", "OUTER", "INNER"}))
      << "no record for a block that is never defined, none for $MODEL_SPACE";
  AcDbBlockReference* inner = nthEntity<AcDbBlockReference>(db, "OUTER", 0);
  ASSERT_NE(inner, nullptr);
  AcDbBlockTableRecord* record = nullptr;
  ASSERT_EQ(acdbOpenObject(record, inner->blockTableRecord(), AcDb::kForRead), Acad::eOk);
  EXPECT_STREQ(record->name(), "INNER");
  record->close();
  AcDbBlockReference* missing = nthEntity<AcDbBlockReference>(db, "OUTER", 1);
  ASSERT_NE(missing, nullptr);
  EXPECT_TRUE(missing->blockTableRecord().isNull());
}

TEST(DxfBlocks, hatch_with_edge_boundary_and_dashed_pattern)
{
  // A 4 x 4 square of line edges; 45-degree lines with a dash and a gap.
  AcDbDatabase db(false);
  ASSERT_EQ(readDxf(db, dxfText("0|SECTION|2|ENTITIES|0|HATCH|10|0|20|0|30|0|2|ANSI31|70|0|71|0|"
                                "91|1|92|1|93|4|72|1|10|0|20|0|11|4|21|0|72|1|10|4|20|0|11|4|21|4|"
                                "72|1|10|4|20|4|11|0|21|4|72|1|10|0|20|4|11|0|21|0|97|0|"
                                "75|0|76|1|52|0|41|1|77|0|78|1|53|45|43|0|44|0|45|-0.5|46|0.5|"
                                "79|2|49|0.5|49|-0.25|98|0|0|ENDSEC|0|EOF")),
            Acad::eOk)
      << db.readError();
  AcDbHatch* hatch = nthEntity<AcDbHatch>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(hatch, nullptr);
  EXPECT_FALSE(hatch->isSolidFill());
  int n = hatch->numHatchLines();
  ASSERT_GT(n, 10);
  AcGePoint2d a, b;
  for (int i = 0; i < n; ++i) {
    hatch->getHatchLineDataAt(i, a, b);
    EXPECT_NEAR(b.y - a.y, b.x - a.x, 1e-6) << "line " << i << " runs at 45 degrees";
    EXPECT_LE(std::hypot(b.x - a.x, b.y - a.y), 0.5 + 1e-6) << "line " << i << " is one dash";
    EXPECT_TRUE(a.x >= -1e-6 && a.x <= 4 + 1e-6 && a.y >= -1e-6 && a.y <= 4 + 1e-6)
        << "line " << i << " starts inside the square";
  }
}

TEST(DxfBlocks, hatch_with_a_clockwise_elliptic_edge)
{
  // The ellipse x = 2 cos t, y = sin t from 90 to 180 with 73 = 0 (clockwise): its
  // parameters are mirrored, the quarter from (0, -1) to (-2, 0), closed through
  // the centre. Horizontal lines 0.4 apart at y = -0.4 and -0.8, from x =
  // -2 sqrt(1 - y^2) to 0.
  AcDbDatabase db(false);
  ASSERT_EQ(readDxf(db, dxfText("0|SECTION|2|ENTITIES|0|HATCH|10|0|20|0|30|0|2|USER|70|0|71|0|"
                                "91|1|92|1|93|3|72|3|10|0|20|0|11|2|21|0|40|0.5|50|90|51|180|73|0|"
                                "72|1|10|-2|20|0|11|0|21|0|72|1|10|0|20|0|11|0|21|-1|97|0|"
                                "75|0|76|1|52|0|41|1|77|0|78|1|53|0|43|0|44|0|45|0|46|0.4|"
                                "79|0|98|0|0|ENDSEC|0|EOF")),
            Acad::eOk)
      << db.readError();
  AcDbHatch* hatch = nthEntity<AcDbHatch>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(hatch, nullptr);
  std::vector<double> heights;
  AcGePoint2d a, b;
  for (int i = 0; i < hatch->numHatchLines(); ++i) {
    hatch->getHatchLineDataAt(i, a, b);
    if (std::fabs(a.y) < 1e-9)
      continue; // the line along the edge y = 0
    heights.push_back(a.y);
    EXPECT_NEAR(std::min(a.x, b.x), -2 * std::sqrt(1 - a.y * a.y), 0.01) << "y " << a.y;
    EXPECT_NEAR(std::max(a.x, b.x), 0, 1e-9) << "y " << a.y;
  }
  std::sort(heights.begin(), heights.end());
  ASSERT_EQ(heights.size(), 2u);
  EXPECT_NEAR(heights[0], -0.8, 1e-9);
  EXPECT_NEAR(heights[1], -0.4, 1e-9);
}

TEST(DxfText, code_page_the_codec_does_not_know_shows_question_marks)
{
  AcDbDatabase db(false);
  ASSERT_EQ(readDxf(db, dxfText("0|SECTION|2|HEADER|9|$DWGCODEPAGE|3|ANSI_99999|0|ENDSEC|"
                                "0|SECTION|2|ENTITIES|0|TEXT|1|A\xB0|0|ENDSEC|0|EOF")),
            Acad::eOk);
  AcDbText* text = nthEntity<AcDbText>(db, ACDB_MODEL_SPACE);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text->textStringConst(), "A?");
}
