// A thousand openings of the block dialog on a drawing file, one in twenty with a
// block selected (so the preview paints), each closed again, leave no GDI object,
// heap block or memory behind.
#include "arx/host/HostTestHooks.h"
#include "mfc/AfxModuleState.h"
#include "quillmark/dialog/CBlockDialog.h"
#include "quillmark/res/ResourceIds.h"
#include "support/ProcessCounters.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND g_dialog = nullptr; // the block dialog of the last opening
bool g_select = true;    // the opening selects a block

// When the dialog has initialised: asks it (by posted messages, handled once it is
// shown) to select the first block, which the preview then paints, and to close.
// (A preview's paint under Wine's null driver waits some 50 ms for the screen, so
// not every opening selects.)
LRESULT CALLBACK selectAndClose(int code, WPARAM wParam, LPARAM lParam)
{
  const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG) {
    g_dialog = call->hwnd;
    HWND list = GetDlgItem(g_dialog, IDC_BLOCK_LIST);
    if (g_select) {
      PostMessageA(list, LB_SETCURSEL, 0, 0);
      PostMessageA(g_dialog, WM_COMMAND, MAKEWPARAM(IDC_BLOCK_LIST, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
    }
    PostMessageA(g_dialog, WM_COMMAND, IDCANCEL, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// One opening: the file read into the dialog's own database, with `select` a block
// selected and previewed, Cancel. The name the preview held when the dialog closed.
std::string cycle(const std::string& path, bool select)
{
  g_select = select;
  CBlockDialog dialog(nullptr);
  dialog.openDrawing(path.c_str());
  g_dialog = nullptr;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, selectAndClose, nullptr, GetCurrentThreadId());
  dialog.DoModal();
  UnhookWindowsHookEx(hook);
  return std::string(dialog.m_preview.m_blockName);
}

} // namespace

TEST(DialogCycles, thousand_openings_leave_nothing_behind)
{
  HMODULE resources = LoadLibraryA("QUILMARK.ARX");
  ASSERT_NE(resources, nullptr) << "QUILMARK.ARX not found beside the test";
  HINSTANCE previous = AfxGetResourceHandle();
  AfxSetResourceHandle(resources);
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  std::string path = std::string(folder) + "quill-cycles.dxf";
  const char drawing[] =
      "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nChair\n10\n0\n20\n0\n30\n0\n"
      "0\nLINE\n62\n1\n10\n0\n20\n0\n30\n0\n11\n5\n21\n5\n31\n0\n"
      "0\nCIRCLE\n62\n3\n10\n2\n20\n2\n30\n0\n40\n1\n0\nENDBLK\n0\nENDSEC\n0\nEOF\n";
  FILE* f = fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  fwrite(drawing, 1, sizeof drawing - 1, f);
  fclose(f);

  // The first opening makes what lives for good (classes, fonts, caches).
  ASSERT_EQ(cycle(path, true), "CHAIR") << "the block was not selected and previewed";
  int gdi = counters::gdiObjectCount();
  size_t heap = counters::heapBytesInUse();
  size_t committed = counters::privateCommittedBytes();
  int previewed = 0;
  for (int i = 0; i < 1000; ++i)
    previewed += cycle(path, i % 20 == 0) == "CHAIR" ? 1 : 0;
  EXPECT_EQ(previewed, 50);
  EXPECT_FALSE(IsWindow(g_dialog)) << "the dialog's window is gone";
  EXPECT_EQ(counters::gdiObjectCount(), gdi) << "GDI objects left";
  // A leak of even 16 bytes an opening would show as 16,000.
  EXPECT_LT(counters::heapBytesInUse(), heap + 4096) << "heap blocks left";
  EXPECT_LT(counters::privateCommittedBytes(), committed + 2 * 1024 * 1024) << "memory grew";

  AfxSetResourceHandle(previous);
  FreeLibrary(resources);
  DeleteFileA(path.c_str());
}
