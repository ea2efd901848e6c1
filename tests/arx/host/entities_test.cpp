// Entities seen from LISP: a block's first entity in the -2 group of its record,
// entnext on from there (and from the start of model space), entget giving the DXF
// groups of each kind; the same lists whether the drawing came from DWG or DXF.
#include "arx/host/AcApDocument.h"
#include "arx/host/HostTestHooks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string eval(const char* text)
{
  std::string printed;
  hostEvaluate(text, &printed);
  return printed;
}

class Entities : public ::testing::Test {
protected:
  void SetUp() override { hostCaptureOutput(true); }
  void TearDown() override
  {
    hostCloseAllDocuments();
    hostTakeOutput();
    hostCaptureOutput(false);
  }
};

// `text` with each printed entity name made the same: names differ between drawings.
std::string withoutNames(std::string text)
{
  for (std::size_t at = text.find("<Entity name: "); at != std::string::npos;
       at = text.find("<Entity name: ", at + 1))
    text.erase(at + 13, text.find('>', at) - at - 13);
  return text;
}

// Every entity of every listed block, as (cdr (entget e)): the entity name left out.
const char* const kWalk = "(progn (setq out nil b (tblnext \"BLOCK\" t))"
                          " (while b (setq out (cons (cdr (assoc 2 b)) out) e (cdr (assoc -2 b)))"
                          "  (while e (setq out (cons (cdr (entget e)) out) e (entnext e)))"
                          "  (setq b (tblnext \"BLOCK\")))"
                          " (setq e (entnext))"
                          " (while e (setq out (cons (cdr (entget e)) out) e (entnext e)))"
                          " out)";

TEST_F(Entities, lists_hold_the_dxf_groups_of_their_kind)
{
  const char* path = "host_entities.dxf";
  {
    std::ofstream file(path);
    for (const char* line :
         {"0",  "SECTION",  "2",  "BLOCKS", "0",  "BLOCK",  "2",  "B",      "10", "0",
          "20", "0",        "30", "0",      "0",  "LINE",   "8",  "WALLS",  "62", "1",
          "10", "0",        "20", "0",      "30", "0",      "11", "1",      "21", "2",
          "31", "0",        "0",  "CIRCLE", "8",  "0",      "10", "1",      "20", "1",
          "30", "0",        "40", "2",      "0",  "ENDBLK", "0",  "ENDSEC", "0",  "SECTION",
          "2",  "ENTITIES", "0",  "INSERT", "8",  "0",      "2",  "B",      "10", "5",
          "20", "6",        "30", "0",      "70", "2",      "71", "3",      "44", "10",
          "45", "20",       "0",  "ARC",    "8",  "0",      "10", "0",      "20", "0",
          "30", "0",        "40", "1",      "50", "90",     "51", "180",    "0",  "ENDSEC",
          "0",  "EOF"})
      file << line << "\n";
  }
  ASSERT_NE(nullptr, hostOpenDocument(path)) << hostTakeOutput();
  EXPECT_EQ("((0 . \"LINE\") (8 . \"WALLS\") (62 . 1) (10 0.0 0.0 0.0) (11 1.0 2.0 0.0))",
            eval("(cdr (entget (setq e (cdr (assoc -2 (tblsearch \"BLOCK\" \"B\"))))))"));
  EXPECT_EQ("((0 . \"CIRCLE\") (8 . \"0\") (10 1.0 1.0 0.0) (40 . 2.0) (210 0.0 0.0 1.0))",
            eval("(cdr (entget (setq e (entnext e))))"));
  EXPECT_EQ("nil", eval("(entnext e)")) << "past the block's last entity";
  EXPECT_EQ("ENAME", eval("(type (entnext))"));
  EXPECT_EQ("((0 . \"INSERT\") (8 . \"0\") (2 . \"B\") (10 5.0 6.0 0.0) (41 . 1.0) (42 . 1.0) "
            "(43 . 1.0) (50 . 0.0) (70 . 2) (71 . 3) (44 . 10.0) (45 . 20.0) (210 0.0 0.0 1.0))",
            eval("(cdr (entget (entnext)))"));
  // Angles in radians, as entget gives them.
  EXPECT_EQ("((0 . \"ARC\") (8 . \"0\") (10 0.0 0.0 0.0) (40 . 1.0) (50 . 1.5708) "
            "(51 . 3.14159) (210 0.0 0.0 1.0))",
            eval("(cdr (entget (entnext (entnext))))"));
  EXPECT_EQ("nil", eval("(entnext (entnext (entnext)))"));
  EXPECT_EQ("; error: bad argument type: lentityp \"B\"", eval("(entget \"B\")"));
  std::remove(path);
}

TEST_F(Entities, entnext_walks_vertices_and_attributes_then_their_seqend)
{
  const char* path = "host_walk.dxf";
  {
    std::ofstream file(path);
    for (const char* line :
         {"0",   "SECTION",  "2",  "ENTITIES", "0",  "POLYLINE", "8",  "P",      "66", "1",
          "70",  "1",        "10", "0",        "20", "0",        "30", "2",      "0",  "VERTEX",
          "8",   "P",        "10", "1",        "20", "0",        "30", "0",      "42", "0.5",
          "0",   "VERTEX",   "8",  "Q",        "62", "3",        "10", "1",      "20", "1",
          "30",  "0",        "0",  "SEQEND",   "8",  "P",        "0",  "INSERT", "8",  "R",
          "66",  "1",        "2",  "B",        "10", "5",        "20", "6",      "30", "0",
          "0",   "ATTRIB",   "8",  "R",        "10", "5",        "20", "7",      "30", "0",
          "40",  "2",        "1",  "Oak",      "2",  "WOOD",     "0",  "ATTRIB", "8",  "R",
          "420", "13109770", "10", "5",        "20", "9",        "30", "0",      "40", "1",
          "1",   "4",        "2",  "LEGS",     "50", "90",       "0",  "SEQEND", "8",  "R",
          "0",   "LINE",     "8",  "L",        "10", "0",        "20", "0",      "30", "0",
          "11",  "1",        "21", "1",        "31", "0",        "0",  "ENDSEC", "0",  "EOF"})
      file << line << "\n";
  }
  ASSERT_NE(nullptr, hostOpenDocument(path)) << hostTakeOutput();
  // Collected backwards: the LINE last read comes first.
  EXPECT_EQ("(\"LINE\" \"SEQEND\" \"ATTRIB\" \"ATTRIB\" \"INSERT\" \"SEQEND\" \"VERTEX\" "
            "\"VERTEX\" \"POLYLINE\")",
            eval("(progn (setq out nil e (entnext))"
                 " (while e (setq out (cons (cdr (assoc 0 (entget e))) out) e (entnext e)))"
                 " out)"));
  EXPECT_EQ("((0 . \"POLYLINE\") (8 . \"P\") (66 . 1) (10 0.0 0.0 2.0) (70 . 1) (210 0.0 0.0 1.0))",
            eval("(cdr (entget (setq p (entnext))))"));
  // A vertex: its point in the polyline's plane, bulge and flags, its own layer and colour.
  EXPECT_EQ("((0 . \"VERTEX\") (8 . \"P\") (10 1.0 0.0 0.0) (42 . 0.5) (70 . 0))",
            eval("(cdr (entget (setq v (entnext p))))"));
  EXPECT_EQ("((0 . \"VERTEX\") (8 . \"Q\") (62 . 3) (10 1.0 1.0 0.0) (42 . 0.0) (70 . 0))",
            eval("(cdr (entget (entnext v)))"));
  // The SEQEND names its owner; the same entity whichever way it is reached.
  EXPECT_EQ("T", eval("(progn (setq s (entnext (entnext v))) (eq (cdr (assoc -2 (entget s))) p))"));
  EXPECT_EQ("((0 . \"SEQEND\") (8 . \"P\"))",
            eval("(list (assoc 0 (entget s)) (assoc 8 (entget s)))"));
  EXPECT_EQ("T", eval("(eq s (entnext (entnext (entnext p))))"));
  EXPECT_EQ("((0 . \"INSERT\") (8 . \"R\") (66 . 1) (2 . \"\") (10 5.0 6.0 0.0) (41 . 1.0) "
            "(42 . 1.0) (43 . 1.0) (50 . 0.0) (210 0.0 0.0 1.0))",
            eval("(cdr (entget (setq r (entnext s))))"));
  EXPECT_EQ("((0 . \"ATTRIB\") (8 . \"R\") (10 5.0 7.0 0.0) (40 . 2.0) (1 . \"Oak\") (50 . 0.0) "
            "(41 . 1.0) (51 . 0.0) (72 . 0) (11 5.0 7.0 0.0) (210 0.0 0.0 1.0) (2 . \"WOOD\") "
            "(74 . 0))",
            eval("(cdr (entget (setq a (entnext r))))"));
  // A true colour: 62 its nearest index (200,10,10 -> 12: 165,0,0), 420 the RGB.
  EXPECT_EQ("((0 . \"ATTRIB\") (8 . \"R\") (62 . 12) (420 . 13109770) (10 5.0 9.0 0.0) "
            "(40 . 1.0) (1 . \"4\") (50 . 1.5708) (41 . 1.0) (51 . 0.0) (72 . 0) (11 5.0 9.0 0.0) "
            "(210 0.0 0.0 1.0) (2 . \"LEGS\") (74 . 0))",
            eval("(cdr (entget (entnext a)))"));
  EXPECT_EQ("T", eval("(eq (cdr (assoc -2 (entget (entnext (entnext a))))) r)"));
  EXPECT_EQ("\"LINE\"", eval("(cdr (assoc 0 (entget (entnext (entnext (entnext a))))))"));
  EXPECT_EQ("nil", eval("(entnext (entnext (entnext (entnext a))))"));
  std::remove(path);
}

TEST_F(Entities, a_dwg_drawing_gives_the_lists_of_its_dxf_twin)
{
  std::string base;
  for (const char* folder : {QUILL_SOURCE_DIR "/../shared/drawings/dwg/",
                             QUILL_SOURCE_DIR "/../../shared/drawings/dwg/"}) {
    std::FILE* probe = std::fopen((std::string(folder) + "example_2000.dwg").c_str(), "rb");
    if (probe != nullptr) {
      std::fclose(probe);
      base = std::string(folder) + "example_2000";
      break;
    }
  }
  if (base.empty())
    GTEST_SKIP() << "the reference drawings (../shared/drawings) are absent";
  ASSERT_NE(nullptr, hostOpenDocument((base + ".dxf").c_str())) << hostTakeOutput();
  const std::string fromDxf = eval(kWalk);
  hostCloseAllDocuments();
  ASSERT_NE(nullptr, hostOpenDocument((base + ".dwg").c_str())) << hostTakeOutput();
  const std::string fromDwg = eval(kWalk);
  EXPECT_NE(std::string::npos, fromDxf.find("(0 . \"LWPOLYLINE\")")) << fromDxf.substr(0, 300);
  EXPECT_NE(std::string::npos,
            fromDxf.find("(0 . \"INSERT\") (8 . \"Tavolo 3\") (66 . 1) (2 . \"bloko\")"));
  EXPECT_NE(std::string::npos, fromDxf.find("(0 . \"ATTRIB\")"));
  EXPECT_NE(std::string::npos, fromDxf.find("(0 . \"VERTEX\")"));
  // Fit splines: the DWG keeps their fit points only (see the reader's twin test).
  std::size_t a = 0, b = 0;
  while (a < fromDxf.size() && b < fromDwg.size()) {
    std::size_t ea = fromDxf.find("((0 . ", a + 1), eb = fromDwg.find("((0 . ", b + 1);
    std::string x = fromDxf.substr(a, ea - a), y = fromDwg.substr(b, eb - b);
    if (x.find("\"SPLINE\"") != std::string::npos && x.find("(11 ") != std::string::npos) {
      x = x.substr(0, x.find("(10 ")) + x.substr(x.find("(11 "));
    }
    EXPECT_EQ(withoutNames(x), withoutNames(y));
    if (ea == std::string::npos || eb == std::string::npos)
      break;
    a = ea;
    b = eb;
  }
}
} // namespace
