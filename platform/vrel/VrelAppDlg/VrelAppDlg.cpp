// The drawing-file chooser of VrelAppDlg.dll: a dialog from this DLL's own template
// with a folder edit, the folder's sub-folders and drawing files, a file name edit and
// a "Blocks..." button that hands the selected file to the caller's callback.
#include "VrelAppDlg.h"
#include "FolderListing.h"
#include "VrelAppDlgIds.h"

#include <shlwapi.h>

#include <cstring>
#include <string>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

const char kCaption[] = "Select Drawing File";
const size_t kMaxPath = 255; // longest path the caller's 256-byte buffer holds

// State of one chooser, owned by VrelDlgAppDwgFile's stack frame.
struct Chooser {
  std::string start;            // the start path as given
  char* chosen;                 // the caller's 256-byte result buffer
  VrelDwgFileCallback callback; // called by "Blocks..."; may be null
  std::string folder;           // full path of the folder listed; empty when none
  bool inCallback = false;      // the callback is running (a box or a dialog over us)
  int pendingEnd = -1;          // the result a close asked for meanwhile, or -1
};

// Ends the chooser with `result`; while the callback runs, once it has returned.
// (Ended inside the callback, the chooser would be hidden under the dialog the
// callback opens on it, and its loop, woken only by a posted message that the
// nested loops take, would wait for good.)
void endChooser(HWND dialog, Chooser& chooser, int result)
{
  if (chooser.inCallback) {
    chooser.pendingEnd = result;
    return;
  }
  EndDialog(dialog, result);
}

std::string windowText(HWND window)
{
  int length = GetWindowTextLengthA(window);
  std::string text(length + 1, '\0');
  GetWindowTextA(window, &text[0], length + 1);
  text.resize(strlen(text.c_str()));
  return text;
}

// The full path of `path` (relative to the current folder), or "" when it cannot be made.
std::string fullPath(const std::string& path)
{
  char buffer[MAX_PATH * 2];
  DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  if (n == 0 || n >= sizeof buffer)
    return std::string();
  std::string full = buffer;
  // "C:\dir\" -> "C:\dir", but the root keeps its backslash.
  while (full.size() > 3 && full.back() == '\\')
    full.pop_back();
  return full;
}

bool isFolder(const std::string& path)
{
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isFile(const std::string& path)
{
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string joinPath(const std::string& folder, const std::string& name)
{
  if (!PathIsRelativeA(name.c_str()) || folder.empty())
    return fullPath(name);
  std::string joined = folder;
  if (joined.back() != '\\')
    joined += '\\';
  return fullPath(joined + name);
}

// Lists the folder whose path the folder edit holds (re-read on every change of the
// edit, so typing a folder shows it at once; a folder that does not exist lists nothing).
void refreshList(HWND dialog, Chooser& chooser)
{
  HWND list = GetDlgItem(dialog, IDC_DWG_FILES);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  std::string typed = windowText(GetDlgItem(dialog, IDC_DWG_FOLDER));
  chooser.folder = typed.empty() ? std::string() : fullPath(typed);
  FolderListing listing;
  if (chooser.folder.empty() || !listFolder(chooser.folder, listing)) {
    chooser.folder.clear();
    return;
  }
  for (const std::string& name : listing.folders)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("[" + name + "]").c_str()));
  for (const std::string& name : listing.files)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

// The text of the selected list entry, or "" when none is selected.
std::string selectedEntry(HWND dialog)
{
  HWND list = GetDlgItem(dialog, IDC_DWG_FILES);
  LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR)
    return std::string();
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR)
    return std::string();
  std::string text(length + 1, '\0');
  SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(strlen(text.c_str()));
  return text;
}

bool isFolderEntry(const std::string& entry)
{
  return entry.size() > 2 && entry.front() == '[' && entry.back() == ']';
}

// Shows the folder `name` (a sub-folder entry's name, or "..") of the current folder.
void enterFolder(HWND dialog, Chooser& chooser, const std::string& name)
{
  std::string target = joinPath(chooser.folder, name);
  if (target.empty())
    return;
  SetDlgItemTextA(dialog, IDC_DWG_NAME, "");
  SetDlgItemTextA(dialog, IDC_DWG_FOLDER, target.c_str()); // EN_CHANGE refreshes the list
}

// The full path of the file the name edit designates, or "" (after telling the user)
// when there is none, it does not exist or its path is too long.
std::string chosenFile(HWND dialog, const Chooser& chooser)
{
  std::string name = windowText(GetDlgItem(dialog, IDC_DWG_NAME));
  if (name.empty()) {
    MessageBeep(MB_OK);
    return std::string();
  }
  std::string path = joinPath(chooser.folder, name);
  if (path.empty() || !isFile(path)) {
    std::string text = "Cannot find the file \"" + name + "\".";
    MessageBoxA(dialog, text.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
    return std::string();
  }
  if (path.size() > kMaxPath) {
    MessageBoxA(dialog, "The path of this file is longer than 255 characters.", kCaption,
                MB_OK | MB_ICONEXCLAMATION);
    return std::string();
  }
  return path;
}

void onInit(HWND dialog, Chooser& chooser)
{
  std::string start = chooser.start.empty() ? std::string() : fullPath(chooser.start);
  std::string folder, name;
  if (!start.empty() && isFolder(start)) {
    folder = start;
  } else if (!start.empty() && isFile(start)) {
    folder = fullPath(start + "\\..");
    name = PathFindFileNameA(start.c_str());
  } else {
    folder = fullPath(".");
  }
  SendDlgItemMessageA(dialog, IDC_DWG_FOLDER, EM_LIMITTEXT, MAX_PATH, 0);
  SetDlgItemTextA(dialog, IDC_DWG_FOLDER, folder.c_str());
  refreshList(dialog, chooser);
  SetDlgItemTextA(dialog, IDC_DWG_NAME, name.c_str());
  if (!name.empty())
    SendDlgItemMessageA(dialog, IDC_DWG_FILES, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(name.c_str()));
}

void onCommand(HWND dialog, Chooser& chooser, int id, int code)
{
  switch (id) {
  case IDC_DWG_FOLDER:
    if (code == EN_CHANGE)
      refreshList(dialog, chooser);
    break;
  case IDC_DWG_FILES: {
    std::string entry = selectedEntry(dialog);
    if (code == LBN_SELCHANGE && !entry.empty() && !isFolderEntry(entry))
      SetDlgItemTextA(dialog, IDC_DWG_NAME, entry.c_str());
    else if (code == LBN_DBLCLK && isFolderEntry(entry))
      enterFolder(dialog, chooser, entry.substr(1, entry.size() - 2));
    else if (code == LBN_DBLCLK && !entry.empty())
      onCommand(dialog, chooser, IDOK, BN_CLICKED);
    break;
  }
  case IDC_DWG_BLOCKS: {
    if (chooser.inCallback)
      break; // one drawing at a time
    std::string path = chosenFile(dialog, chooser);
    if (!path.empty() && chooser.callback) {
      chooser.inCallback = true;
      chooser.callback(dialog, path.c_str());
      chooser.inCallback = false;
      if (chooser.pendingEnd >= 0) {
        EndDialog(dialog, chooser.pendingEnd);
        PostMessageA(dialog, WM_NULL, 0, 0); // wakes the chooser's loop to see it end
      }
    }
    break;
  }
  case IDOK: {
    // Enter in the list on a folder entry opens it, as in Windows' own file dialogs, even
    // when a file chosen earlier is still named; so does OK with no file named.
    std::string entry = selectedEntry(dialog);
    bool inList = GetFocus() == GetDlgItem(dialog, IDC_DWG_FILES);
    bool named = !windowText(GetDlgItem(dialog, IDC_DWG_NAME)).empty();
    if (isFolderEntry(entry) && (inList || !named)) {
      enterFolder(dialog, chooser, entry.substr(1, entry.size() - 2));
      break;
    }
    std::string path = chosenFile(dialog, chooser);
    if (!path.empty()) {
      memcpy(chooser.chosen, path.c_str(), path.size() + 1);
      endChooser(dialog, chooser, 1);
    }
    break;
  }
  case IDCANCEL:
    endChooser(dialog, chooser, 0);
    break;
  }
}

INT_PTR CALLBACK chooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
  switch (message) {
  case WM_INITDIALOG:
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    onInit(dialog, *reinterpret_cast<Chooser*>(lParam));
    return TRUE;
  case WM_COMMAND: {
    Chooser* chooser = reinterpret_cast<Chooser*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (chooser)
      onCommand(dialog, *chooser, LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }
  }
  return FALSE;
}

} // namespace

int VrelDlgAppDwgFile(HWND parent, const char* startPath, char* chosenPath,
                      VrelDwgFileCallback callback)
{
  if (!chosenPath)
    return -1;
  chosenPath[0] = '\0';
  Chooser chooser{startPath ? startPath : "", chosenPath, callback, std::string()};
  INT_PTR result =
      DialogBoxParamA(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEA(IDD_VREL_DWGFILE),
                      parent, chooserProc, reinterpret_cast<LPARAM>(&chooser));
  if (result != 1)
    chosenPath[0] = '\0';
  return result == 1 ? 1 : (result == 0 ? 0 : -1);
}
