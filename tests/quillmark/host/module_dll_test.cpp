// QUILMARK.ARX as Windows and the host load it: exactly three exports under
// their plain names, and a DLL entry that joins and leaves MFC's chain.
#include "mfc/CDynLinkLibrary.h"

#include "arx/ui/AcUi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> exportedNames(HMODULE module)
{
  auto* base = reinterpret_cast<const BYTE*>(module);
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  std::vector<std::string> names;
  if (dir.VirtualAddress == 0)
    return names;
  auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    names.emplace_back(reinterpret_cast<const char*>(base + nameRvas[i]));
  std::sort(names.begin(), names.end());
  return names;
}

bool chainHolds(HMODULE module)
{
  for (CDynLinkLibrary* dll = AfxGetModuleState()->m_pLibraryList; dll != nullptr;
       dll = dll->m_pNextDLL)
    if (dll->m_hModule == module)
      return true;
  return false;
}

TEST(ModuleDll, exports_exactly_the_three_entry_points_undecorated)
{
  HMODULE module = LoadLibraryA("QUILMARK.ARX");
  ASSERT_NE(module, nullptr) << "QUILMARK.ARX did not load, error " << GetLastError();
  const std::vector<std::string> expected = {"_SetacrxPtp", "acrxEntryPoint", "acrxGetApiVersion"};
  EXPECT_EQ(exportedNames(module), expected);

  auto version = reinterpret_cast<int (*)()>(
      reinterpret_cast<void*>(GetProcAddress(module, "acrxGetApiVersion")));
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version(), 0x000F0000);
  FreeLibrary(module);
}

TEST(ModuleDll, loading_joins_the_resource_chain_and_unloading_leaves_it)
{
  const int uiCalls = acuiInitCallCount();
  const HINSTANCE savedResource = AfxGetResourceHandle();
  AfxSetResourceHandle(GetModuleHandleA(nullptr));

  HMODULE module = LoadLibraryA("QUILMARK.ARX");
  ASSERT_NE(module, nullptr);
  EXPECT_TRUE(chainHolds(module));
  EXPECT_EQ(acuiInitCallCount(), uiCalls + 1);
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(145), RT_DIALOG), module)
      << "the block dialog's template is found through the chain";
  EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA(nullptr))
      << "loading does not switch the current resources";
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(146), RT_DIALOG), GetModuleHandleA(nullptr))
      << "a resource nobody holds falls back to the current module";
  AfxSetResourceHandle(GetModuleHandleA("user32.dll"));
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(1), RT_VERSION), GetModuleHandleA("user32.dll"))
      << "the current module is searched before the chain";

  FreeLibrary(module);
  EXPECT_FALSE(chainHolds(module));
  AfxSetResourceHandle(GetModuleHandleA(nullptr));
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(145), RT_DIALOG), GetModuleHandleA(nullptr));
  AfxSetResourceHandle(savedResource);
}

} // namespace
