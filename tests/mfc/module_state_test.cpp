// Module state and extension modules: the chain that AfxFindResourceHandle
// searches after the current resource module.
#include "mfc/CDynLinkLibrary.h"

#include <gtest/gtest.h>

namespace {

// A module that holds dialog template 145 and group icon 1000.
HMODULE resourceModule()
{
  static HMODULE module = LoadLibraryExA("QUILMARK.ARX", nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  return module;
}

bool chainHolds(HMODULE module)
{
  for (CDynLinkLibrary* dll = AfxGetModuleState()->m_pLibraryList; dll != nullptr;
       dll = dll->m_pNextDLL) {
    if (dll->m_hModule == module)
      return true;
  }
  return false;
}

class ModuleState : public ::testing::Test {
protected:
  void SetUp() override
  {
    saved = AfxGetResourceHandle();
    ASSERT_NE(resourceModule(), nullptr) << "QUILMARK.ARX is not beside the test program";
    AfxSetResourceHandle(GetModuleHandleA(nullptr)); // the test program: no dialogs
  }
  void TearDown() override { AfxSetResourceHandle(saved); }
  HINSTANCE saved = nullptr;
};

TEST_F(ModuleState, resources_are_found_in_the_chain_after_the_current_module)
{
  const HINSTANCE exe = GetModuleHandleA(nullptr);
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(145), RT_DIALOG), exe)
      << "with no extension module, the current resource module is the answer";

  AFX_EXTENSION_MODULE ext;
  ASSERT_TRUE(AfxInitExtensionModule(ext, resourceModule()));
  new CDynLinkLibrary(ext);
  EXPECT_TRUE(chainHolds(resourceModule()));
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(145), RT_DIALOG), resourceModule());
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(1000), RT_GROUP_ICON), resourceModule());
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(146), RT_DIALOG), exe)
      << "a resource nobody holds falls back to the current module";

  AfxTermExtensionModule(ext);
  EXPECT_FALSE(chainHolds(resourceModule()));
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(145), RT_DIALOG), exe);

  AfxSetResourceHandle(resourceModule()); // the current module is searched first
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(145), RT_DIALOG), resourceModule());
  EXPECT_EQ(AfxGetInstanceHandle(), exe) << "the application's instance stays";
}

} // namespace
