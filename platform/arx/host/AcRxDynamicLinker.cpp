#include "arx/host/AcRxDynamicLinker.h"

#include "arx/ads/CommandLine.h"
#include "arx/host/AcApDocument.h"
#include "arx/lisp/LispEnvironment.h"

#include <windows.h>

#include <algorithm>

ACRX_DEFINE_MEMBERS(AcRxDynamicLinker, AcRxObject)

namespace {

std::string systemMessage(DWORD error)
{
  char* text = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message =
      length > 0 && text != nullptr ? std::string(text, length) : "error " + std::to_string(error);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.'))
    message.pop_back();
  return message;
}

void report(bool printIt, const std::string& text)
{
  if (printIt) {
    commandLineNewLine();
    commandLineWrite(text + "\n");
  }
}

bool sameName(const std::string& a, const char* b)
{
  return lispUpper(a) == lispUpper(b);
}

} // namespace

bool AcRxDynamicLinker::loadModule(const char* fileName, bool printIt, bool asCmd)
{
  (void)asCmd;
  if (fileName == nullptr || *fileName == 0)
    return false;
  if (find(fileName) != nullptr) {
    report(printIt, std::string("\"") + fileName + "\" is already loaded.");
    return false;
  }
  HMODULE dll = LoadLibraryA(fileName);
  if (dll == nullptr) {
    report(printIt, std::string("Unable to load \"") + fileName +
                        "\": " + systemMessage(GetLastError()) + ".");
    return false;
  }
  // The same DLL under another path (".\\M.ARX", a different case) is the same module.
  for (const AcRxLoadedModule* loaded : m_modules) {
    if (loaded->instance == reinterpret_cast<HINSTANCE__*>(dll)) {
      FreeLibrary(dll);
      report(printIt,
             std::string("\"") + fileName + "\" is already loaded as \"" + loaded->name + "\".");
      return false;
    }
  }
  auto entry = reinterpret_cast<AcRxEntryPointFn>(
      reinterpret_cast<void*>(GetProcAddress(dll, "acrxEntryPoint")));
  if (entry == nullptr) {
    FreeLibrary(dll);
    report(printIt, std::string("\"") + fileName + "\" is not an ARX module (no acrxEntryPoint).");
    return false;
  }
  auto* module = new AcRxLoadedModule;
  module->name = fileName;
  module->instance = dll;
  module->entry = entry;
  if (!introduce(module)) {
    report(printIt, std::string("\"") + fileName + "\" refused to initialise.");
    return false;
  }
  return true;
}

bool AcRxDynamicLinker::attachEntryPoint(const char* name, AcRxEntryPointFn entry)
{
  if (name == nullptr || entry == nullptr || find(name) != nullptr)
    return false;
  auto* module = new AcRxLoadedModule;
  module->name = name;
  module->entry = entry;
  return introduce(module);
}

// Sends kInitAppMsg, then kLoadDwgMsg for every open document. A module that
// answers kInitAppMsg with an error is unloaded again at once.
bool AcRxDynamicLinker::introduce(AcRxLoadedModule* module)
{
  m_modules.push_back(module);
  if (sendMessage(module, AcRx::kInitAppMsg, module) != AcRx::kRetOK) {
    forget(module);
    return false;
  }
  for (AcApDocument* doc : acDocManager->documents())
    announceDocument(module, doc);
  return true;
}

bool AcRxDynamicLinker::unloadModule(const char* fileName, bool printIt)
{
  AcRxLoadedModule* module = find(fileName);
  if (module == nullptr) {
    report(printIt, std::string("\"") + (fileName ? fileName : "") + "\" is not loaded.");
    return false;
  }
  if (!module->unlocked) {
    report(printIt, std::string("\"") + fileName + "\" is locked and cannot be unloaded.");
    return false;
  }
  sendMessage(module, AcRx::kUnloadAppMsg, module);
  forget(module);
  return true;
}

// Removes every trace of the module: its LISP functions in every document (they
// would call into freed code), its record, and its DLL.
void AcRxDynamicLinker::forget(AcRxLoadedModule* module)
{
  for (AcApDocument* doc : acDocManager->documents())
    doc->lisp().undefineModule(module);
  m_modules.erase(std::remove(m_modules.begin(), m_modules.end(), module), m_modules.end());
  if (module->instance != nullptr)
    FreeLibrary(reinterpret_cast<HMODULE>(module->instance));
  delete module;
}

bool AcRxDynamicLinker::unlockApplication(void* appId)
{
  auto* module = static_cast<AcRxLoadedModule*>(appId);
  if (!isLoaded(module))
    return false;
  module->unlocked = true;
  return true;
}

bool AcRxDynamicLinker::lockApplication(void* appId)
{
  auto* module = static_cast<AcRxLoadedModule*>(appId);
  if (!isLoaded(module))
    return false;
  module->unlocked = false;
  return true;
}

bool AcRxDynamicLinker::registerAppMDIAware(void* appId)
{
  auto* module = static_cast<AcRxLoadedModule*>(appId);
  if (!isLoaded(module))
    return false;
  module->mdiAware = true;
  return true;
}

bool AcRxDynamicLinker::isApplicationLocked(const char* name) const
{
  AcRxLoadedModule* module = find(name);
  return module != nullptr && !module->unlocked;
}

bool AcRxDynamicLinker::isAppMDIAware(const char* name) const
{
  AcRxLoadedModule* module = find(name);
  return module != nullptr && module->mdiAware;
}

AcRx::AppRetCode AcRxDynamicLinker::sendMessage(AcRxLoadedModule* module, AcRx::AppMsgCode msg,
                                                void* pkt)
{
  if (!isLoaded(module))
    return AcRx::kRetError;
  AcRxLoadedModule* previous = m_current;
  m_current = module;
  AcRx::AppRetCode reply;
  try {
    reply = module->entry(msg, pkt);
  } catch (...) {
    reply = AcRx::kRetError; // an exception must not unwind through the host
  }
  m_current = previous;
  return reply;
}

void AcRxDynamicLinker::broadcast(AcRx::AppMsgCode msg, void* pkt)
{
  std::vector<AcRxLoadedModule*> modules = m_modules; // a module may unload itself
  for (AcRxLoadedModule* module : modules)
    sendMessage(module, msg, pkt);
}

AcRxLoadedModule* AcRxDynamicLinker::find(const char* name) const
{
  if (name == nullptr)
    return nullptr;
  for (AcRxLoadedModule* module : m_modules) {
    if (sameName(module->name, name))
      return module;
  }
  return nullptr;
}

AcRxLoadedModule* AcRxDynamicLinker::lastAttached() const
{
  for (auto it = m_modules.rbegin(); it != m_modules.rend(); ++it) {
    if ((*it)->instance == nullptr)
      return *it;
  }
  return nullptr;
}

bool AcRxDynamicLinker::isLoaded(const AcRxLoadedModule* module) const
{
  return module != nullptr &&
         std::find(m_modules.begin(), m_modules.end(), module) != m_modules.end();
}

void AcRxDynamicLinker::announceDocument(AcApDocument* doc)
{
  std::vector<AcRxLoadedModule*> modules = m_modules;
  for (AcRxLoadedModule* module : modules)
    announceDocument(module, doc);
}

void AcRxDynamicLinker::announceDocument(AcRxLoadedModule* module, AcApDocument* doc)
{
  AcApDocument* previous = m_loadingDocument;
  m_loadingDocument = doc;
  sendMessage(module, AcRx::kLoadDwgMsg, doc);
  m_loadingDocument = previous;
}

AcRxDynamicLinker* acrxDynamicLinkerPtr()
{
  static AcRxDynamicLinker* const linker = [] {
    auto* l = new AcRxDynamicLinker;
    acrxSysRegistry()->atPut(ACRX_DYNAMIC_LINKER, l);
    return l;
  }();
  return linker;
}
