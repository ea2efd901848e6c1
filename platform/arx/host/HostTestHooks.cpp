#include "arx/host/HostTestHooks.h"

#include "arx/ads/AdsInvoke.h"
#include "arx/ads/CommandLine.h"
#include "arx/host/AcApDocument.h"
#include "arx/host/AcRxDynamicLinker.h"
#include "arx/lisp/LispEnvironment.h"
#include "arx/lisp/LispResbuf.h"

AcApDocument* hostOpenDocument(const char* drawingPathOrNull)
{
  std::string error;
  AcApDocument* doc = acDocManager->openDocument(drawingPathOrNull, &error);
  if (doc == nullptr)
    commandLineWrite("\n" + error);
  return doc;
}

void hostCloseAllDocuments()
{
  acDocManager->closeAll();
}

bool hostAttachEntryPoint(const char* name, AcRxEntryPointFn entry)
{
  return acrxDynamicLinker->attachEntryPoint(name, entry);
}

bool hostDetachEntryPoint(const char* name)
{
  AcRxLoadedModule* module = acrxDynamicLinker->find(name);
  if (module == nullptr || module->instance != nullptr)
    return false;
  module->unlocked = true; // a test may detach what it attached, locked or not
  return acrxDynamicLinker->unloadModule(name, false);
}

int hostEvaluate(const char* lispExpression, std::string* printedResult)
{
  AcApDocument* doc = curDoc();
  if (doc == nullptr)
    doc = acDocManager->openDocument(nullptr);
  LispOutcome outcome = doc->lisp().evaluate(lispExpression != nullptr ? lispExpression : "");
  if (printedResult != nullptr)
    *printedResult = outcome.printed;
  return outcome.ok ? RTNORM : RTERROR;
}

int hostLastRetType()
{
  return adsInvoke().retType;
}

const resbuf* hostInvokeResult()
{
  static resbuf* chain = nullptr;
  lispRelRb(chain);
  chain = nullptr;
  const AdsInvoke& state = adsInvoke();
  if (state.retType == RTNONE || state.retType == RTNIL || state.retType == RTVOID)
    return nullptr;
  chain = lispValueToResbuf(state.result);
  return chain;
}

void hostBeginInvoke(int funcCode, resbuf* args)
{
  AdsInvoke& state = adsInvoke();
  state.funCode = funcCode;
  state.args = args;
  state.retType = RTNONE;
  state.result = nullptr;
}

void hostEndInvoke()
{
  AdsInvoke& state = adsInvoke();
  state.funCode = -1;
  state.args = nullptr;
}
