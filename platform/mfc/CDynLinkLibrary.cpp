#include "mfc/CDynLinkLibrary.h"

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module)
{
  if (state.bInitialized)
    return TRUE;
  if (module == nullptr)
    return FALSE;
  state.hModule = module;
  state.hResource = module;
  state.bInitialized = TRUE;
  return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all)
{
  AFX_MODULE_STATE* moduleState = AfxGetModuleState();
  for (CDynLinkLibrary* dll = moduleState->m_pLibraryList; dll != nullptr;) {
    CDynLinkLibrary* next = dll->m_pNextDLL;
    if (all || dll->m_hModule == state.hModule)
      delete dll; // unlinks itself
    dll = next;
  }
  state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(system), m_pNextDLL(nullptr)
{
  AFX_MODULE_STATE* moduleState = AfxGetModuleState();
  m_pNextDLL = moduleState->m_pLibraryList;
  moduleState->m_pLibraryList = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
  for (CDynLinkLibrary** link = &AfxGetModuleState()->m_pLibraryList; *link != nullptr;
       link = &(*link)->m_pNextDLL) {
    if (*link == this) {
      *link = m_pNextDLL;
      break;
    }
  }
}
