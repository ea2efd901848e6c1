// acedDefun, acedUndef, acedRegFunc: LISP functions of the calling module.
//
// The calling module is the one the dynamic linker is sending a message to; with
// no message in flight (code linked into the process), the entry point attached
// last. A definition goes into the document being announced (kLoadDwgMsg), or
// else into the current document.
#include "arx/ads/AcedServices.h"
#include "arx/host/AcApDocument.h"
#include "arx/host/AcRxDynamicLinker.h"
#include "arx/host/HostTestHooks.h"
#include "arx/lisp/LispEnvironment.h"

#include <string>

namespace {

std::string& refusedName()
{
  static std::string name;
  return name;
}

AcRxLoadedModule* callingModule()
{
  AcRxDynamicLinker* linker = acrxDynamicLinker;
  AcRxLoadedModule* module = linker->currentModule();
  return module != nullptr ? module : linker->lastAttached();
}

AcApDocument* targetDocument()
{
  AcApDocument* doc = acrxDynamicLinker->documentBeingLoaded();
  return doc != nullptr ? doc : curDoc();
}

// A LISP function name: printable, and nothing the reader would split or quote.
bool isValidName(const char* name)
{
  if (name == nullptr || *name == 0)
    return false;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p != 0; ++p) {
    if (*p <= ' ' || *p == '(' || *p == ')' || *p == '\'' || *p == '"' || *p == ';' || *p == 0x7F)
      return false;
  }
  return true;
}

} // namespace

void hostRefuseDefun(const char* name)
{
  refusedName() = name != nullptr ? lispUpper(name) : std::string();
}

int acedDefun(const char* name, int funcNumber)
{
  if (!isValidName(name) || funcNumber < 0)
    return RTERROR;
  if (!refusedName().empty() && lispUpper(name) == refusedName())
    return RTERROR;
  AcRxLoadedModule* module = callingModule();
  AcApDocument* doc = targetDocument();
  if (module == nullptr || doc == nullptr)
    return RTERROR;
  doc->lisp().defineExternal(name, module, funcNumber);
  return RTNORM;
}

int acedUndef(const char* name, int funcNumber)
{
  AcRxLoadedModule* module = callingModule();
  AcApDocument* doc = targetDocument();
  if (!isValidName(name) || module == nullptr || doc == nullptr)
    return RTERROR;
  return doc->lisp().undefineExternal(name, module, funcNumber) ? RTNORM : RTERROR;
}

int acedRegFunc(int (*handler)(), int funcNumber)
{
  AcRxLoadedModule* module = callingModule();
  if (module == nullptr || funcNumber < 0)
    return RTERROR;
  if (handler == nullptr)
    module->directHandlers.erase(funcNumber);
  else
    module->directHandlers[funcNumber] = handler;
  return RTNORM;
}
