// TESTMOD.ARX: a small ARX module for the host's tests. It defines LISP functions
// in every drawing, answers them in ways the tests can observe, and keeps a log of
// the messages it received.
//   (TM-ARGS ...)     a string describing acedGetArgs: "RTLB RTSHORT:1 RTSTR:a RTLE"
//   (TM-STR s)        returns s;  (TM-T) T;  (TM-REAL) 2.5;  (TM-LONG) 100000
//   (TM-NOTHING)      sets no result;  (TM-VOID) acedRetVoid
//   (TM-LOG)          the messages received so far, "1 3 5" ...
//   (TM-KOREAN)       prints a code page 949 text with acutPrintf, returns nil
//   (TM-CODE)         the function code the host reports during the call
//   (TM-SPLIT)        prints the two bytes of one code page 949 character in two calls
//   (TM-ABORT)        acrx_abort("fatal %d", 42): the host process ends
// On load it also tries to define "TM BAD" (a name with a space) and prints whether
// the host refused it, and registers the command TMCMD in group "TESTMOD".
#include "arx/ads/AcedServices.h"
#include "arx/host/AcEdCommandStack.h"
#include "arx/host/AcRx.h"
#include "arx/host/AcRxDynamicLinker.h"

#include <string>

namespace {

std::string g_log; // message codes received, space separated

struct Function {
  const char* name;
  int (*handler)();
};

std::string describe(const resbuf* rb)
{
  std::string out;
  for (; rb != nullptr; rb = rb->rbnext) {
    if (!out.empty())
      out += ' ';
    switch (rb->restype) {
    case RTSHORT:
      out += "RTSHORT:" + std::to_string(rb->resval.rint);
      break;
    case RTLONG:
      out += "RTLONG:" + std::to_string(rb->resval.rlong);
      break;
    case RTREAL:
      out += "RTREAL:" + std::to_string(rb->resval.rreal);
      break;
    case RTSTR:
      out += std::string("RTSTR:") + rb->resval.rstring;
      break;
    case RTLB:
      out += "RTLB";
      break;
    case RTLE:
      out += "RTLE";
      break;
    case RTDOTE:
      out += "RTDOTE";
      break;
    case RTNIL:
      out += "RTNIL";
      break;
    case RTT:
      out += "RTT";
      break;
    default:
      out += "?" + std::to_string(rb->restype);
    }
  }
  return out;
}

int tmArgs()
{
  return acedRetStr(describe(acedGetArgs()).c_str());
}

int tmStr()
{
  resbuf* rb = acedGetArgs();
  if (rb == nullptr || rb->restype != RTSTR)
    return acedRetNil();
  return acedRetStr(rb->resval.rstring);
}

int tmT()
{
  return acedRetT();
}

int tmReal()
{
  return acedRetReal(2.5);
}

int tmLong()
{
  return acedRetInt(100000);
}

int tmNothing()
{
  return RTNORM;
}

int tmVoid()
{
  return acedRetVoid();
}

int tmLog()
{
  return acedRetStr(g_log.c_str());
}

int tmKorean()
{
  // "한글" in code page 949.
  acutPrintf("\n%s!", "\xC7\xD1\xB1\xDB");
  return acedRetNil();
}

int tmCode()
{
  return acedRetInt(acedGetFunCode());
}

int tmSplit()
{
  acutPrintf("\n%s", "\xC7");
  acedPrompt("\xD1|");
  return acedRetNil();
}

int tmAbort()
{
  acrx_abort("fatal %d", 42);
}

const Function kFunctions[] = {
    {"TM-ARGS", tmArgs}, {"TM-STR", tmStr},     {"TM-T", tmT},
    {"TM-REAL", tmReal}, {"TM-LONG", tmLong},   {"TM-NOTHING", tmNothing},
    {"TM-VOID", tmVoid}, {"TM-LOG", tmLog},     {"TM-KOREAN", tmKorean},
    {"TM-CODE", tmCode}, {"TM-ABORT", tmAbort}, {"TM-SPLIT", tmSplit},
};
const int kFunctionCount = sizeof kFunctions / sizeof kFunctions[0];

void tmCommand()
{
  acutPrintf("tmcmd ran");
}

void defineAll()
{
  for (int i = 0; i < kFunctionCount; ++i) {
    if (acedDefun(kFunctions[i].name, i) != RTNORM)
      acutPrintf("\ndefun refused: %s", kFunctions[i].name);
  }
  if (acedDefun("TM BAD", 99) != RTNORM)
    acutPrintf("\ndefun refused: TM BAD");
}

void invoke()
{
  int code = acedGetFunCode();
  if (code < 0 || code >= kFunctionCount) {
    acutPrintf("\nUnknown subroutine!");
    return;
  }
  kFunctions[code].handler();
}

AcEdCommandStack* commandStack()
{
  return AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK));
}

} // namespace

extern "C" __declspec(dllexport) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt)
{
  if (!g_log.empty())
    g_log += ' ';
  g_log += std::to_string(static_cast<int>(msg));
  switch (msg) {
  case AcRx::kInitAppMsg: {
    AcRxDynamicLinker* linker = AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER));
    if (linker != nullptr) {
      linker->unlockApplication(pkt);
      linker->registerAppMDIAware(pkt);
    }
    if (AcEdCommandStack* stack = commandStack())
      stack->addCommand("TESTMOD", "TMCMD", "TMCMD", ACRX_CMD_MODAL, tmCommand);
    break;
  }
  case AcRx::kUnloadAppMsg:
    if (AcEdCommandStack* stack = commandStack())
      stack->removeGroup("TESTMOD");
    break;
  case AcRx::kLoadDwgMsg:
    defineAll();
    break;
  case AcRx::kInvkSubrMsg:
    invoke();
    break;
  default:
    break;
  }
  return AcRx::kRetOK;
}
