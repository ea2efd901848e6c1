// Extension modules: an extension DLL describes itself in an
// AFX_EXTENSION_MODULE and joins the application's chain of resource modules
// by creating a CDynLinkLibrary on it (which the chain then owns).
//   AfxInitExtensionModule   fills the record from the DLL's module handle;
//                            FALSE for a null handle; TRUE and nothing more
//                            when the record is already initialised
//   AfxTermExtensionModule   deletes the chain's CDynLinkLibrary objects of that
//                            module (every one with `all`), and resets the record
#pragma once

#include "mfc/AfxModuleState.h"
#include "mfc/CCmdTarget.h"

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized = FALSE;   // set by AfxInitExtensionModule
  HMODULE hModule = nullptr;   // the extension DLL
  HMODULE hResource = nullptr; // where its resources are (the DLL itself)
};

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

class CDynLinkLibrary : public CCmdTarget {
public:
  // Joins the head of the module state's chain.
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system = FALSE);
  // Leaves the chain.
  ~CDynLinkLibrary() override;

  HMODULE m_hModule;           // the extension DLL
  HMODULE m_hResource;         // where its resources are looked up
  BOOL m_bSystem;              // TRUE for MFC's own DLLs: searched last
  CDynLinkLibrary* m_pNextDLL; // next (older) library of the chain
};
