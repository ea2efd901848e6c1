// The --ui script runner. A thread of its own reads the steps and acts on the windows
// of minicad's user-interface thread as a user would. The UI thread is then inside a
// dialog's modal loop, which dispatches the messages this thread sends it, so every
// step is synchronised with the dialog:
//  - steps that may open a modal window (a button press, a list selection's
//    notification) are sent with SendNotifyMessage, which does not wait for the handler;
//    sent messages are dispatched in the order they were sent, so the next step's
//    messages are handled after it (or inside the modal loop it opened);
//  - other steps use SendMessageTimeout, which waits until the dialog has handled them.
// A step that cannot be done prints its line and fails the run; every dialog and box
// of the UI thread is then cancelled, innermost first, as are those open when the
// script ends and those that appear later, so that minicad never waits on a dialog
// that nobody will close.
#include "minicad/UiScript.h"

#include "arx/ads/CommandLine.h"

// gdiplus.h needs what WIN32_LEAN_AND_MEAN leaves out of windows.h.
#include <objidl.h>

#include <gdiplus.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const DWORD kWaitLimitMs = 10000;     // longest a `wait` step waits for its window
const DWORD kSendLimitMs = 5000;      // longest a step waits for the dialog to answer
const char kDialogClass[] = "#32770"; // the class of dialogs and message boxes

// One line of the script: the step's word and its arguments, quotes removed.
struct Step {
  int line;                       // 1-based line number in the script
  std::vector<std::string> words; // words[0] is the step ("wait", "type", ...)
  std::vector<bool> quoted;       // quoted[i]: words[i] was written in quotes
  std::string error;              // a syntax error of the line; empty when none
};

// The state of the one script run of the process.
struct Runner {
  std::string path;        // the script file, as named on the command line
  std::vector<Step> steps; // the script's steps in order
  DWORD uiThread = 0;      // the thread whose windows the steps act on
  HANDLE thread = nullptr; // the runner thread
  HANDLE finish = nullptr; // manual-reset event: minicad's expressions have ended
  HWND window = nullptr;   // the window of the most recent `wait`
  std::string caption;     // its caption, for messages
  bool failed = false;     // a step failed or a dialog was left open
};

Runner g_runner;

// Splits a line into words; "quoted text" is one word (\" and \\ inside quotes).
// Returns false with `error` set on an unterminated quote.
bool splitLine(const std::string& line, std::vector<std::string>& words, std::vector<bool>& quoted,
               std::string& error)
{
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
    } else if (c == '"') {
      std::string word;
      ++i;
      while (i < line.size() && line[i] != '"') {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\'))
          ++i;
        word += line[i++];
      }
      if (i >= line.size()) {
        error = "unterminated quoted text";
        return false;
      }
      ++i;
      words.push_back(word);
      quoted.push_back(true);
    } else {
      size_t start = i;
      while (i < line.size() && !strchr(" \t\r\n", line[i]))
        ++i;
      words.push_back(line.substr(start, i - start));
      quoted.push_back(false);
    }
  }
  return true;
}

// Checks a step's word and argument count; returns the problem, or "" when it is well formed.
std::string checkStep(const std::vector<std::string>& w)
{
  const std::string& s = w[0];
  size_t n = w.size() - 1;
  if (s == "wait" || s == "click" || s == "list")
    return n == 1 ? "" : s + " takes one argument";
  if (s == "type" || s == "select" || s == "snap")
    return n == 2 ? "" : s + " takes two arguments";
  return "unknown step \"" + s + "\"";
}

void report(int line, const std::string& text)
{
  fprintf(stderr, "ui: %s:%d: %s\n", g_runner.path.c_str(), line, text.c_str());
  fflush(stderr);
}

// A control id of the script: a decimal number (ids of -1 cannot be addressed).
bool parseId(const std::string& word, int& id)
{
  char* end = nullptr;
  long value = strtol(word.c_str(), &end, 10);
  if (word.empty() || *end != '\0' || value < 0 || value > 0xFFFF)
    return false;
  id = static_cast<int>(value);
  return true;
}

std::string windowText(HWND window)
{
  char text[512] = "";
  DWORD_PTR length = 0;
  // WM_GETTEXT through the timeout so that a busy thread cannot hold the runner.
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                      kSendLimitMs, &length);
  text[sizeof text - 1] = '\0';
  return text;
}

std::string className(HWND window)
{
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool finishRequested()
{
  return WaitForSingleObject(g_runner.finish, 0) == WAIT_OBJECT_0;
}

// The visible top-level windows of the UI thread (owned windows included), topmost first.
std::vector<HWND> uiWindows()
{
  std::vector<HWND> windows;
  EnumThreadWindows(
      g_runner.uiThread,
      [](HWND window, LPARAM list) -> BOOL {
        if (IsWindowVisible(window))
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> uiDialogs()
{
  std::vector<HWND> dialogs;
  for (HWND window : uiWindows())
    if (className(window) == kDialogClass)
      dialogs.push_back(window);
  return dialogs;
}

// Sends a message that the dialog answers at once; false when it did not answer.
bool sendNow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);

// Lets the UI thread handle what the steps sent it: a round trip through its topmost
// dialog. A click sent just before may be opening a box, whose modal loop answers.
void settle()
{
  std::vector<HWND> dialogs = uiDialogs();
  if (!dialogs.empty())
    sendNow(dialogs[0], WM_NULL, 0, 0);
}

// The innermost of the open dialogs: an enabled one that owns none of the others
// (the topmost such, for boxes without an owner); null when every one is disabled.
HWND innermost(const std::vector<HWND>& dialogs)
{
  for (HWND dialog : dialogs) {
    if (!IsWindowEnabled(dialog))
      continue;
    bool owner = false;
    for (HWND other : dialogs)
      owner = owner || (other != dialog && GetWindow(other, GW_OWNER) == dialog);
    if (!owner)
      return dialog;
  }
  return nullptr;
}

// Closes every dialog and box of the UI thread, innermost first, as Escape would
// (IDCANCEL; WM_CLOSE for one that ignores it), each gone before the next is asked.
// An outer dialog cancelled while an inner one runs would end inside the inner modal
// loop, and its own loop would then wait for a message that never comes: so the
// thread first handles what was sent to it (a box may be opening), and a posted
// WM_NULL wakes a loop whose dialog has ended. Gives up after the wait limit.
void cancelDialogs()
{
  DWORD start = GetTickCount();
  int attempts = 0;
  HWND last = nullptr;
  for (;;) {
    settle();
    std::vector<HWND> dialogs = uiDialogs();
    if (dialogs.empty() || GetTickCount() - start > kWaitLimitMs)
      return;
    HWND dialog = innermost(dialogs);
    if (dialog != last) {
      last = dialog;
      attempts = 0;
    }
    if (dialog) {
      UINT message = attempts % 10 == 9 ? WM_CLOSE : WM_COMMAND;
      PostMessageA(dialog, message, message == WM_COMMAND ? IDCANCEL : 0, 0);
      ++attempts;
    }
    PostThreadMessageA(g_runner.uiThread, WM_NULL, 0, 0);
    // Wait for it to go (EndDialog hides it at once) before asking the next one.
    for (int i = 0; i < 10 && dialog && IsWindow(dialog) && IsWindowVisible(dialog); ++i)
      Sleep(20);
  }
}

bool sendNow(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendLimitMs, &answer))
    return false;
  if (result)
    *result = static_cast<LRESULT>(answer);
  return true;
}

// The result of one step: "" when done, else what went wrong.
typedef std::string Outcome;

Outcome stepWait(const std::string& caption)
{
  // Let the previous window handle what was sent to it first, so that a window that an
  // earlier click closed is gone (EndDialog hides it at once) and is not found again.
  if (g_runner.window && IsWindow(g_runner.window))
    sendNow(g_runner.window, WM_NULL, 0, 0);
  DWORD start = GetTickCount();
  for (;;) {
    for (HWND window : uiWindows()) {
      if (IsWindowEnabled(window) && windowText(window).compare(0, caption.size(), caption) == 0) {
        g_runner.window = window;
        g_runner.caption = windowText(window);
        return "";
      }
    }
    // Once minicad's expressions have ended no window can appear any more.
    if (finishRequested())
      return "no window \"" + caption + "\" appeared before the expressions ended";
    if (GetTickCount() - start > kWaitLimitMs)
      return "no window \"" + caption + "\" appeared within 10 s";
    Sleep(2); // (the steps after it, and timed runs, go on as soon as it shows)
  }
}

// The control `idWord` of the waited window, checked to be of class `kind` (or any when null).
Outcome findControl(const std::string& idWord, const char* kind, HWND& control)
{
  if (!g_runner.window)
    return "no window: a \"wait\" step must come first";
  if (!IsWindow(g_runner.window))
    return "the window \"" + g_runner.caption + "\" has gone";
  int id = 0;
  if (!parseId(idWord, id))
    return "\"" + idWord + "\" is not a control id";
  control = GetDlgItem(g_runner.window, id);
  if (!control)
    return "no control " + idWord + " in \"" + g_runner.caption + "\"";
  if (kind && lstrcmpiA(className(control).c_str(), kind) != 0)
    return "control " + idWord + " is a " + className(control) + ", not a " + kind;
  if (!IsWindowVisible(control) || !IsWindowEnabled(control))
    return "control " + idWord + " cannot be used (hidden or disabled)";
  return "";
}

void notifyParent(HWND control, int code)
{
  int id = GetDlgCtrlID(control);
  SendNotifyMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(control));
}

Outcome stepType(const std::string& idWord, const std::string& text)
{
  HWND edit = nullptr;
  Outcome outcome = findControl(idWord, "Edit", edit);
  if (!outcome.empty())
    return outcome;
  // WM_SETTEXT replaces the text and makes the edit notify its parent with EN_CHANGE,
  // as typing does. A handler that opens a message box keeps the send from
  // returning; the timeout lets the script go on to that box.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                      kSendLimitMs, &ignored);
  return "";
}

// `select ID N` selects entry N; `select ID "TEXT"` the entry TEXT (even "12").
Outcome stepSelect(const std::string& idWord, const std::string& entry, bool byText)
{
  HWND list = nullptr;
  Outcome outcome = findControl(idWord, "ListBox", list);
  if (!outcome.empty())
    return outcome;
  // After what the command printed before the dialog opened.
  commandLineFlush();
  LRESULT count = 0;
  if (!sendNow(list, LB_GETCOUNT, 0, 0, &count))
    return "list " + idWord + " does not answer";
  int index = -1;
  if (!byText) {
    if (entry.empty() || strspn(entry.c_str(), "0123456789") != entry.size())
      return "\"" + entry + "\" is not an entry number (write a text in quotes)";
    index = entry.size() > 9 ? INT_MAX : atoi(entry.c_str());
    if (index >= count)
      return "list " + idWord + " has no entry " + entry + " (it holds " + std::to_string(count) +
             ")";
  } else {
    LRESULT found = LB_ERR;
    sendNow(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
            reinterpret_cast<LPARAM>(entry.c_str()), &found);
    if (found == LB_ERR)
      return "list " + idWord + " has no entry \"" + entry + "\"";
    index = static_cast<int>(found);
  }
  sendNow(list, LB_SETCURSEL, index, 0);
  // A click selects and then notifies the parent; LB_SETCURSEL alone does not notify.
  notifyParent(list, LBN_SELCHANGE);
  return "";
}

Outcome stepClick(const std::string& idWord)
{
  HWND button = nullptr;
  Outcome outcome = findControl(idWord, "Button", button);
  if (!outcome.empty())
    return outcome;
  notifyParent(button, BN_CLICKED);
  return "";
}

Outcome stepList(const std::string& idWord)
{
  HWND list = nullptr;
  Outcome outcome = findControl(idWord, "ListBox", list);
  if (!outcome.empty())
    return outcome;
  LRESULT count = 0;
  if (!sendNow(list, LB_GETCOUNT, 0, 0, &count))
    return "list " + idWord + " does not answer";
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = 0;
    if (!sendNow(list, LB_GETTEXTLEN, i, 0, &length) || length < 0)
      return "list " + idWord + " does not answer";
    std::string text(length + 1, '\0');
    sendNow(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(strlen(text.c_str()));
    printf("list: %s\n", text.c_str());
  }
  fflush(stdout);
  return "";
}

// The class id of GDI+'s PNG encoder.
const CLSID kPngEncoder = {
    0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// GDI+, loaded by the first picture a script saves: most runs save none, and the
// library is not loaded at minicad's start.
struct GdiPlus {
  HMODULE dll = nullptr;
  ULONG_PTR token = 0; // of a started GDI+; 0 when not started
  Gdiplus::Status(WINAPI* startup)(ULONG_PTR*, const Gdiplus::GdiplusStartupInput*,
                                   Gdiplus::GdiplusStartupOutput*) = nullptr;
  void(WINAPI* shutdown)(ULONG_PTR) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* fromBitmap)(HBITMAP, HPALETTE, Gdiplus::GpBitmap**) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* save)(Gdiplus::GpImage*, const WCHAR*, const CLSID*,
                                      const Gdiplus::EncoderParameters*) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* dispose)(Gdiplus::GpImage*) = nullptr;
};
GdiPlus g_gdiplus;

template <class Function> bool findFunction(HMODULE dll, const char* name, Function& function)
{
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  return function != nullptr;
}

// Loads and starts GDI+ once (on the script's thread); false when it cannot be.
bool startGdiPlus()
{
  GdiPlus& g = g_gdiplus;
  if (g.token != 0)
    return true;
  if (g.dll == nullptr)
    g.dll = LoadLibraryA("gdiplus.dll");
  if (g.dll == nullptr || !findFunction(g.dll, "GdiplusStartup", g.startup) ||
      !findFunction(g.dll, "GdiplusShutdown", g.shutdown) ||
      !findFunction(g.dll, "GdipCreateBitmapFromHBITMAP", g.fromBitmap) ||
      !findFunction(g.dll, "GdipSaveImageToFile", g.save) ||
      !findFunction(g.dll, "GdipDisposeImage", g.dispose))
    return false;
  Gdiplus::GdiplusStartupInput input;
  return g.startup(&g.token, &input, nullptr) == Gdiplus::Ok && g.token != 0;
}

bool savePng(HBITMAP bitmap, const std::string& file)
{
  std::wstring wide(file.size() + 1, L'\0');
  int n = MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  if (n <= 0 || !startGdiPlus())
    return false;
  Gdiplus::GpBitmap* image = nullptr;
  if (g_gdiplus.fromBitmap(bitmap, nullptr, &image) != Gdiplus::Ok)
    return false;
  Gdiplus::Status status = g_gdiplus.save(image, wide.c_str(), &kPngEncoder, nullptr);
  g_gdiplus.dispose(image);
  return status == Gdiplus::Ok;
}

// Copies `window` with its frame and every child as shown. The top-level window and its
// children share one surface, so a BitBlt from the window DC (which does not clip the
// children) picks up the children's pixels once they have painted. PrintWindow would
// make each window paint itself, but Wine leaves the children out.
Outcome capture(HWND window, const std::string& file)
{
  // Have every pending paint done first (UpdateWindow of another thread's window sends
  // it WM_PAINT and waits), then a round trip to be sure the thread has settled.
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  sendNow(window, WM_NULL, 0, 0);
  RECT frame;
  GetWindowRect(window, &frame);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  if (width <= 0 || height <= 0)
    return "the window has no area to snap";
  HDC source = GetWindowDC(window);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BOOL copied = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(window, source);
  bool saved = copied && savePng(bitmap, file);
  DeleteObject(bitmap);
  return saved ? "" : "cannot save \"" + file + "\"";
}

Outcome stepSnap(const std::string& what, const std::string& file)
{
  if (what == "dialog") {
    if (!g_runner.window)
      return "no window: a \"wait\" step must come first";
    if (!IsWindow(g_runner.window))
      return "the window \"" + g_runner.caption + "\" has gone";
    return capture(g_runner.window, file);
  }
  HWND control = nullptr;
  Outcome outcome = findControl(what, nullptr, control);
  return outcome.empty() ? capture(control, file) : outcome;
}

Outcome runStep(const Step& step)
{
  const std::vector<std::string>& w = step.words;
  if (w[0] == "wait")
    return stepWait(w[1]);
  if (w[0] == "type")
    return stepType(w[1], w[2]);
  if (w[0] == "select")
    return stepSelect(w[1], w[2], step.quoted[2]);
  if (w[0] == "click")
    return stepClick(w[1]);
  if (w[0] == "list")
    return stepList(w[1]);
  return stepSnap(w[1], w[2]);
}

// After the last step (or a failure) until minicad's expressions end: nothing drives
// the dialogs any more, so one left open, or one that appears later, is cancelled at
// once (after the last step's messages have been handled), innermost first.
void watchLeftovers()
{
  do {
    settle();
    std::vector<HWND> dialogs = uiDialogs();
    // A dialog that the last step ends only after an inner one has closed (a chooser
    // closed while its block dialog ran) goes a moment later: settle once more.
    for (int i = 0; i < 10 && !dialogs.empty() && !g_runner.failed; ++i) {
      Sleep(20);
      settle();
      dialogs = uiDialogs();
    }
    if (dialogs.empty())
      continue;
    if (!g_runner.failed) {
      fprintf(stderr, "ui: %s: the script has ended but \"%s\" is still open; cancelling it\n",
              g_runner.path.c_str(), windowText(dialogs[0]).c_str());
      fflush(stderr);
      g_runner.failed = true;
    }
    cancelDialogs();
  } while (WaitForSingleObject(g_runner.finish, 100) != WAIT_OBJECT_0);
}

DWORD WINAPI runScript(void*)
{
  for (const Step& step : g_runner.steps) {
    Outcome outcome = step.error.empty() ? runStep(step) : step.error;
    if (!outcome.empty()) {
      report(step.line, outcome);
      g_runner.failed = true;
      cancelDialogs();
      break;
    }
  }
  watchLeftovers();
  if (g_gdiplus.token != 0)
    g_gdiplus.shutdown(g_gdiplus.token);
  g_gdiplus.token = 0;
  return 0;
}

} // namespace

bool startUiScript(const char* path, DWORD uiThreadId)
{
  FILE* file = fopen(path, "rb");
  if (!file) {
    fprintf(stderr, "ui: cannot read the script \"%s\"\n", path);
    return false;
  }
  g_runner.path = path;
  g_runner.uiThread = uiThreadId;
  char buffer[4096];
  int line = 0;
  while (fgets(buffer, sizeof buffer, file)) {
    ++line;
    const char* text = buffer + strspn(buffer, " \t\r\n");
    if (*text == '\0' || *text == '#')
      continue;
    Step step{line, {}, {}, ""};
    if (splitLine(text, step.words, step.quoted, step.error))
      step.error = checkStep(step.words);
    // A malformed line fails the run before any step is done.
    if (!step.error.empty()) {
      g_runner.steps.assign(1, step);
      break;
    }
    g_runner.steps.push_back(step);
  }
  fclose(file);
  g_runner.finish = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_runner.thread = CreateThread(nullptr, 0, runScript, nullptr, 0, nullptr);
  if (!g_runner.thread) {
    fprintf(stderr, "ui: cannot start the script runner\n");
    return false;
  }
  return true;
}

int finishUiScript()
{
  if (!g_runner.thread)
    return 0;
  SetEvent(g_runner.finish);
  WaitForSingleObject(g_runner.thread, INFINITE);
  CloseHandle(g_runner.thread);
  CloseHandle(g_runner.finish);
  g_runner.thread = nullptr;
  return g_runner.failed ? 1 : 0;
}
