// The dynamic linker with a real module (TESTMOD.ARX): messages, LISP functions per
// document, argument chains, results, commands, unloading.
#include "arx/ads/AcedServices.h"
#include "arx/host/AcApDocument.h"
#include "arx/host/AcDbHostApplicationServices.h"
#include "arx/host/AcEdCommandStack.h"
#include "arx/host/AcRxDynamicLinker.h"
#include "arx/host/HostTestHooks.h"

#include <gtest/gtest.h>

namespace {

const char kModule[] = "TESTMOD.ARX";

std::string eval(const char* text)
{
  std::string printed;
  hostEvaluate(text, &printed);
  return printed;
}

class Linker : public ::testing::Test {
protected:
  void SetUp() override { hostCaptureOutput(true); }
  void TearDown() override
  {
    if (acrxDynamicLinker->find(kModule) != nullptr)
      acrxDynamicLinker->unloadModule(kModule, false);
    hostCloseAllDocuments();
    hostRefuseDefun(nullptr);
    hostTakeOutput();
    hostCaptureOutput(false);
  }
};

TEST_F(Linker, load_sends_init_then_load_drawing_per_document)
{
  AcApDocument* first = hostOpenDocument(nullptr);
  AcApDocument* second = hostOpenDocument(nullptr);
  ASSERT_TRUE(acrxDynamicLinker->loadModule(kModule, true)) << hostTakeOutput();
  EXPECT_EQ("\"1 3 3 5\"", eval("(tm-log)")) << "init, two drawings, this invoke";
  EXPECT_TRUE(acrxDynamicLinker->isAppMDIAware(kModule));
  EXPECT_FALSE(acrxDynamicLinker->isApplicationLocked(kModule)) << "the module unlocked itself";
  EXPECT_EQ(second, curDoc()) << "the document opened last is current";
  ASSERT_TRUE(acDocManager->setCurDocument(first));
  EXPECT_EQ("T", eval("(tm-t)")) << "functions exist in the first drawing too";
  hostOpenDocument(nullptr);
  EXPECT_EQ("\"1 3 3 5 5 3 5\"", eval("(tm-log)")) << "a new drawing is announced";
}

TEST_F(Linker, functions_are_defined_per_document_and_a_refused_name_stays_undefined)
{
  AcApDocument* first = hostOpenDocument(nullptr);
  ASSERT_TRUE(acrxDynamicLinker->loadModule(kModule, false));
  hostRefuseDefun("tm-str");
  hostOpenDocument(nullptr);
  EXPECT_EQ("; error: no function definition: TM-STR", eval("(tm-str \"a\")"));
  EXPECT_EQ("T", eval("(tm-t)")) << "the other names were defined";
  std::string output = hostTakeOutput();
  EXPECT_NE(std::string::npos, output.find("defun refused: TM-STR")) << output;
  EXPECT_NE(std::string::npos, output.find("defun refused: TM BAD")) << "a name with a space";
  acDocManager->setCurDocument(first);
  EXPECT_EQ("\"a\"", eval("(tm-str \"a\")"));
  EXPECT_EQ("nil", eval("(setq x 1) (tm-str 1)"));
}

TEST_F(Linker, arguments_reach_the_module_as_a_result_buffer_chain)
{
  hostOpenDocument(nullptr);
  ASSERT_TRUE(acrxDynamicLinker->loadModule(kModule, false));
  EXPECT_EQ("\"\"", eval("(tm-args)"));
  EXPECT_EQ("\"RTSHORT:1 RTSHORT:-32768 RTLONG:32768 RTLONG:-100000 RTREAL:2.500000 RTSTR:s RTT "
            "RTNIL\"",
            eval("(tm-args 1 -32768 32768 -100000 2.5 \"s\" t nil)"));
  EXPECT_EQ("\"RTLB RTSHORT:1 RTLB RTSHORT:2 RTLB RTSTR:x RTLE RTLE RTLE RTSTR:A\"",
            eval("(tm-args '(1 (2 (\"x\"))) \"A\")"));
  EXPECT_EQ("\"RTLB RTSHORT:1 RTDOTE RTSTR:b RTLE RTLB RTSHORT:1 RTSHORT:2 RTDOTE RTSHORT:3 RTLE\"",
            eval("(tm-args '(1 . \"b\") '(1 2 . 3))"));
  EXPECT_EQ("\"RTSTR:SYM\"", eval("(tm-args 'sym)"));
  EXPECT_EQ("; error: bad argument type: function CAR", eval("(tm-args car)"));
}

TEST_F(Linker, the_value_the_module_sets_is_the_result)
{
  hostOpenDocument(nullptr);
  ASSERT_TRUE(acrxDynamicLinker->loadModule(kModule, false));
  struct {
    const char* call;
    const char* printed;
    int type;
  } cases[] = {
      {"(tm-str \"CHAIR\")", "\"CHAIR\"", RTSTR},
      {"(tm-t)", "T", RTT},
      {"(tm-real)", "2.5", RTREAL},
      {"(tm-long)", "100000", RTLONG},
      {"(tm-nothing)", "nil", RTNONE},
      {"(tm-void)", "", RTVOID},
      {"(tm-str 1)", "nil", RTNIL},
      {"(tm-code)", "9", RTSHORT},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.printed, eval(c.call)) << c.call;
    EXPECT_EQ(c.type, hostLastRetType()) << c.call;
  }
  eval("(tm-str \"CHAIR\")");
  const resbuf* result = hostInvokeResult();
  ASSERT_NE(nullptr, result);
  EXPECT_EQ(RTSTR, result->restype);
  EXPECT_STREQ("CHAIR", result->resval.rstring);
  EXPECT_EQ(nullptr, result->rbnext);
  eval("(tm-nothing)");
  EXPECT_EQ(nullptr, hostInvokeResult());
  EXPECT_EQ(-1, acedGetFunCode()) << "no invoke in progress";
  EXPECT_EQ(nullptr, acedGetArgs());
}

TEST_F(Linker, module_output_is_kept_in_the_ansi_code_page)
{
  hostOpenDocument(nullptr);
  ASSERT_TRUE(acrxDynamicLinker->loadModule(kModule, false));
  hostTakeOutput();
  EXPECT_EQ("nil", eval("(tm-korean)"));
  EXPECT_EQ("\n\xC7\xD1\xB1\xDB!", hostTakeOutput());
}

TEST_F(Linker, unloading_removes_the_functions_everywhere_and_the_command_group)
{
  hostOpenDocument(nullptr);
  hostOpenDocument(nullptr);
  ASSERT_TRUE(acrxDynamicLinker->loadModule(kModule, false));
  AcEdCommand* command = acedRegCmds()->lookupCmd("tmcmd");
  ASSERT_NE(nullptr, command);
  EXPECT_EQ("TESTMOD", command->group);
  ASSERT_TRUE(acrxDynamicLinker->unloadModule(kModule, false));
  EXPECT_EQ(nullptr, acrxDynamicLinker->find(kModule));
  EXPECT_EQ(nullptr, acedRegCmds()->lookupCmd("TMCMD"));
  for (AcApDocument* doc : acDocManager->documents()) {
    acDocManager->setCurDocument(doc);
    EXPECT_EQ("; error: no function definition: TM-T", eval("(tm-t)"));
  }
  EXPECT_FALSE(acrxDynamicLinker->unloadModule(kModule, false)) << "not loaded any more";
  ASSERT_TRUE(acrxDynamicLinker->loadModule(kModule, false)) << "can be loaded again";
  EXPECT_EQ("T", eval("(tm-t)"));
}

TEST_F(Linker, files_that_are_not_modules_are_refused_with_a_reason)
{
  hostOpenDocument(nullptr);
  EXPECT_FALSE(acrxDynamicLinker->loadModule("no-such-module.arx", true));
  EXPECT_NE(std::string::npos, hostTakeOutput().find("no-such-module.arx"));
  EXPECT_FALSE(acrxDynamicLinker->loadModule("arx.dll", true)) << "no acrxEntryPoint";
  EXPECT_NE(std::string::npos, hostTakeOutput().find("acrxEntryPoint"));
  EXPECT_EQ("; error: ARXLOAD failed", eval("(arxload \"no-such-module.arx\")"));
  ASSERT_TRUE(acrxDynamicLinker->loadModule(kModule, false));
  EXPECT_FALSE(acrxDynamicLinker->loadModule(kModule, false)) << "already loaded";
  EXPECT_FALSE(acrxDynamicLinker->loadModule(".\\testmod.arx", true)) << "the same DLL";
  EXPECT_NE(std::string::npos, hostTakeOutput().find("already loaded")) << "says why";
  EXPECT_EQ("\"1 3 5\"", eval("(tm-log)")) << "no second init message";
}

TEST_F(Linker, arxload_and_arxunload_from_lisp)
{
  hostOpenDocument(nullptr);
  EXPECT_EQ("\"TESTMOD.ARX\"", eval("(arxload \"TESTMOD.ARX\")"));
  EXPECT_EQ("T", eval("(tm-t)"));
  EXPECT_EQ("\"testmod.arx\"", eval("(arxunload \"testmod.arx\")"));
  EXPECT_EQ("; error: no function definition: TM-T", eval("(tm-t)"));
}

// A module linked into the process, attached by its entry point.
std::string g_inProcessLog;

int inProcessHandler()
{
  return acedRetStr("in process");
}

AcRx::AppRetCode inProcessEntry(AcRx::AppMsgCode msg, void*)
{
  g_inProcessLog += std::to_string(static_cast<int>(msg)) + " ";
  if (msg == AcRx::kLoadDwgMsg)
    acedDefun("IP-F", 0);
  if (msg == AcRx::kInvkSubrMsg && acedGetFunCode() == 0)
    inProcessHandler();
  return AcRx::kRetOK;
}

TEST_F(Linker, an_attached_entry_point_is_treated_as_a_loaded_module)
{
  hostOpenDocument(nullptr);
  g_inProcessLog.clear();
  ASSERT_TRUE(hostAttachEntryPoint("inproc", inProcessEntry));
  EXPECT_FALSE(hostAttachEntryPoint("inproc", inProcessEntry)) << "already attached";
  EXPECT_EQ("\"in process\"", eval("(ip-f)"));
  // Outside any message, acedDefun belongs to the entry point attached last.
  EXPECT_EQ(RTNORM, acedDefun("IP-G", 0));
  EXPECT_EQ("\"in process\"", eval("(ip-g)"));
  EXPECT_EQ(RTNORM, acedUndef("IP-G", 0));
  EXPECT_EQ(RTERROR, acedUndef("IP-G", 0)) << "already undefined";
  // A handler registered with acedRegFunc is called directly, without an invoke message.
  EXPECT_EQ(RTNORM, acedDefun("IP-R", 1));
  EXPECT_EQ(RTNORM, acedRegFunc(inProcessHandler, 1));
  std::string logBefore = g_inProcessLog;
  EXPECT_EQ("\"in process\"", eval("(ip-r)"));
  EXPECT_EQ(logBefore, g_inProcessLog);
  ASSERT_TRUE(hostDetachEntryPoint("inproc"));
  EXPECT_EQ("1 3 5 5 2 ", g_inProcessLog);
  EXPECT_EQ("; error: no function definition: IP-F", eval("(ip-f)"));
}

// Looked up while the program starts, before any test could have used the classes.
const AcRxObject* const g_stackClassAtStart = acrxClassDictionary()->at("AcEdCommandStack");
const AcRxObject* const g_linkerClassAtStart = acrxClassDictionary()->at("AcRxDynamicLinker");

TEST_F(Linker, registry_holds_the_linker_and_command_stack_with_their_classes)
{
  EXPECT_EQ(AcEdCommandStack::desc(), g_stackClassAtStart) << "registered when the host loads";
  EXPECT_EQ(AcRxDynamicLinker::desc(), g_linkerClassAtStart) << "registered when the host loads";
  AcRxDictionary* registry = acrxSysRegistry();
  EXPECT_EQ(acrxDynamicLinker, AcRxDynamicLinker::cast(registry->at("DynamicLinker")));
  EXPECT_EQ(acedRegCmds(), AcEdCommandStack::cast(registry->at("ACAD_REGISTERED_COMMANDS")));
  auto* classes = AcRxDictionary::cast(registry->at("ClassDictionary"));
  ASSERT_NE(nullptr, classes);
  EXPECT_EQ(AcEdCommandStack::desc(), classes->at("AcEdCommandStack"));
  EXPECT_EQ(AcRxDynamicLinker::desc(), classes->at("AcRxDynamicLinker"));
}

} // namespace
