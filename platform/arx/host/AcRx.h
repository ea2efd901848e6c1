// AcRx: the application messages the host sends to a module's acrxEntryPoint,
// and the module's reply.
#pragma once

namespace AcRx {

enum AppMsgCode {
  kNullMsg = 0,
  kInitAppMsg = 1,       // the module was loaded; packet: its application id
  kUnloadAppMsg = 2,     // the module is about to be unloaded
  kLoadDwgMsg = 3,       // a drawing was opened (once per open drawing)
  kUnloadDwgMsg = 4,     // a drawing is about to be closed
  kInvkSubrMsg = 5,      // LISP calls a function the module defined
  kCfgMsg = 6,           // the host is configured
  kEndMsg = 7,           // END command
  kQuitMsg = 8,          // QUIT command
  kSaveMsg = 9,          // SAVE command
  kDependencyMsg = 10,   // another module depends on this one
  kNoDependencyMsg = 11, // no module depends on this one any more
  kOleUnloadAppMsg = 12, // OLE asks whether the module may be unloaded
  kPreQuitMsg = 13,      // the host is about to quit
};

enum AppRetCode {
  kRetOK = 0,
  kRetError = 3,
};

} // namespace AcRx

// The module's exported entry point, as the dynamic linker calls it.
typedef AcRx::AppRetCode (*AcRxEntryPointFn)(AcRx::AppMsgCode msg, void* pkt);
