// AcRxDynamicLinker: loads ARX modules and sends them the application messages.
// Registered in the system registry under "DynamicLinker".
//
// The packet of kInitAppMsg is the module's application id: the module hands it
// back to unlockApplication and registerAppMDIAware.
#pragma once

#include "arx/host/AcRx.h"
#include "arx/rx/AcRxDictionary.h"

#include <map>
#include <string>
#include <vector>

class AcApDocument;
struct HINSTANCE__;

// One module the linker has loaded (or that was attached from inside the process).
struct AcRxLoadedModule {
  std::string name;                        // the path it was loaded by (or the attached name)
  HINSTANCE__* instance = nullptr;         // its DLL, null for an attached entry point
  AcRxEntryPointFn entry = nullptr;        // its acrxEntryPoint
  bool unlocked = false;                   // unlockApplication was called: it may be unloaded
  bool mdiAware = false;                   // registerAppMDIAware was called
  std::map<int, int (*)()> directHandlers; // acedRegFunc: called instead of kInvkSubrMsg
};

class AcRxDynamicLinker : public AcRxObject {
public:
  ACRX_DECLARE_MEMBERS(AcRxDynamicLinker)

  // Loads the DLL, finds acrxEntryPoint, sends kInitAppMsg and then kLoadDwgMsg for
  // every open document. False (with a line on the command line when `printIt`)
  // if the file cannot be loaded, has no entry point, or is loaded already.
  bool loadModule(const char* fileName, bool printIt, bool asCmd = false);
  // Sends kUnloadAppMsg, undefines the module's LISP functions in every document and
  // frees the DLL. False if the module is not loaded or has not unlocked itself.
  bool unloadModule(const char* fileName, bool printIt);
  // As loadModule, for an entry point already in the process (no DLL).
  bool attachEntryPoint(const char* name, AcRxEntryPointFn entry);

  bool unlockApplication(void* appId);
  bool lockApplication(void* appId);
  bool registerAppMDIAware(void* appId);
  bool isApplicationLocked(const char* name) const;
  bool isAppMDIAware(const char* name) const;

  // Sends `msg` to one module, recording it as the module in conversation (see
  // currentModule) for the span of the call. kRetError if the module is unknown.
  AcRx::AppRetCode sendMessage(AcRxLoadedModule* module, AcRx::AppMsgCode msg, void* pkt);
  // Sends `msg` to every loaded module, in load order.
  void broadcast(AcRx::AppMsgCode msg, void* pkt);

  // The module a message is being sent to right now (innermost), or null.
  AcRxLoadedModule* currentModule() const { return m_current; }
  // The loaded module of that name (the path as given, compared case-insensitively), or null.
  AcRxLoadedModule* find(const char* name) const;
  // The module that acedDefun attributes a definition to when no message is in
  // flight: the entry point attached last, or null.
  AcRxLoadedModule* lastAttached() const;
  bool isLoaded(const AcRxLoadedModule* module) const;
  const std::vector<AcRxLoadedModule*>& modules() const { return m_modules; }

  // While a document is being introduced to the modules (kLoadDwgMsg), acedDefun
  // defines into it rather than into the current document.
  AcApDocument* documentBeingLoaded() const { return m_loadingDocument; }
  // Sends kLoadDwgMsg about `doc` to every module (used when a document opens).
  void announceDocument(AcApDocument* doc);
  void announceDocument(AcRxLoadedModule* module, AcApDocument* doc);

private:
  bool introduce(AcRxLoadedModule* module);
  void forget(AcRxLoadedModule* module);

  std::vector<AcRxLoadedModule*> m_modules;  // loaded modules, in load order; owned
  AcRxLoadedModule* m_current = nullptr;     // module being sent a message
  AcApDocument* m_loadingDocument = nullptr; // document of the kLoadDwgMsg in flight
};

// The dynamic linker of the system registry (created with the host).
AcRxDynamicLinker* acrxDynamicLinkerPtr();
#define acrxDynamicLinker acrxDynamicLinkerPtr()
