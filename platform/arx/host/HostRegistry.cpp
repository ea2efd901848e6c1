// The host's registry entries exist as soon as the host library is loaded: the
// dynamic linker under "DynamicLinker", the command stack under
// "ACAD_REGISTERED_COMMANDS", and both classes in the class dictionary.
#include "arx/host/AcEdCommandStack.h"
#include "arx/host/AcRxDynamicLinker.h"

namespace {

struct HostRegistry {
  HostRegistry()
  {
    // A module checks the registry's objects against the classes it finds by name in
    // the class dictionary, so both classes are registered before any module loads.
    AcRxDynamicLinker::desc();
    AcEdCommandStack::desc();
    acrxDynamicLinkerPtr();
    acedRegCmds();
  }
};

const HostRegistry registry;

} // namespace
