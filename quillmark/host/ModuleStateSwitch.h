// ModuleStateSwitch: while it exists, this module is where MFC looks for
// resources first (its dialog template and icon). Only the resource handle of
// the application's module state changes; switches nest, each giving back the
// handle that was current when it began.
#pragma once

#include <windows.h>

// The module's own instance handle, stored when Windows loads the module.
extern HINSTANCE g_moduleInstance;

class ModuleStateSwitch {
public:
  ModuleStateSwitch();
  virtual ~ModuleStateSwitch();
  ModuleStateSwitch(const ModuleStateSwitch&) = delete;
  ModuleStateSwitch& operator=(const ModuleStateSwitch&) = delete;

private:
  HINSTANCE m_savedResource; // the resource handle current before the switch
};
