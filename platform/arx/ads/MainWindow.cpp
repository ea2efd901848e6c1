// adsw_acadMainWnd: the host's main window, a real top-level window made on first
// use (minicad asks for it at start). It stays hidden: dialogs only need an owner.
// When a modal dialog or box it owns waits for the user, the command line's text is
// written out, so that what a command printed before opening it can be read.
#include "arx/ads/AcedServices.h"
#include "arx/ads/CommandLine.h"

namespace {

const char kMainWindowClass[] = "MinicadMainWindow";

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_ENTERIDLE)
    commandLineFlush();
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND createMainWindow()
{
  WNDCLASSA wc = {};
  wc.lpfnWndProc = mainWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kMainWindowClass;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&wc); // fails harmlessly if already registered
  return CreateWindowExA(0, kMainWindowClass, "minicad", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                         CW_USEDEFAULT, 800, 600, nullptr, nullptr, wc.hInstance, nullptr);
}

} // namespace

HWND adsw_acadMainWnd()
{
  static HWND window = nullptr;
  if (window == nullptr || !IsWindow(window))
    window = createMainWindow();
  return window;
}
