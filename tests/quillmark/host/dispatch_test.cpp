// Host messages: which handler each code reaches, the reply, the DLL entry,
// the extension module and the resource switch.
#include "quillmark/host/ArxApp.h"
#include "quillmark/host/ExtensionModule.h"
#include "quillmark/host/ModuleStateSwitch.h"

#include "arx/ui/AcUi.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

namespace {

// Records the handler each message reaches instead of doing its work.
class RecordingApp : public ArxApp {
public:
  std::vector<std::string> calls;
  void onNullMsg() override { calls.push_back("null"); }
  void onInitApp() override { calls.push_back("initApp"); }
  void onUnloadApp() override { calls.push_back("unloadApp"); }
  void onLoadDwg() override { calls.push_back("loadDwg"); }
  void onUnloadDwg() override { calls.push_back("unloadDwg"); }
  void onInvokeSubr() override { calls.push_back("invokeSubr"); }
  void onCfg() override { calls.push_back("cfg"); }
  void onEnd() override { calls.push_back("end"); }
  void onQuit() override { calls.push_back("quit"); }
  void onSave() override { calls.push_back("save"); }
  void onDependency() override { calls.push_back("dependency"); }
  void onNoDependency() override { calls.push_back("noDependency"); }
  void onOleUnloadApp() override { calls.push_back("oleUnloadApp"); }
  void onPreQuit() override { calls.push_back("preQuit"); }
};

TEST(Dispatch, each_known_code_reaches_its_one_handler_and_is_answered_0)
{
  const char* const expected[] = {
      "null", "initApp", "unloadApp", "loadDwg",    "unloadDwg",    "invokeSubr",   "cfg",
      "end",  "quit",    "save",      "dependency", "noDependency", "oleUnloadApp", "preQuit"};
  for (int code = 0; code <= 13; ++code) {
    RecordingApp app;
    app.m_retCode = 7;
    EXPECT_EQ(app.dispatch(code, nullptr), 0) << "code " << code;
    EXPECT_EQ(app.m_lastMsg, code);
    EXPECT_EQ(app.m_retCode, 0) << "the reply is reset at every message";
    ASSERT_EQ(app.calls.size(), 1u) << "code " << code;
    EXPECT_EQ(app.calls[0], expected[code]) << "code " << code;
  }
}

TEST(Dispatch, unknown_and_negative_codes_reach_no_handler)
{
  for (int code : {14, 15, 16, 1000, -1, -5, INT_MIN, INT_MAX}) {
    RecordingApp app;
    EXPECT_EQ(app.dispatch(code, nullptr), 0) << "code " << code;
    EXPECT_TRUE(app.calls.empty()) << "code " << code << " reached " << app.calls[0];
    EXPECT_EQ(app.m_lastMsg, code);
    EXPECT_EQ(app.m_functions.size(), 0);
  }
}

TEST(ModuleStateSwitch, nested_switches_give_back_what_was_current_before_each)
{
  const HINSTANCE before = AfxGetResourceHandle();
  const HINSTANCE savedModule = g_moduleInstance;
  const HINSTANCE kernel = GetModuleHandleA("kernel32.dll");
  const HINSTANCE user = GetModuleHandleA("user32.dll");
  g_moduleInstance = kernel;
  {
    ModuleStateSwitch outer;
    EXPECT_EQ(AfxGetResourceHandle(), kernel);
    AfxSetResourceHandle(user); // something inside the outer switch changes it
    {
      ModuleStateSwitch inner;
      EXPECT_EQ(AfxGetResourceHandle(), kernel);
    }
    EXPECT_EQ(AfxGetResourceHandle(), user) << "the inner switch restores what it found";
  }
  EXPECT_EQ(AfxGetResourceHandle(), before);
  EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandleA(nullptr));
  g_moduleInstance = savedModule;
}

int chainLength(HMODULE only = nullptr)
{
  int n = 0;
  for (CDynLinkLibrary* dll = AfxGetModuleState()->m_pLibraryList; dll != nullptr;
       dll = dll->m_pNextDLL)
    n += only == nullptr || dll->m_hModule == only;
  return n;
}

bool chainHolds(HMODULE module)
{
  return chainLength(module) > 0;
}

TEST(ExtensionModule, attaches_once_and_detaches_from_the_chain)
{
  const HMODULE module = GetModuleHandleA("kernel32.dll");
  ExtensionModule failing;
  EXPECT_FALSE(failing.attach(nullptr));
  EXPECT_EQ(failing.m_attached, 0);
  const int length = chainLength();
  ExtensionModule ext;
  EXPECT_TRUE(ext.attach(module));
  EXPECT_FALSE(ext.attach(module)) << "a second attach does nothing";
  EXPECT_EQ(chainLength(), length + 1);
  ext.detach();
  ext.detach();
  EXPECT_EQ(chainLength(), length);
}

TEST(DllEntry, process_attach_joins_mfc_and_the_ui_library_and_detach_leaves)
{
  const HINSTANCE self = GetModuleHandleA(nullptr);
  const HINSTANCE savedModule = g_moduleInstance;
  const int uiCalls = acuiInitCallCount();

  EXPECT_TRUE(DllMain(self, DLL_THREAD_ATTACH, nullptr));
  EXPECT_TRUE(DllMain(self, DLL_THREAD_DETACH, nullptr));
  EXPECT_EQ(g_moduleInstance, savedModule) << "thread messages change nothing";
  EXPECT_FALSE(chainHolds(self));
  EXPECT_EQ(acuiInitCallCount(), uiCalls);

  EXPECT_TRUE(DllMain(self, DLL_PROCESS_ATTACH, nullptr));
  EXPECT_EQ(g_moduleInstance, self);
  EXPECT_TRUE(chainHolds(self));
  EXPECT_EQ(acuiInitCallCount(), uiCalls + 1);
  EXPECT_TRUE(DllMain(self, DLL_PROCESS_DETACH, nullptr));
  EXPECT_FALSE(chainHolds(self));
  g_moduleInstance = savedModule;
}

} // namespace
