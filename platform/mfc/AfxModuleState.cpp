#include "mfc/AfxModuleState.h"

#include "mfc/CDynLinkLibrary.h"

AFX_MODULE_STATE* AfxGetModuleState()
{
  // The process's executable is the application until someone says otherwise.
  static AFX_MODULE_STATE state = [] {
    AFX_MODULE_STATE s;
    s.m_hCurrentInstanceHandle = ::GetModuleHandleA(nullptr);
    s.m_hCurrentResourceHandle = s.m_hCurrentInstanceHandle;
    return s;
  }();
  return &state;
}

HINSTANCE AfxGetInstanceHandle()
{
  return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AfxGetResourceHandle()
{
  return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AfxSetResourceHandle(HINSTANCE resource)
{
  AfxGetModuleState()->m_hCurrentResourceHandle = resource;
}

namespace {

bool holds(HINSTANCE module, LPCSTR name, LPCSTR type)
{
  return module != nullptr && ::FindResourceA(module, name, type) != nullptr;
}

} // namespace

HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type)
{
  const AFX_MODULE_STATE* state = AfxGetModuleState();
  if (!state->m_bSystem && holds(AfxGetResourceHandle(), name, type))
    return AfxGetResourceHandle();
  for (CDynLinkLibrary* dll = state->m_pLibraryList; dll != nullptr; dll = dll->m_pNextDLL) {
    if (!dll->m_bSystem && holds(dll->m_hResource, name, type))
      return dll->m_hResource;
  }
  if (state->m_bSystem && holds(AfxGetResourceHandle(), name, type))
    return AfxGetResourceHandle();
  for (CDynLinkLibrary* dll = state->m_pLibraryList; dll != nullptr; dll = dll->m_pNextDLL) {
    if (dll->m_bSystem && holds(dll->m_hResource, name, type))
      return dll->m_hResource;
  }
  return AfxGetResourceHandle();
}
