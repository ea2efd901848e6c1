// The LISP function table through the host: definition in each drawing, a
// refused definition, invocation and the results LISP sees, unknown codes,
// and the command group.
#include "quillmark/host/ArxApp.h"
#include "quillmark/host/ArxEntryPoints.h"

#include "arx/ads/AcedServices.h"
#include "arx/host/AcEdCommandStack.h"
#include "arx/host/AcRxDynamicLinker.h"
#include "arx/host/HostTestHooks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int retChair()
{
  acedRetStr("CHAIR");
  return RTNORM;
}

int retFails()
{
  acedRetStr("LOST");
  return RTERROR;
}

int commandBody()
{
  acedRetStr("IGNORED");
  return RTERROR;
}

// A second application with a table of its own, attached to the host beside
// the module's: its entries exercise every kind and result rule.
class TestApp : public ArxApp {
public:
  void onInitApp() override
  {
    if (m_functions.size() == 0) {
      m_functions.add("QT-STR", retChair, kFunction);
      m_functions.add("QT-FAIL", retFails, kFunction);
      m_functions.add("C:QTCMD", commandBody, kCommand);
      m_functions.add("QT-EXT", retChair, kExternalFunction);
      m_functions.add("c:qtlower", commandBody, kCommand);
    }
    setAppName("QuillTestGroup");
    registerCommands();
  }
};

TestApp g_testApp;

AcRx::AppRetCode testEntryPoint(AcRx::AppMsgCode msg, void* pkt)
{
  return static_cast<AcRx::AppRetCode>(g_testApp.dispatch(msg, pkt));
}

std::string evaluate(const char* expression)
{
  std::string printed;
  hostEvaluate(expression, &printed);
  return printed;
}

class FunctionTable : public ::testing::Test {
protected:
  static void SetUpTestSuite()
  {
    hostCaptureOutput(true);
    hostOpenDocument(nullptr);
    ASSERT_TRUE(hostAttachEntryPoint("QUILLTEST", testEntryPoint));
    hostTakeOutput();
  }
  static void TearDownTestSuite()
  {
    hostDetachEntryPoint("QUILLTEST");
    hostCaptureOutput(false);
  }
  void SetUp() override { hostTakeOutput(); }
};

TEST_F(FunctionTable, a_function_returns_what_its_handler_set_and_nil_when_it_fails)
{
  EXPECT_EQ(evaluate("(QT-STR)"), "\"CHAIR\"");
  EXPECT_EQ(evaluate("(QT-FAIL)"), "nil") << "a handler that fails gives nil";
  EXPECT_EQ(evaluate("(QT-EXT)"), "\"CHAIR\"");
}

TEST_F(FunctionTable, a_command_entry_gives_no_value_whatever_its_handler_did)
{
  hostBeginInvoke(2, nullptr);
  EXPECT_EQ(g_testApp.invokeFunction(), 1);
  EXPECT_EQ(hostLastRetType(), RTVOID);
  hostEndInvoke();
}

TEST_F(FunctionTable, codes_outside_the_table_are_unknown_subroutines)
{
  for (int code : {5, 6, -1}) {
    hostBeginInvoke(code, nullptr);
    EXPECT_EQ(g_testApp.invokeFunction(), 0) << "code " << code;
    EXPECT_EQ(hostTakeOutput(), "\nUnknown subroutine!") << "code " << code;
    EXPECT_EQ(hostLastRetType(), RTNONE) << "no result is set for code " << code;
    hostEndInvoke();
  }
  ArxApp empty; // an empty table does not even ask for the code
  hostBeginInvoke(0, nullptr);
  EXPECT_EQ(empty.invokeFunction(), 0);
  EXPECT_EQ(hostTakeOutput(), "");
  hostEndInvoke();
}

TEST_F(FunctionTable, a_refused_definition_stops_the_drawing_at_that_entry)
{
  hostRefuseDefun("QT-FAIL");
  hostOpenDocument(nullptr); // the new drawing gets the load-drawing message
  hostRefuseDefun(nullptr);
  const std::string output = hostTakeOutput();
  // "\n함수(QT-FAIL)를 정의할 수 없습니다!" in code page 949.
  const std::string refused = "\n\xC7\xD4\xBC\xF6(QT-FAIL)\xB8\xA6 \xC1\xA4\xC0\xC7\xC7\xD2 "
                              "\xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9!";
  EXPECT_NE(output.find(refused), std::string::npos) << "got: " << output;
  EXPECT_EQ(evaluate("(QT-STR)"), "\"CHAIR\"") << "entries before the refused one are defined";
  EXPECT_NE(evaluate("(QT-EXT)"), "\"CHAIR\"") << "entries after it are not";
}

TEST_F(FunctionTable, only_external_entries_are_defined_unless_all_are_asked_for)
{
  // Refusing every other name shows which ones defineFunctions(0) tries.
  hostRefuseDefun("QT-STR");
  EXPECT_EQ(g_testApp.defineFunctions(0), 1);
  hostRefuseDefun(nullptr);
  EXPECT_EQ(hostTakeOutput(), "");
  EXPECT_EQ(evaluate("(QT-EXT)"), "\"CHAIR\"");

  hostRefuseDefun("QT-STR");
  EXPECT_EQ(g_testApp.defineFunctions(1), 0);
  hostRefuseDefun(nullptr);
  EXPECT_NE(hostTakeOutput(), "");
}

TEST_F(FunctionTable, commands_join_the_group_without_their_upper_case_prefix)
{
  const auto commands = acedRegCmds()->groupCommands("QuillTestGroup");
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_NE(acedRegCmds()->lookupCmd("QTCMD"), nullptr);
  EXPECT_EQ(acedRegCmds()->lookupCmd("C:QTCMD"), nullptr);
  EXPECT_NE(acedRegCmds()->lookupCmd("c:qtlower"), nullptr)
      << "a lower-case c: is part of the command name";
}

TEST_F(FunctionTable, unloading_removes_the_command_group)
{
  TestApp app;
  app.setAppName("QuillOtherGroup");
  app.m_functions.add("C:QTOTHER", commandBody, kCommand);
  app.registerCommands();
  EXPECT_EQ(acedRegCmds()->groupCommands("QuillOtherGroup").size(), 1u);
  app.dispatch(AcRx::kUnloadAppMsg, nullptr);
  EXPECT_TRUE(acedRegCmds()->groupCommands("QuillOtherGroup").empty());
  EXPECT_EQ(app.m_functions.size(), 1) << "the table stays until the module leaves memory";
}

TEST_F(FunctionTable, the_module_initialises_with_its_two_functions_and_the_banner)
{
  ASSERT_TRUE(hostAttachEntryPoint("QUILMARK-IN-TEST", acrxEntryPoint));
  const std::string output = hostTakeOutput();
  EXPECT_NE(output.find("\nTOLK portions created on Jan 30 2002, 04:41:13\n"), std::string::npos)
      << "got: " << output;
  ASSERT_EQ(g_arxApp.m_functions.size(), 2);
  EXPECT_STREQ(g_arxApp.m_functions.at(0)->name, "BLOCK-FILE");
  EXPECT_STREQ(g_arxApp.m_functions.at(1)->name, "BLOCK-LIST");
  EXPECT_EQ(g_arxApp.m_functions.at(0)->kind, kFunction);
  EXPECT_EQ(g_arxApp.m_functions.at(1)->kind, kFunction);
  EXPECT_STREQ(g_arxApp.m_appName, "Quillmark");
  EXPECT_EQ(g_arxApp.m_lastMsg, AcRx::kLoadDwgMsg) << "the open drawings were announced last";

  AcRxLoadedModule* module = acrxDynamicLinker->find("QUILMARK-IN-TEST");
  ASSERT_NE(module, nullptr);
  EXPECT_TRUE(module->unlocked);
  EXPECT_TRUE(module->mdiAware);

  EXPECT_EQ(acrxEntryPoint(AcRx::kUnloadDwgMsg, nullptr), AcRx::kRetOK);
  EXPECT_EQ(g_arxApp.m_functions.size(), 2) << "closing a drawing keeps the table";
  EXPECT_TRUE(hostDetachEntryPoint("QUILMARK-IN-TEST"));
  EXPECT_EQ(g_arxApp.m_lastMsg, AcRx::kUnloadAppMsg);
}

} // namespace
