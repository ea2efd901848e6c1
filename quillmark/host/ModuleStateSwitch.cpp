#include "quillmark/host/ModuleStateSwitch.h"

#include "mfc/AfxModuleState.h"

HINSTANCE g_moduleInstance = nullptr;

ModuleStateSwitch::ModuleStateSwitch() : m_savedResource(AfxGetResourceHandle())
{
  AfxSetResourceHandle(g_moduleInstance);
}

ModuleStateSwitch::~ModuleStateSwitch()
{
  AfxSetResourceHandle(m_savedResource);
}
