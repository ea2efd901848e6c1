// CBlockDialog and its helpers in-process: the list filling, the error boxes (read
// back from the message box Windows shows), and the ownership of the database.
#include "DeleteCounter.h"
#include "arx/db/AcDbDatabase.h"
#include "arx/host/AcDbHostApplicationServices.h"
#include "arx/host/HostTestHooks.h"
#include "quillmark/dialog/CBlockDialog.h"
#include "quillmark/dialog/FormatMessageBox.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// What a message box showed, read by a watcher thread that then presses its OK.
struct BoxSeen {
  bool found = false;
  std::string caption;
  std::string text;
  HWND owner = nullptr;
};

// Watches the calling thread for a message box while `action` runs on it.
template <typename Action> BoxSeen closeNextMessageBox(Action action)
{
  struct Watch {
    DWORD thread;
    BoxSeen seen;
    volatile LONG done;
  } watch{GetCurrentThreadId(), {}, 0};
  HANDLE watcher = CreateThread(
      nullptr, 0,
      [](void* arg) -> DWORD {
        Watch* w = static_cast<Watch*>(arg);
        for (int i = 0; i < 1000 && !w->seen.found && !w->done; ++i, Sleep(10)) {
          EnumThreadWindows(
              w->thread,
              [](HWND window, LPARAM param) -> BOOL {
                Watch* w = reinterpret_cast<Watch*>(param);
                char name[32];
                GetClassNameA(window, name, sizeof name);
                if (!IsWindowVisible(window) || strcmp(name, "#32770") != 0)
                  return TRUE;
                char text[1024];
                GetWindowTextA(window, text, sizeof text);
                w->seen.caption = text;
                w->seen.owner = GetWindow(window, GW_OWNER);
                // The message is the box's longest static text.
                EnumChildWindows(
                    window,
                    [](HWND child, LPARAM param) -> BOOL {
                      char text[1024];
                      GetWindowTextA(child, text, sizeof text);
                      std::string& best = *reinterpret_cast<std::string*>(param);
                      if (strlen(text) > best.size())
                        best = text;
                      return TRUE;
                    },
                    reinterpret_cast<LPARAM>(&w->seen.text));
                w->seen.found = true;
                PostMessageA(window, WM_COMMAND, IDOK, 0);
                return FALSE;
              },
              reinterpret_cast<LPARAM>(w));
        }
        return 0;
      },
      &watch, 0, nullptr);
  action();
  // A box shown by the action has been closed by now; with none, stop watching.
  InterlockedExchange(&watch.done, 1);
  WaitForSingleObject(watcher, INFINITE);
  CloseHandle(watcher);
  return watch.seen;
}

std::string tempFile(const char* name, const std::string& text)
{
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  std::string path = std::string(folder) + name;
  FILE* file = fopen(path.c_str(), "wb");
  fwrite(text.data(), 1, text.size(), file);
  fclose(file);
  return path;
}

// A sorted list box like the dialog's, in a hidden window.
class FillList : public ::testing::Test {
protected:
  void SetUp() override
  {
    m_window = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_SORT | LBS_NOTIFY, 0, 0, 100, 100,
                               nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(m_window, nullptr);
    m_list.Attach(m_window);
  }
  void TearDown() override
  {
    m_list.Detach();
    DestroyWindow(m_window);
  }
  std::vector<std::string> entries()
  {
    std::vector<std::string> all;
    for (int i = 0; i < m_list.GetCount(); ++i) {
      char text[256];
      m_list.GetText(i, text);
      all.push_back(text);
    }
    return all;
  }
  HWND m_window = nullptr;
  CListBox m_list;
};

TEST_F(FillList, orders_entries_exactly_as_the_list_box_sorts_them)
{
  // What LB_ADDSTRING of each name gives, in a second list box of the same kind.
  auto sortedByListBox = [](const std::vector<const char*>& names) {
    HWND reference = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_SORT, 0, 0, 100, 100, nullptr,
                                     nullptr, nullptr, nullptr);
    for (const char* name : names)
      SendMessageA(reference, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    std::vector<std::string> all;
    for (int i = 0; i < SendMessageA(reference, LB_GETCOUNT, 0, 0); ++i) {
      char text[256];
      SendMessageA(reference, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      all.push_back(text);
    }
    DestroyWindow(reference);
    return all;
  };
  // Names whose byte order is the list box's order; a refill with some of them (found in
  // order without collating again) and with new ones among them; names where the list
  // box's word sort (which passes over hyphens) and byte order disagree; two-byte names.
  const std::vector<std::vector<const char*>> cases = {
      {"PART-002", "PART-010", "PART-001", "BOLT", "ZED"},
      {"ZED", "PART-001", "BOLT"},
      {"ZED", "PART-001", "PART-0001", "BOLT", "ZE"},
      {"A-C", "AB", "DESK-LAMP", "DESKS", "X_1", "X1", "CO-OP", "COOP", "CAB"},
      {"\xC7\xD1", "A-C", "\xB0\xA1", "AB", "Z"},
  };
  // Numbered names, among them ones that begin others and ones whose digits follow a
  // hyphen, which the word sort passes over.
  std::vector<std::string> numbered = {"DOOR",  "DOOR-", "DOOR-7", "DOOR-07", "DOOR-70", "DOOR-007",
                                       "DOOR7", "D-1",   "D1",     "D-10",    "D10",     "D-9"};
  unsigned seed = 12345;
  for (int i = 0; i < 400; ++i) {
    seed = seed * 1103515245u + 12345u;
    const char* stems[] = {"P", "P-", "PART-", "PART-0", "A-B", "AB", "X_"};
    std::string name = stems[(seed >> 8) % 7];
    for (unsigned n = (seed >> 16) % 4; n > 0; --n) {
      seed = seed * 1103515245u + 12345u;
      name += static_cast<char>('0' + (seed >> 12) % 10);
    }
    numbered.push_back(name);
  }
  std::sort(numbered.begin(), numbered.end());
  numbered.erase(std::unique(numbered.begin(), numbered.end()), numbered.end());
  std::vector<std::vector<const char*>> withNumbered = cases;
  withNumbered.emplace_back();
  for (const std::string& name : numbered)
    withNumbered.back().push_back(name.c_str());
  for (const auto& upperNames : withNumbered) {
    CStringList names;
    for (const char* name : upperNames)
      names.AddTail(name);
    fillList(m_list, names, "*", 1);
    EXPECT_EQ(entries(), sortedByListBox(upperNames)) << "first name: " << upperNames[0];
  }
  // Added to a list that already holds entries.
  CStringList more;
  more.AddTail("PART-005");
  more.AddTail("AAA");
  fillList(m_list, more, "*", 0);
  std::vector<const char*> all = withNumbered.back();
  all.push_back("PART-005");
  all.push_back("AAA");
  EXPECT_EQ(entries(), sortedByListBox(all));
}

TEST(FormatMessageBox, formats_the_text_and_cuts_it_to_255_characters)
{
  int answer = 0;
  BoxSeen seen = closeNextMessageBox(
      [&] { answer = formatMessageBox(nullptr, 0x10, "Error", "%s : %d", "short", 42); });
  ASSERT_TRUE(seen.found) << "no message box appeared";
  EXPECT_EQ(seen.caption, "Error");
  EXPECT_EQ(seen.text, "short : 42");
  EXPECT_EQ(answer, IDOK);

  std::string longText(600, 'x');
  seen = closeNextMessageBox(
      [&] { formatMessageBox(nullptr, 0x10, "Error", "<%s>", longText.c_str()); });
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "<" + std::string(254, 'x')) << "expected the first 255 characters";
}

// The dialog's current drawing is the host's working database: an empty drawing here.
class BlockDialog : public ::testing::Test {
protected:
  static void SetUpTestSuite() { hostOpenDocument(nullptr); }
  static void TearDownTestSuite() { hostCloseAllDocuments(); }
};

TEST_F(BlockDialog, unreadable_file_shows_why_in_a_box_owned_by_the_parent)
{
  // Six lines, cut inside the BLOCK of line 5: the reader stops at line 6.
  std::string path = tempFile("quill-broken.dxf", "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n");
  HWND chooser = CreateWindowExA(0, "STATIC", "chooser", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
  {
    CBlockDialog dialog(CWnd::FromHandle(chooser));
    BoxSeen seen = closeNextMessageBox([&] { dialog.openDrawing(path.c_str()); });
    ASSERT_TRUE(seen.found) << "no error box for an unreadable file";
    EXPECT_EQ(seen.caption, "Error");
    const std::string first = "Can't open database : " + path + "\n";
    EXPECT_EQ(seen.text.substr(0, first.size()), first) << seen.text;
    EXPECT_EQ(seen.text.substr(first.size(), 22), "line 6: group code 0: ") << seen.text;
    EXPECT_EQ(seen.owner, chooser) << "the box belongs to the dialog's parent";
  }
  DestroyWindow(chooser);
  DeleteFileA(path.c_str());
}

TEST_F(BlockDialog, unreadable_file_shows_an_ownerless_error_box_and_its_database_is_deleted_once)
{
  std::string path = tempFile("quill-broken.dxf", "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n");
  AcDbDatabase* current = s_pServices->workingDatabase();
  ASSERT_NE(current, nullptr);
  {
    CBlockDialog dialog(nullptr);
    BoxSeen seen = closeNextMessageBox([&] { dialog.openDrawing(path.c_str()); });
    ASSERT_TRUE(seen.found) << "no error box for an unreadable file";
    EXPECT_EQ(seen.caption, "Error");
    EXPECT_EQ(seen.owner, nullptr) << "no parent, no window yet: the box has no owner";
    // The dialog keeps the database it made and owns it.
    ASSERT_NE(dialog.m_database, nullptr);
    EXPECT_NE(dialog.m_database, current);
    EXPECT_EQ(std::string(dialog.m_path), path);

    watchDeletes(dialog.m_database);
    // Switching to the current drawing releases the private database ...
    dialog.openDrawing(nullptr);
    EXPECT_EQ(watchedDeletes(), 1);
    EXPECT_EQ(dialog.m_database, current);
    EXPECT_TRUE(dialog.m_path.IsEmpty());
  }
  // ... and the destructor leaves the current drawing alone.
  EXPECT_EQ(watchedDeletes(), 1);
  EXPECT_EQ(s_pServices->workingDatabase(), current);

  // Kept to the end, the private database goes with the dialog, once.
  {
    CBlockDialog dialog(nullptr);
    closeNextMessageBox([&] { dialog.openDrawing(path.c_str()); });
    watchDeletes(dialog.m_database);
  }
  EXPECT_EQ(watchedDeletes(), 1) << "the destructor must delete the private database once";
  watchDeletes(nullptr);
  DeleteFileA(path.c_str());
}

} // namespace
