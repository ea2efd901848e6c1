// The module's three exports, under their plain names (QUILMARK.def).
//   acrxEntryPoint      every application message of the host; answers 0
//   acrxGetApiVersion   the host interface version the module is built for
//   _SetacrxPtp         called by some hosts at load; nothing to do here
#pragma once

#include "arx/host/AcRx.h"

extern "C" {
AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt);
int acrxGetApiVersion();
void _SetacrxPtp(...);
}
