#include "arx/ui/AcUi.h"

#include <windows.h>

#include <commctrl.h>

namespace {

int s_initCalls = 0;

} // namespace

void InitAcUiDLL()
{
  if (s_initCalls++ > 0)
    return;
  // Called from DLL entries, under the loader lock: no library is loaded here.
  // comctl32 is used only if the process has it already, and found by name so
  // that the host library needs no import of it.
  HMODULE comctl = ::GetModuleHandleA("comctl32.dll");
  if (comctl == nullptr)
    return;
  typedef BOOL(WINAPI * InitFn)(const INITCOMMONCONTROLSEX*);
  auto init = reinterpret_cast<InitFn>(
      reinterpret_cast<void*>(::GetProcAddress(comctl, "InitCommonControlsEx")));
  if (init != nullptr) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    init(&icc);
  }
}

int acuiInitCallCount()
{
  return s_initCalls;
}
