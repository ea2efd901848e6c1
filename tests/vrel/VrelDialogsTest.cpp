// The maker's dialog libraries as the module calls them: exports found by their plain
// names, the chooser's listing, result and callback, and the about box's texts.
#include "DialogDriver.h"
#include "vrel/VrelAppDlg/VrelAppDlg.h"
#include "vrel/VrelAppDlg/VrelAppDlgIds.h"
#include "vrel/VrelDlg/VrelDlg.h"
#include "vrel/VrelDlg/VrelDlgIds.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

typedef decltype(&VrelDlgAppDwgFile) ChooserFn;
typedef decltype(&VrelDlgAbout) AboutFn;

const char kChooser[] = "Select Drawing File";

std::string fullPath(const std::string& path)
{
  char buffer[MAX_PATH];
  GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
  return buffer;
}

void writeFile(const std::string& path)
{
  FILE* file = fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << "cannot write " << path;
  fputs("0\nEOF\n", file);
  fclose(file);
}

class Chooser : public ::testing::Test {
protected:
  void SetUp() override
  {
    m_library = LoadLibraryA("VrelAppDlg.dll");
    ASSERT_NE(m_library, nullptr);
    m_choose = reinterpret_cast<ChooserFn>(
        reinterpret_cast<void*>(GetProcAddress(m_library, "VrelDlgAppDwgFile")));
    ASSERT_NE(m_choose, nullptr) << "VrelDlgAppDwgFile is not exported under its plain name";
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_folder = fullPath(std::string(temp) + "quill-vrel-" + std::to_string(GetCurrentProcessId()));
    CreateDirectoryA(m_folder.c_str(), nullptr);
    for (const char* sub : {"b-dir", "A-dir"})
      CreateDirectoryA((m_folder + "\\" + sub).c_str(), nullptr);
    for (const char* name : {"z.DXF", "a.dwg", "m.dxf", "n.txt", "dxf", "x.dxfx"})
      writeFile(m_folder + "\\" + name);
  }
  void TearDown() override
  {
    for (const char* name : {"z.DXF", "a.dwg", "m.dxf", "n.txt", "dxf", "x.dxfx"})
      DeleteFileA((m_folder + "\\" + name).c_str());
    for (const char* sub : {"b-dir", "A-dir"})
      RemoveDirectoryA((m_folder + "\\" + sub).c_str());
    RemoveDirectoryA(m_folder.c_str());
    FreeLibrary(m_library);
  }
  HMODULE m_library = nullptr;
  ChooserFn m_choose = nullptr;
  std::string m_folder;
};

// Set by the callback of the tests below.
HWND g_calledWith = nullptr;
std::string g_calledPath;
int g_calls = 0;
void recordCall(HWND chooser, const char* path)
{
  g_calledWith = chooser;
  g_calledPath = path;
  ++g_calls;
}

TEST_F(Chooser, lists_sub_folders_then_drawing_files_and_returns_the_chosen_full_path)
{
  std::string listed, folderShown;
  DialogDriver driver(kChooser, [&](HWND dialog) {
    folderShown = DialogDriver::text(dialog, IDC_DWG_FOLDER);
    listed = DialogDriver::listEntries(dialog, IDC_DWG_FILES);
    DialogDriver::selectEntry(dialog, IDC_DWG_FILES, "m.dxf");
    DialogDriver::click(dialog, IDOK);
  });
  char chosen[256] = "junk";
  int result = m_choose(nullptr, m_folder.c_str(), chosen, recordCall);
  driver.join();
  ASSERT_TRUE(driver.found()) << "the chooser did not appear";
  EXPECT_EQ(folderShown, m_folder);
  EXPECT_EQ(listed, "[..]\n[A-dir]\n[b-dir]\na.dwg\nm.dxf\nz.DXF\n");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(std::string(chosen), m_folder + "\\m.dxf");
}

TEST_F(Chooser, cancel_returns_0_with_an_empty_path_even_after_browsing_blocks)
{
  g_calls = 0;
  HWND chooserWindow = nullptr;
  DialogDriver driver(kChooser, [&](HWND dialog) {
    chooserWindow = dialog;
    DialogDriver::click(dialog, IDC_DWG_BLOCKS); // nothing chosen yet: no call
    DialogDriver::selectEntry(dialog, IDC_DWG_FILES, "z.DXF");
    DialogDriver::click(dialog, IDC_DWG_BLOCKS);
    DialogDriver::settle(dialog);
    DialogDriver::click(dialog, IDCANCEL);
  });
  char chosen[256] = "junk";
  int result = m_choose(nullptr, m_folder.c_str(), chosen, recordCall);
  driver.join();
  ASSERT_TRUE(driver.found());
  EXPECT_EQ(result, 0);
  EXPECT_STREQ(chosen, "");
  EXPECT_EQ(g_calls, 1) << "\"Blocks...\" with no file must not call back";
  EXPECT_EQ(g_calledWith, chooserWindow) << "the callback gets the chooser's own window";
  EXPECT_EQ(g_calledPath, m_folder + "\\z.DXF");
}

TEST_F(Chooser, start_at_a_file_preselects_it_and_a_missing_folder_starts_here)
{
  std::string name;
  DialogDriver driver(kChooser, [&](HWND dialog) {
    name = DialogDriver::text(dialog, IDC_DWG_NAME);
    DialogDriver::click(dialog, IDOK);
  });
  char chosen[256];
  EXPECT_EQ(m_choose(nullptr, (m_folder + "\\a.dwg").c_str(), chosen, nullptr), 1);
  driver.join();
  EXPECT_EQ(name, "a.dwg");
  EXPECT_EQ(std::string(chosen), m_folder + "\\a.dwg");

  std::string folderShown;
  DialogDriver again(kChooser, [&](HWND dialog) {
    folderShown = DialogDriver::text(dialog, IDC_DWG_FOLDER);
    DialogDriver::click(dialog, IDCANCEL);
  });
  EXPECT_EQ(m_choose(nullptr, (m_folder + "\\no-such-folder").c_str(), chosen, nullptr), 0);
  again.join();
  EXPECT_EQ(folderShown, fullPath("."));
}

TEST_F(Chooser, refuses_a_path_longer_than_the_callers_255_characters)
{
  // Folders up to 240 characters, then a file whose full path has 258.
  std::string folder = m_folder;
  std::vector<std::string> made;
  while (folder.size() < 240) {
    std::string part(std::min<size_t>(40, 240 - folder.size() - 1), 'd');
    folder += "\\" + part;
    CreateDirectoryA(folder.c_str(), nullptr);
    made.push_back(folder);
  }
  std::string file = folder + "\\abcdefghijklm.dxf";
  ASSERT_EQ(file.size(), 258u);
  writeFile(file);

  bool refused = false;
  DialogDriver driver(kChooser, [&](HWND dialog) {
    DialogDriver::selectEntry(dialog, IDC_DWG_FILES, "abcdefghijklm.dxf");
    DialogDriver::click(dialog, IDOK);
    // The chooser stays and tells the user in a box of its own, on the same thread.
    for (int i = 0; i < 300 && !refused; ++i, Sleep(10)) {
      struct Find {
        HWND chooser, box;
      } find{dialog, nullptr};
      EnumThreadWindows(
          GetWindowThreadProcessId(dialog, nullptr),
          [](HWND window, LPARAM param) -> BOOL {
            Find* f = reinterpret_cast<Find*>(param);
            if (window != f->chooser && IsWindowVisible(window) &&
                GetWindow(window, GW_OWNER) == f->chooser)
              f->box = window;
            return f->box == nullptr;
          },
          reinterpret_cast<LPARAM>(&find));
      if (find.box) {
        refused = true;
        PostMessageA(find.box, WM_COMMAND, IDOK, 0);
      }
    }
    DialogDriver::click(dialog, IDCANCEL);
  });
  char chosen[256] = "";
  int result = m_choose(nullptr, folder.c_str(), chosen, nullptr);
  driver.join();
  EXPECT_TRUE(refused) << "no message box refused the long path";
  EXPECT_EQ(result, 0);
  EXPECT_STREQ(chosen, "");
  DeleteFileA(file.c_str());
  for (auto it = made.rbegin(); it != made.rend(); ++it)
    RemoveDirectoryA(it->c_str());
}

TEST(AboutBox, shows_the_five_texts_and_a_default_icon_and_returns_idok)
{
  HMODULE library = LoadLibraryA("VrelDlg.dll");
  ASSERT_NE(library, nullptr);
  AboutFn about =
      reinterpret_cast<AboutFn>(reinterpret_cast<void*>(GetProcAddress(library, "VrelDlgAbout")));
  ASSERT_NE(about, nullptr) << "VrelDlgAbout is not exported under its plain name";
  std::string texts;
  HICON shown = nullptr;
  DialogDriver driver("About Quillmark", [&](HWND dialog) {
    for (int id = IDC_ABOUT_PRODUCT; id <= IDC_ABOUT_EMAIL; ++id)
      texts += DialogDriver::text(dialog, id) + "|";
    shown = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0));
    DialogDriver::click(dialog, IDOK);
  });
  int result = about(nullptr, nullptr, "Quillmark", "Version 1.0 Beta2", "legal", "web", nullptr);
  driver.join();
  ASSERT_TRUE(driver.found()) << "no window \"About Quillmark\"";
  EXPECT_EQ(texts, "Quillmark|Version 1.0 Beta2|legal|web||");
  EXPECT_NE(shown, nullptr) << "a null icon shows the default one";
  EXPECT_EQ(result, IDOK);
  FreeLibrary(library);
}

} // namespace
