// ExtensionModule: the module's membership of MFC as an extension DLL. Attaching
// fills MFC's record of the module and adds it to the chain of modules searched
// for resources; detaching takes it out again.
#pragma once

#include "mfc/CDynLinkLibrary.h"

class ExtensionModule {
public:
  // FALSE and nothing done when already attached; else the result of
  // AfxInitExtensionModule, with a CDynLinkLibrary (owned by MFC's chain) made on
  // success.
  BOOL attach(HINSTANCE instance);
  // Ends the membership if attached.
  void detach();

  int m_attached = 0;              // nonzero once attach has succeeded
  AFX_EXTENSION_MODULE m_module{}; // MFC's record of this module
};
