#include "quillmark/host/ArxApp.h"

#include "arx/ads/AcedServices.h"
#include "arx/host/AcEdCommandStack.h"
#include "arx/host/AcRxDynamicLinker.h"
#include "quillmark/dialog/LispHandlers.h"
#include "quillmark/host/LoadBanner.h"

#include <cstring>

namespace {

// The dynamic linker of the system registry, if the object there is one.
AcRxDynamicLinker* dynamicLinker()
{
  return AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER));
}

// The command stack of the system registry, if the object there is of the
// command-stack class that the class dictionary names. The class is looked up
// once found and then kept for the life of the module.
AcEdCommandStack* commandStack()
{
  static AcRxClass* stackClass = nullptr;
  if (stackClass == nullptr) {
    AcRxObject* dictionary = acrxSysRegistry()->at(ACRX_CLASS_DICTIONARY);
    if (dictionary == nullptr || !dictionary->isKindOf(AcRxDictionary::desc()))
      return nullptr;
    AcRxObject* cls = static_cast<AcRxDictionary*>(dictionary)->at("AcEdCommandStack");
    if (cls == nullptr || !cls->isKindOf(AcRxClass::desc()))
      return nullptr;
    stackClass = static_cast<AcRxClass*>(cls);
  }
  AcRxObject* stack = acrxSysRegistry()->at(ACRX_COMMAND_DOCK);
  if (stack == nullptr || !stack->isKindOf(stackClass))
    return nullptr;
  return static_cast<AcEdCommandStack*>(stack);
}

// The host refused to define a LISP function (code page 949 text: "cannot
// define function (%s)!" and "cannot define function (%s) for external calls!").
const char kDefunRefused[] = "\n\xC7\xD4\xBC\xF6(%s)\xB8\xA6 \xC1\xA4\xC0\xC7\xC7\xD2 \xBC\xF6 "
                             "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9!";
const char kRegFuncRefused[] = "\n\xC7\xD4\xBC\xF6(%s)\xB8\xA6 \xBF\xDC\xBA\xCE\xC8\xA3\xC3\xE2"
                               "\xBF\xEB\xC0\xB8\xB7\xCE \xC1\xA4\xC0\xC7\xC7\xD2 \xBC\xF6 "
                               "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9!";

} // namespace

int ArxApp::dispatch(int msg, void* pkt)
{
  m_lastMsg = msg;
  m_retCode = 0;
  // Compared unsigned: a negative code is one of the unknown ones.
  switch (static_cast<unsigned>(msg)) {
  case 0:
    onNullMsg();
    break;
  case 1:
    // The linker is looked up for each call; the results are not needed.
    if (AcRxDynamicLinker* linker = dynamicLinker())
      linker->unlockApplication(pkt);
    if (AcRxDynamicLinker* linker = dynamicLinker())
      linker->registerAppMDIAware(pkt);
    onInitApp();
    break;
  case 2:
    onUnloadApp();
    break;
  case 3:
    onLoadDwg();
    break;
  case 4:
    onUnloadDwg();
    break;
  case 5:
    onInvokeSubr();
    break;
  case 6:
    onCfg();
    break;
  case 7:
    onEnd();
    break;
  case 8:
    onQuit();
    break;
  case 9:
    onSave();
    break;
  case 10:
    onDependency();
    break;
  case 11:
    onNoDependency();
    break;
  case 12:
    onOleUnloadApp();
    break;
  case 13:
    onPreQuit();
    break;
  default:
    break;
  }
  return m_retCode;
}

int ArxApp::defineFunctions(int all)
{
  for (int i = 0; i < m_functions.size(); ++i) {
    const LispFunctionEntry* e = m_functions.at(i);
    if (all != 1 && e->kind != kExternalFunction)
      continue;
    if (acedDefun(e->name, i) != RTNORM) {
      acutPrintf(kDefunRefused, e->name);
      return 0;
    }
    if (e->kind == kExternalFunction && acedRegFunc(e->handler, i) != RTNORM) {
      acutPrintf(kRegFuncRefused, e->name);
      return 0;
    }
  }
  return 1;
}

int ArxApp::invokeFunction()
{
  if (m_functions.size() <= 0)
    return 0;
  const int code = acedGetFunCode();
  if (code < 0 || code >= m_functions.size()) {
    acutPrintf("\nUnknown subroutine!");
    return 0;
  }
  const LispFunctionEntry* e = m_functions.at(code);
  const int result = e->handler();
  if (e->kind == kCommand)
    acedRetVoid();
  else if (result != RTNORM)
    acedRetNil();
  return 1;
}

int ArxApp::undefineFunctions(int all)
{
  for (int i = 0; i < m_functions.size(); ++i) {
    const LispFunctionEntry* e = m_functions.at(i);
    if (all == 1 || e->kind == kExternalFunction)
      acedUndef(e->name, i);
  }
  m_functions.clear();
  return 1;
}

void ArxApp::onInitApp()
{
  addFunctions(&m_functions);
  setAppName("Quillmark");
  registerCommands();
}

void ArxApp::onUnloadApp()
{
  removeCommands();
}

void ArxApp::onLoadDwg()
{
  defineFunctions(1);
}

void ArxApp::onInvokeSubr()
{
  invokeFunction();
}

void ArxApp::addFunctions(LispFunctionTable* table)
{
  if (table == nullptr)
    return;
  table->add("BLOCK-FILE", blockFileHandler, kFunction);
  table->add("BLOCK-LIST", blockListHandler, kFunction);
}

void ArxApp::setAppName(const char* name)
{
  const size_t length = std::strlen(name);
  const size_t kept = length < sizeof(m_appName) ? length : sizeof(m_appName) - 1;
  std::memcpy(m_appName, name, kept);
  m_appName[kept] = 0;
}

void ArxApp::registerCommands()
{
  loadSettingsAndBanner(acedPrompt);
  for (int i = 0; i < m_functions.size(); ++i) {
    const LispFunctionEntry* e = m_functions.at(i);
    if (e->kind != kCommand)
      continue;
    // "C:NAME" is the LISP name of command NAME; the prefix is upper case only.
    const char* name = std::strncmp(e->name, "C:", 2) == 0 ? e->name + 2 : e->name;
    char command[256];
    const size_t length = std::strlen(name);
    if (length >= sizeof(command))
      continue;
    std::memcpy(command, name, length + 1);
    if (AcEdCommandStack* stack = commandStack())
      stack->addCommand(m_appName, command, command, ACRX_CMD_MODAL,
                        reinterpret_cast<AcRxFunctionPtr>(e->handler), nullptr, -1, nullptr,
                        nullptr);
  }
}

void ArxApp::removeCommands()
{
  if (AcEdCommandStack* stack = commandStack())
    stack->removeGroup(m_appName);
}
