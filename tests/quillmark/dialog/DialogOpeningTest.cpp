// What the block dialog does as it opens, watched through a hook on the dialog's
// thread: the list is filled once, and a failure to read the names is told once.
#include "arx/db/AcDbDatabase.h"
#include "mfc/AfxModuleState.h"
#include "quillmark/dialog/CBlockDialog.h"
#include "quillmark/res/ResourceIds.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

struct Opening {
  std::vector<std::string> boxes; // the text of each message box shown, in order
  int listResets = 0;             // LB_RESETCONTENT sent to the block list
  int listedAtEnd = -1;           // the entries when the dialog was shown
};

Opening g_opening;

// Message boxes are answered with OK as they open (their text recorded); the block
// dialog, the one with the block list, is cancelled once initialised.
LRESULT CALLBACK afterMessage(int code, WPARAM wParam, LPARAM lParam)
{
  const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG) {
    HWND list = GetDlgItem(call->hwnd, IDC_BLOCK_LIST);
    if (list != nullptr) {
      g_opening.listedAtEnd = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
      PostMessageA(call->hwnd, WM_COMMAND, IDCANCEL, 0);
    } else {
      char text[512] = "";
      GetDlgItemTextA(call->hwnd, 0xFFFF, text, sizeof text); // the box's message
      g_opening.boxes.push_back(text);
      PostMessageA(call->hwnd, WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK beforeMessage(int code, WPARAM wParam, LPARAM lParam)
{
  const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && GetDlgCtrlID(call->hwnd) == IDC_BLOCK_LIST) {
    if (call->message == LB_RESETCONTENT)
      ++g_opening.listResets;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

Opening open(CBlockDialog& dialog)
{
  g_opening = Opening();
  HHOOK after = SetWindowsHookExA(WH_CALLWNDPROCRET, afterMessage, nullptr, GetCurrentThreadId());
  HHOOK before = SetWindowsHookExA(WH_CALLWNDPROC, beforeMessage, nullptr, GetCurrentThreadId());
  dialog.DoModal();
  UnhookWindowsHookEx(before);
  UnhookWindowsHookEx(after);
  return g_opening;
}

class DialogOpening : public ::testing::Test {
protected:
  void SetUp() override
  {
    m_resources = LoadLibraryA("QUILMARK.ARX");
    ASSERT_NE(m_resources, nullptr) << "QUILMARK.ARX not found beside the test";
    m_previous = AfxGetResourceHandle();
    AfxSetResourceHandle(m_resources);
  }
  void TearDown() override
  {
    AfxSetResourceHandle(m_previous);
    FreeLibrary(m_resources);
  }
  HMODULE m_resources = nullptr;
  HINSTANCE m_previous = nullptr;
};

TEST_F(DialogOpening, lists_each_name_once_however_the_pattern_edit_is_first_written)
{
  const char drawing[] = "0\nSECTION\n2\nBLOCKS\n"
                         "0\nBLOCK\n2\nDesk\n10\n0\n20\n0\n30\n0\n0\nENDBLK\n"
                         "0\nBLOCK\n2\n*Model_Space\n10\n0\n20\n0\n30\n0\n0\nENDBLK\n"
                         "0\nBLOCK\n2\nchair\n10\n0\n20\n0\n30\n0\n0\nENDBLK\n"
                         "0\nBLOCK\n2\nLamp\n10\n0\n20\n0\n30\n0\n0\nENDBLK\n"
                         "0\nENDSEC\n0\nEOF\n";
  AcDbDatabase* database = new AcDbDatabase(false, true);
  ASSERT_EQ(database->readDxfText(drawing, sizeof drawing - 1, "three.dxf"), Acad::eOk);
  CBlockDialog dialog(nullptr);
  dialog.m_database = database; // the host's drawing: not the dialog's to delete
  Opening opening = open(dialog);
  EXPECT_TRUE(opening.boxes.empty()) << opening.boxes[0];
  EXPECT_EQ(opening.listedAtEnd, 3);
  // Writing "*" into the pattern edit is no change of the user's: one fill, not two.
  EXPECT_EQ(opening.listResets, 1);
  dialog.m_database = nullptr;
  delete database;
}

TEST_F(DialogOpening, a_drawing_whose_names_cannot_be_read_is_told_once)
{
  CBlockDialog dialog(nullptr); // no drawing at all: there are no names to read
  ASSERT_EQ(dialog.m_database, nullptr);
  Opening opening = open(dialog);
  ASSERT_EQ(opening.boxes.size(), 1u) << "one failure, one box";
  EXPECT_EQ(opening.boxes[0], "Unknown error!");
  EXPECT_EQ(opening.listedAtEnd, 0);
}

} // namespace
