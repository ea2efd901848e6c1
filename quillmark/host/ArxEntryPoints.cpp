#include "quillmark/host/ArxEntryPoints.h"

#include "quillmark/host/ArxApp.h"

ArxApp g_arxApp;

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt)
{
  return static_cast<AcRx::AppRetCode>(g_arxApp.dispatch(static_cast<int>(msg), pkt));
}

extern "C" int acrxGetApiVersion()
{
  return 0x000F0000; // release 15 in the upper word
}

extern "C" void _SetacrxPtp(...) {}
