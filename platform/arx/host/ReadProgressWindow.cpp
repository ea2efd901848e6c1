// The host's progress window for long drawing reads: a read that goes on for more
// than half a second shows a small window with the file's name, a bar and Cancel,
// owned by the window that was active (which is disabled meanwhile, as under a
// modal dialog). While it is up the read lets the windows' messages through every
// few hundredths of a second, so that the windows behind stay painted and Cancel
// can be pressed; Cancel (or Escape, or the close box) stops the read.
#include "arx/db/DrawingReadWatcher.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

const ULONGLONG kShowAfterMs = 500; // a read shorter than this shows nothing
const ULONGLONG kPumpEveryMs = 30;  // how often the windows get their messages
const int kBarSteps = 1000;         // the bar's range
const WORD kIdName = 100;           // the static text with the file name
const WORD kIdBar = 101;            // the progress bar
const char kCaption[] = "Reading drawing";

// An in-memory dialog template: the header, then each item, DWORD-aligned.
class TemplateWriter {
public:
  void header(DWORD style, WORD items, short cx, short cy, const char* caption)
  {
    DLGTEMPLATE t = {style, 0, items, 0, 0, cx, cy};
    append(&t, sizeof t);
    word(0); // no menu
    word(0); // the standard dialog class
    text(caption);
    word(8); // DS_SETFONT: point size and face
    text("MS Shell Dlg");
  }
  void item(DWORD style, short x, short y, short cx, short cy, WORD id, const char* cls,
            const char* caption)
  {
    align();
    DLGITEMTEMPLATE t = {style | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy, id};
    append(&t, sizeof t);
    text(cls);
    text(caption);
    word(0); // no creation data
  }
  const DLGTEMPLATE* data() { return reinterpret_cast<const DLGTEMPLATE*>(m_bytes.data()); }

private:
  void append(const void* p, size_t n)
  {
    const BYTE* b = static_cast<const BYTE*>(p);
    m_bytes.insert(m_bytes.end(), b, b + n);
  }
  void word(WORD w) { append(&w, sizeof w); }
  void text(const char* s)
  {
    for (; *s != '\0'; ++s)
      word(static_cast<BYTE>(*s));
    word(0);
  }
  void align()
  {
    while (m_bytes.size() % 4 != 0)
      m_bytes.push_back(0);
  }
  std::vector<BYTE> m_bytes;
};

class ReadProgressWindow : public DrawingReadWatcher {
public:
  ReadProgressWindow() { setDrawingReadWatcher(this); }
  ~ReadProgressWindow() override
  {
    if (drawingReadWatcher() == this)
      setDrawingReadWatcher(nullptr);
  }

  void begin(const char* file) override
  {
    m_file = file != nullptr ? file : "";
    m_start = GetTickCount64();
    m_lastPump = m_start;
    m_cancelled = false;
    m_window = nullptr;
    m_owner = nullptr;
    m_position = -1;
  }

  bool advance(double fraction) override
  {
    ULONGLONG now = GetTickCount64();
    if (m_cancelled || now - m_lastPump < kPumpEveryMs)
      return !m_cancelled;
    m_lastPump = now;
    if (m_window == nullptr) {
      if (now - m_start < kShowAfterMs)
        return true;
      show();
    }
    int position = static_cast<int>(fraction * kBarSteps);
    if (m_window != nullptr && position != m_position) {
      m_position = position;
      SendDlgItemMessageA(m_window, kIdBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    pump();
    return !m_cancelled;
  }

  bool end() override
  {
    if (m_window != nullptr) {
      // The owner is enabled again first, so that it becomes active when we go.
      if (m_owner != nullptr)
        EnableWindow(m_owner, TRUE);
      DestroyWindow(m_window);
      m_window = nullptr;
    }
    return m_cancelled;
  }

private:
  static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
  {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrA(window, DWLP_USER, lParam);
      return TRUE;
    }
    auto* self = reinterpret_cast<ReadProgressWindow*>(GetWindowLongPtrA(window, DWLP_USER));
    if (self != nullptr &&
        ((message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) || message == WM_CLOSE)) {
      self->m_cancelled = true;
      return TRUE;
    }
    return FALSE;
  }

  void show()
  {
    // The bar's class comes from comctl32, loaded only now: a process that never
    // reads a long drawing does not pay for the library at its start.
    HMODULE comctl = LoadLibraryA("comctl32.dll");
    typedef BOOL(WINAPI * InitFn)(const INITCOMMONCONTROLSEX*);
    auto init = comctl != nullptr ? reinterpret_cast<InitFn>(reinterpret_cast<void*>(
                                        GetProcAddress(comctl, "InitCommonControlsEx")))
                                  : nullptr;
    if (init == nullptr)
      return;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    init(&controls);
    TemplateWriter t;
    t.header(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU |
                 WS_VISIBLE,
             3, 200, 62, kCaption);
    t.item(SS_LEFT | SS_PATHELLIPSIS | SS_NOPREFIX, 7, 7, 186, 9, kIdName, "STATIC",
           m_file.c_str());
    t.item(WS_BORDER, 7, 20, 186, 10, kIdBar, PROGRESS_CLASSA, "");
    t.item(BS_PUSHBUTTON | WS_TABSTOP, 75, 38, 50, 14, IDCANCEL, "BUTTON", "Cancel");
    HWND active = GetActiveWindow();
    m_window = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), t.data(), active, &dialogProc,
                                          reinterpret_cast<LPARAM>(this));
    if (m_window == nullptr)
      return;
    SendDlgItemMessageA(m_window, kIdBar, PBM_SETRANGE32, 0, kBarSteps);
    // The file name as it is (the template's text is ASCII only).
    SetDlgItemTextA(m_window, kIdName, m_file.c_str());
    // Like a modal dialog: the window behind is painted but cannot be used.
    if (active != nullptr && IsWindowEnabled(active)) {
      m_owner = active;
      EnableWindow(m_owner, FALSE);
    }
  }

  // Lets every waiting message through: paints for the windows behind, and the
  // progress window's own input.
  void pump()
  {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam)); // for the loop that ends on it
        m_cancelled = true;
        return;
      }
      if (m_window != nullptr && IsDialogMessageA(m_window, &msg))
        continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  std::string m_file;       // the file read
  ULONGLONG m_start = 0;    // when the read began
  ULONGLONG m_lastPump = 0; // when the messages last went through
  HWND m_window = nullptr;  // the progress window, once shown
  HWND m_owner = nullptr;   // the window disabled while it is up
  int m_position = -1;      // the bar's position
  bool m_cancelled = false; // Cancel was pressed
};

// The host's watcher, installed when the host's library is loaded.
ReadProgressWindow g_progressWindow;

} // namespace
