#include "arx/host/HostLispBridge.h"

#include "arx/ads/AdsInvoke.h"
#include "arx/ads/CommandLine.h"
#include "arx/host/AcApDocument.h"
#include "arx/host/AcRxDynamicLinker.h"
#include "arx/host/HostEntityLists.h"
#include "arx/host/HostTableRecords.h"
#include "arx/lisp/LispError.h"
#include "arx/lisp/LispResbuf.h"

#include <windows.h>

#include <memory>

void HostLispBridge::print(const std::string& text)
{
  commandLineWrite(text);
}

// The invoke: the arguments become a chain, the module gets kInvkSubrMsg (or its
// acedRegFunc handler is called), and whatever it set with acedRet* is the value;
// nothing set is nil. The previous invoke's code and arguments come back afterwards
// (a module may call LISP from inside a call).
LispRef HostLispBridge::invokeExternal(const LispObject& fn, const LispRef& args)
{
  AcRxDynamicLinker* linker = acrxDynamicLinker;
  auto* module = static_cast<AcRxLoadedModule*>(fn.module);
  if (!linker->isLoaded(module))
    throw LispError("no function definition: " + fn.text);

  std::unique_ptr<resbuf, void (*)(resbuf*)> chain(lispArgsToResbuf(args), lispRelRb);
  AdsInvoke& state = adsInvoke();
  AdsInvoke saved = state;
  state.funCode = fn.integer;
  state.args = chain.get();
  state.retType = RTNONE;
  state.result = nullptr;

  auto direct = module->directHandlers.find(fn.integer);
  if (direct != module->directHandlers.end())
    direct->second();
  else
    linker->sendMessage(module, AcRx::kInvkSubrMsg, nullptr);

  LispRef result = state.retType == RTNONE ? nullptr : state.result;
  state.funCode = saved.funCode;
  state.args = saved.args;
  return result;
}

bool HostLispBridge::loadModule(const std::string& path)
{
  return acrxDynamicLinker->loadModule(path.c_str(), true);
}

bool HostLispBridge::unloadModule(const std::string& path)
{
  return acrxDynamicLinker->unloadModule(path.c_str(), true);
}

LispRef HostLispBridge::tableRecord(const std::string& table, std::size_t position,
                                    std::size_t& next)
{
  return hostTableRecord(m_document->database(), table, position, next);
}

LispRef HostLispBridge::tableSearch(const std::string& table, const std::string& name,
                                    std::size_t& next)
{
  return hostTableSearch(m_document->database(), table, name, next);
}

LispRef HostLispBridge::entityNext(const LispRef& entity)
{
  return hostEntityNext(m_document->database(), entity);
}

LispRef HostLispBridge::entityList(const LispRef& entity)
{
  return hostEntityList(entity);
}

bool HostLispBridge::isLeadByte(unsigned char byte) const
{
  return IsDBCSLeadByte(byte) != FALSE;
}
