// True colours (group 420, 0xRRGGBB) on entities and layers: the RGB is kept and the
// colour index is its nearest (worked out by hand against the standard palette);
// the 420 wins over a 62 beside it, before or after it.
#include "DxfText.h"

#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDbCircle.h"
#include "arx/db/AcDbLayerTable.h"
#include "arx/db/AcDbLine.h"
#include "arx/db/AcDbPoint.h"

#include <gtest/gtest.h>

namespace {
// 13109770 = 0xC80A0A (200,10,10: nearest 12); 0 = black (nearest 18, first of
// 18, 98 and 178); 10834514 = 0xA55252 (13 itself); 8487297 = 0x818181 (129 grey:
// 8 and 253 tie, 8); 16711680 = 0xFF0000 (1, not 10).
const char* const kDrawing =
    "0|SECTION|2|HEADER|9|$ACADVER|1|AC1018|0|ENDSEC|"
    "0|SECTION|2|TABLES|0|TABLE|2|LAYER|0|LAYER|2|TINTED|70|0|62|5|420|10834514|"
    "0|LAYER|2|PLAIN|70|0|62|-4|0|ENDTAB|0|ENDSEC|"
    "0|SECTION|2|ENTITIES|"
    "0|LINE|8|0|62|1|420|13109770|10|0|20|0|30|0|11|1|21|0|31|0|"
    "0|LINE|8|0|420|13109770|62|1|10|0|20|0|30|0|11|1|21|0|31|0|"
    "0|LINE|8|0|420|0|10|0|20|0|30|0|11|1|21|0|31|0|"
    "0|LINE|8|0|62|4|10|0|20|0|30|0|11|1|21|0|31|0|"
    "0|CIRCLE|8|0|420|10834514|10|0|20|0|30|0|40|1|"
    "0|POINT|8|0|420|8487297|10|0|20|0|30|0|"
    "0|POINT|8|0|62|256|420|16711680|10|0|20|0|30|0|"
    "0|POLYLINE|8|0|66|1|70|0|10|0|20|0|30|0|"
    "0|VERTEX|8|0|420|0|10|1|20|0|30|0|0|VERTEX|8|0|62|2|10|2|20|0|30|0|0|SEQEND|"
    "0|ENDSEC|0|EOF";

class TrueColour : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_EQ(readDxf(m_db, dxfText(kDrawing)), Acad::eOk); }
  AcDbDatabase m_db{false};
};

TEST_F(TrueColour, entities_keep_the_rgb_and_take_its_nearest_index)
{
  struct Expected {
    int index;
    bool byColor;
    unsigned rgb;
  };
  const Expected lines[] = {
      {12, true, 0xC80A0A}, // 62 then 420: the 420 wins
      {12, true, 0xC80A0A}, // 420 then 62: the 420 still wins
      {18, true, 0x000000}, // black
      {4, false, 0},        // an index alone
  };
  for (int i = 0; i < 4; ++i) {
    AcDbLine* l = nthEntity<AcDbLine>(m_db, ACDB_MODEL_SPACE, i);
    ASSERT_NE(l, nullptr) << "line " << i;
    EXPECT_EQ(l->colorIndex(), lines[i].index) << "line " << i;
    EXPECT_EQ(l->color().isByColor(), lines[i].byColor) << "line " << i;
    EXPECT_EQ(l->color().rgb(), lines[i].rgb) << "line " << i;
  }
  AcDbCircle* c = nthEntity<AcDbCircle>(m_db, ACDB_MODEL_SPACE);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->colorIndex(), 13);
  AcDbPoint* grey = nthEntity<AcDbPoint>(m_db, ACDB_MODEL_SPACE, 0);
  AcDbPoint* red = nthEntity<AcDbPoint>(m_db, ACDB_MODEL_SPACE, 1);
  ASSERT_NE(grey, nullptr);
  ASSERT_NE(red, nullptr);
  EXPECT_EQ(grey->colorIndex(), 8);
  EXPECT_EQ(red->colorIndex(), 1);
  EXPECT_EQ(red->color().rgb(), 0xFF0000u);
}

TEST_F(TrueColour, vertices_and_layers_too)
{
  AcDb2dPolyline* p = nthEntity<AcDb2dPolyline>(m_db, ACDB_MODEL_SPACE);
  ASSERT_NE(p, nullptr);
  AcDbObjectIterator* it = p->vertexIterator();
  ASSERT_FALSE(it->done());
  EXPECT_EQ(it->entity()->colorIndex(), 18);
  EXPECT_TRUE(it->entity()->color().isByColor());
  it->step();
  ASSERT_FALSE(it->done());
  EXPECT_EQ(it->entity()->colorIndex(), 2);
  delete it;

  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(m_db.getSymbolTable(layers, AcDb::kForRead), Acad::eOk);
  AcDbLayerTableRecord* tinted = nullptr;
  AcDbLayerTableRecord* plain = nullptr;
  ASSERT_EQ(layers->getAt("TINTED", tinted, AcDb::kForRead), Acad::eOk);
  ASSERT_EQ(layers->getAt("PLAIN", plain, AcDb::kForRead), Acad::eOk);
  layers->close();
  EXPECT_EQ(tinted->color().colorIndex(), 13);
  EXPECT_EQ(tinted->color().rgb(), 0xA55252u);
  EXPECT_EQ(plain->color().colorIndex(), 4);
  EXPECT_FALSE(plain->color().isByColor());
  EXPECT_TRUE(plain->isOff());
  tinted->close();
  plain->close();
}
} // namespace
