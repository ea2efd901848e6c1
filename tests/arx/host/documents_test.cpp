// Documents, the working database, tables seen from LISP, the command stack.
#include "arx/db/AcDbBlockTable.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/host/AcApDocument.h"
#include "arx/host/AcDbHostApplicationServices.h"
#include "arx/host/AcEdCommandStack.h"
#include "arx/host/HostTestHooks.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>

namespace {

std::string eval(const char* text)
{
  std::string printed;
  hostEvaluate(text, &printed);
  return printed;
}

class Documents : public ::testing::Test {
protected:
  void SetUp() override { hostCaptureOutput(true); }
  void TearDown() override
  {
    hostCloseAllDocuments();
    hostTakeOutput();
    hostCaptureOutput(false);
  }
};

TEST_F(Documents, working_database_follows_the_current_document)
{
  EXPECT_EQ(nullptr, s_pServices->workingDatabase()) << "no document open";
  AcApDocument* first = hostOpenDocument(nullptr);
  AcApDocument* second = hostOpenDocument(nullptr);
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(acdbHostApplicationServices(), s_pServices);
  EXPECT_EQ(second->database(), s_pServices->workingDatabase());
  acDocManager->setCurDocument(first);
  EXPECT_EQ(first->database(), s_pServices->workingDatabase());
  EXPECT_STRNE(first->fileName(), second->fileName());
  acDocManager->closeDocument(first);
  EXPECT_EQ(second, curDoc()) << "closing the current document makes another current";
}

TEST_F(Documents, symbols_belong_to_their_document)
{
  AcApDocument* first = hostOpenDocument(nullptr);
  eval("(setq here 1)");
  hostOpenDocument(nullptr);
  EXPECT_EQ("nil", eval("here"));
  acDocManager->setCurDocument(first);
  EXPECT_EQ("1", eval("here"));
}

TEST_F(Documents, unreadable_drawing_is_reported_and_opens_nothing)
{
  const char* path = "host_test_damaged.dxf";
  {
    std::ofstream file(path);
    file << "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 1x\nbad\n";
  }
  EXPECT_EQ(nullptr, hostOpenDocument(path));
  std::string output = hostTakeOutput();
  EXPECT_NE(std::string::npos, output.find(path)) << output;
  EXPECT_EQ(0, acDocManager->documentCount());
  EXPECT_EQ(nullptr, hostOpenDocument("no-such-drawing.dxf"));
  EXPECT_NE(std::string::npos, hostTakeOutput().find("no-such-drawing.dxf"));
  std::remove(path);
}

TEST_F(Documents, tables_of_the_drawing_are_seen_from_lisp)
{
  hostOpenDocument(nullptr);
  EXPECT_EQ("((0 . \"LAYER\") (2 . \"0\") (70 . 0) (62 . 7))", eval("(tblsearch \"LAYER\" \"0\")"));
  EXPECT_EQ("nil", eval("(tblnext \"BLOCK\" t)")) << "layout blocks are not listed";
  EXPECT_EQ("\"STANDARD\"", eval("(strcase (cdr (assoc 2 (tblsearch \"STYLE\" \"standard\"))))"));
  EXPECT_EQ("nil", eval("(tblsearch \"APPID\" \"NOPE\")"));
}

// A walk finds the records of the drawing itself, in table order, and goes on after the
// last one it gave when an earlier one is erased meanwhile; a search with setnext moves it.
TEST_F(Documents, tblnext_walks_blocks_as_they_are_when_asked)
{
  const char* path = "host_test_walk.dxf";
  {
    std::ofstream file(path, std::ios::binary);
    file << "0\nSECTION\n2\nBLOCKS\n";
    for (const char* name : {"Arch", "Bolt", "Cog", "Dial"})
      file << "0\nBLOCK\n2\n" << name << "\n10\n0\n20\n0\n30\n0\n0\nENDBLK\n";
    file << "0\nENDSEC\n0\nEOF\n";
  }
  AcApDocument* document = hostOpenDocument(path);
  ASSERT_NE(nullptr, document) << hostTakeOutput();
  const char* next = "(cdr (assoc 2 (tblnext \"BLOCK\")))";
  EXPECT_EQ("\"Arch\"", eval("(cdr (assoc 2 (tblnext \"BLOCK\" t)))"));
  EXPECT_EQ("\"Bolt\"", eval(next));

  AcDbBlockTable* table = nullptr;
  ASSERT_EQ(Acad::eOk, document->database()->getBlockTable(table, AcDb::kForRead));
  AcDbSymbolTableRecord* bolt = nullptr;
  ASSERT_EQ(Acad::eOk, table->getAt("BOLT", bolt, AcDb::kForWrite));
  EXPECT_EQ(Acad::eOk, bolt->erase());
  bolt->close();
  table->close();

  EXPECT_EQ("\"Cog\"", eval(next)) << "erasing the record last given moves the walk nowhere";
  EXPECT_EQ("nil", eval("(tblsearch \"BLOCK\" \"bolt\")")) << "an erased record is not found";
  EXPECT_EQ("\"Arch\"", eval("(cdr (assoc 2 (tblsearch \"BLOCK\" \"ARCH\" t)))"));
  EXPECT_EQ("\"Cog\"", eval(next)) << "setnext goes on after the found record, past the erased";
  EXPECT_EQ("\"Dial\"", eval(next));
  EXPECT_EQ("nil", eval(next));
  std::remove(path);
}

// In code page 949 the second byte of a character may be an ASCII letter's byte: it is
// no letter, so "\x81\x61" and "\x81\x41" (two Hangul syllables) are two names.
TEST_F(Documents, tblsearch_keeps_double_byte_characters_apart)
{
  if (GetACP() != 949)
    GTEST_SKIP() << "expectations written for ANSI code page 949";
  const char* path = "host_test_hangul.dxf";
  {
    std::ofstream file(path, std::ios::binary);
    file << "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n9\n$DWGCODEPAGE\n3\nANSI_949\n"
            "0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\n\x81\x61x\n10\n0\n20\n0\n30\n0\n"
            "0\nENDBLK\n0\nENDSEC\n0\nEOF\n";
  }
  ASSERT_NE(nullptr, hostOpenDocument(path)) << hostTakeOutput();
  EXPECT_EQ("\"\x81\x61x\"", eval("(cdr (assoc 2 (tblsearch \"BLOCK\" \"\x81\x61X\")))"));
  EXPECT_EQ("nil", eval("(tblsearch \"BLOCK\" \"\x81\x41X\")"));
  std::remove(path);
}

TEST_F(Documents, tables_list_blocks_of_a_read_drawing)
{
  const char* path = QUILL_SOURCE_DIR "/samples/furniture.dxf";
  std::FILE* probe = std::fopen(path, "rb");
  if (probe == nullptr)
    GTEST_SKIP() << "no sample drawing " << path;
  std::fclose(probe);
  ASSERT_NE(nullptr, hostOpenDocument(path)) << hostTakeOutput();
  std::string first = eval("(tblnext \"BLOCK\" t)");
  EXPECT_EQ(0u, first.find("((0 . \"BLOCK\") (2 . ")) << first;
  EXPECT_NE(std::string::npos, first.find("(70 . ")) << first;
  EXPECT_NE(std::string::npos, first.find("(10 ")) << first;
}

void commandA() {}
void commandB() {}

TEST(CommandStack, groups_hold_commands_until_removed)
{
  AcEdCommandStack* stack = acedRegCmds();
  EXPECT_EQ(Acad::eOk, stack->addCommand("G1", "ONE", "EINS", ACRX_CMD_MODAL, commandA));
  EXPECT_EQ(Acad::eOk, stack->addCommand("G1", "TWO", "ZWEI", ACRX_CMD_MODAL, commandB));
  EXPECT_EQ(Acad::eOk, stack->addCommand("G2", "one", "uno", ACRX_CMD_MODAL, commandB));
  EXPECT_EQ(Acad::eDuplicateKey, stack->addCommand("G1", "one", "x", ACRX_CMD_MODAL, commandA));
  EXPECT_EQ(Acad::eInvalidInput, stack->addCommand("G1", "", "x", ACRX_CMD_MODAL, commandA));
  EXPECT_EQ(Acad::eInvalidInput, stack->addCommand("G1", "X", "x", ACRX_CMD_MODAL, nullptr));

  ASSERT_NE(nullptr, stack->lookupCmd("zwei"));
  EXPECT_EQ(commandB, stack->lookupCmd("zwei")->function) << "found by local name";
  EXPECT_EQ(commandB, stack->lookupCmd("ONE")->function) << "the group added last wins";
  EXPECT_EQ(2u, stack->groupCommands("G1").size());

  EXPECT_EQ(Acad::eOk, stack->removeGroup("G2"));
  EXPECT_EQ(commandA, stack->lookupCmd("ONE")->function);
  EXPECT_EQ(Acad::eKeyNotFound, stack->removeGroup("G2"));
  EXPECT_EQ(Acad::eOk, stack->removeCmd("G1", "one"));
  EXPECT_EQ(nullptr, stack->lookupCmd("ONE"));
  EXPECT_EQ(Acad::eOk, stack->removeGroup("g1")) << "group names in any case";
  EXPECT_EQ(nullptr, stack->lookupCmd("TWO"));
}

} // namespace
