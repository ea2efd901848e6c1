// Drawing access: colours, record look-ups and name lists, with the host's messages.
#include "quillmark/dialog/DrawingAccess.h"
#include "quillmark/view/TestDrawing.h"

#include "arx/db/AcDbLine.h"
#include "arx/host/HostTestHooks.h"

#include <gtest/gtest.h>

namespace {

// Runs `f` and returns what it printed on the command line.
template <class F> std::string printedBy(F f)
{
  hostCaptureOutput(true);
  f();
  std::string out = hostTakeOutput();
  hostCaptureOutput(false);
  return out;
}

std::vector<std::string> names(const CStringList& list)
{
  std::vector<std::string> out;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    out.push_back(static_cast<const char*>(list.GetNext(pos)));
  }
  return out;
}

} // namespace

TEST(DrawingAccess, entity_colour_resolves_byblock_and_bylayer)
{
  TestDrawing d;
  d.addLayer("RED", 1);
  struct Case {
    int color;
    const char* layer; // null: the entity has no layer name
    int expected;
  } cases[] = {{0, "RED", 7}, {256, "RED", 1}, {256, nullptr, 7}, {5, "RED", 5}};
  for (const Case& c : cases) {
    AcDbLine line;
    line.setColorIndex(static_cast<Adesk::UInt16>(c.color));
    if (c.layer != nullptr) {
      line.setLayer(c.layer);
    }
    std::string out =
        printedBy([&] { EXPECT_EQ(entityColorIndex(&d.db, &line), c.expected) << c.color; });
    EXPECT_EQ(out, "") << "colour " << c.color;
  }
  AcDbLine line;
  line.setColorIndex(256);
  line.setLayer("GHOST");
  std::string out = printedBy([&] { EXPECT_EQ(entityColorIndex(&d.db, &line), 7); });
  EXPECT_EQ(out, "\nUnknown error in layer \"GHOST\".\n");
}

TEST(DrawingAccess, block_records_by_name_and_id)
{
  TestDrawing d;
  AcDbObjectId chair = d.addBlock("CHAIR");
  AcDbObjectId layer = d.addLayer("L", 2);

  AcDbBlockTableRecord* r = nullptr;
  EXPECT_EQ(printedBy([&] { r = findBlockRecord(&d.db, "chair"); }), "");
  ASSERT_NE(r, nullptr) << "names compare without regard to case";
  EXPECT_EQ(r->objectId(), chair);
  EXPECT_TRUE(r->isReadEnabled());
  r->close();

  EXPECT_EQ(printedBy([&] { EXPECT_EQ(findBlockRecord(&d.db, "TABLE"), nullptr); }),
            "\nUnknown error in block \"TABLE\".\n");
  EXPECT_EQ(printedBy([&] { EXPECT_EQ(findBlockRecord(&d.db, ""), nullptr); }), "");
  EXPECT_EQ(printedBy([&] { EXPECT_EQ(findBlockRecord(nullptr, "CHAIR"), nullptr); }), "");

  r = openBlockRecord(chair);
  ASSERT_NE(r, nullptr);
  r->close();
  EXPECT_EQ(printedBy([&] { EXPECT_EQ(openBlockRecord(AcDbObjectId::kNull), nullptr); }), "");
  EXPECT_EQ(printedBy([&] { EXPECT_EQ(openBlockRecord(layer), nullptr); }),
            "acdbOpenObject failed with error 46.\n");
  AcDbLayerTableRecord* lr = nullptr;
  EXPECT_EQ(acdbOpenObject(lr, layer, AcDb::kForWrite), Acad::eOk) << "closed again";
  if (lr != nullptr)
    lr->close();
}

TEST(DrawingAccess, table_names_in_table_order)
{
  TestDrawing d;
  d.addBlock("ZED");
  d.addBlock("*U1");
  d.addBlock("ALPHA");
  CStringList list;
  EXPECT_EQ(listTableNames(&d.db, list, 0), 0);
  std::vector<std::string> got = names(list);
  ASSERT_GE(got.size(), 5u);
  EXPECT_EQ(got[0], "*Model_Space");
  EXPECT_EQ(got[1], "*Paper_Space");
  std::vector<std::string> tail(got.end() - 3, got.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"ZED", "*U1", "ALPHA"}));

  CStringList none;
  EXPECT_EQ(listTableNames(&d.db, none, 9), 2);
  EXPECT_EQ(none.GetCount(), 0);

  d.addLayer("WALLS", 3);
  CStringList layers;
  EXPECT_EQ(listTableNames(&d.db, layers, 2), 0);
  EXPECT_EQ(names(layers), (std::vector<std::string>{"0", "WALLS"}));
  for (SymbolTableKind kind = 1; kind <= 8; ++kind) {
    CStringList any;
    EXPECT_EQ(listTableNames(&d.db, any, kind), 0) << "kind " << kind;
  }
}
