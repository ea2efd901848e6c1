// The DLL entry: on load the module remembers its instance handle, joins MFC
// as an extension module and initialises the host's UI library; on unload it
// leaves MFC's chain again. Every reason is answered TRUE.
#include "arx/ui/AcUi.h"
#include "quillmark/host/ExtensionModule.h"
#include "quillmark/host/ModuleStateSwitch.h"

#include <windows.h>

namespace {

ExtensionModule s_extensionModule;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
  if (reason == DLL_PROCESS_ATTACH) {
    g_moduleInstance = instance;
    s_extensionModule.attach(instance);
    InitAcUiDLL();
  } else if (reason == DLL_PROCESS_DETACH) {
    s_extensionModule.detach();
  }
  return TRUE;
}
