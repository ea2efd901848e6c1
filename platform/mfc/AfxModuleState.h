// The module state: which module is the application's, where resources are
// looked up, and the chain of extension modules (CDynLinkLibrary) searched
// after it. There is one module state, the application's; extension modules
// change only its resource handle (as a ModuleStateSwitch does).
//   AfxGetInstanceHandle    the application's instance handle
//   AfxGetResourceHandle    the module in which resources are looked up first
//   AfxSetResourceHandle    make another module the one looked up first
//   AfxFindResourceHandle   the module that holds a resource: the current
//                           resource module, then the extension modules of the
//                           chain (non-system ones first, newest first, then the
//                           system ones); the current resource module when none
//                           holds it
#pragma once

#include <windows.h>

class CDynLinkLibrary;

struct AFX_MODULE_STATE {
  HINSTANCE m_hCurrentInstanceHandle = nullptr; // the application's module
  HINSTANCE m_hCurrentResourceHandle = nullptr; // where resources are looked up first
  BOOL m_bSystem = FALSE;                       // TRUE for MFC's own module state
  CDynLinkLibrary* m_pLibraryList = nullptr;    // extension modules, newest first
};

AFX_MODULE_STATE* AfxGetModuleState();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resource);
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);
