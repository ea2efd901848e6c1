#include "quillmark/host/ExtensionModule.h"

BOOL ExtensionModule::attach(HINSTANCE instance)
{
  if (m_attached)
    return FALSE;
  m_attached = AfxInitExtensionModule(m_module, instance);
  if (m_attached)
    new CDynLinkLibrary(m_module, FALSE); // the chain owns it from here on
  return m_attached;
}

void ExtensionModule::detach()
{
  if (!m_attached)
    return;
  AfxTermExtensionModule(m_module);
  m_attached = 0;
}
