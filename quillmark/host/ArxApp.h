// ArxApp: the module's application object. The host's application messages
// arrive at dispatch, which routes each to one virtual handler; the handlers
// of the table of LISP functions define, invoke and undefine them, and
// register the module's commands in the command group named after the module.
#pragma once

#include "quillmark/host/LispFunctionTable.h"

class ArxApp {
public:
  ArxApp() = default;
  ~ArxApp() = default;
  ArxApp(const ArxApp&) = delete;
  ArxApp& operator=(const ArxApp&) = delete;

  // Routes host message `msg` to its handler; always answers 0 (AcRx::kRetOK).
  int dispatch(int msg, void* pkt);

  // LISP function table operations
  // Defines the entries to LISP (every entry when `all` is 1, else only the
  // external ones): 1, or 0 at the first entry the host refuses.
  virtual int defineFunctions(int all);
  // Runs the handler of the function being invoked: 1 when one ran.
  virtual int invokeFunction();
  // Undefines the entries (as selected by `all`) and empties the table: 1.
  virtual int undefineFunctions(int all);

  // Message handlers, in the order of the host's messages
  virtual void onNullMsg() {}
  virtual void onInitApp();
  virtual void onUnloadApp();
  virtual void onLoadDwg();
  virtual void onUnloadDwg() {}
  virtual void onInvokeSubr();
  virtual void onCfg() {}
  virtual void onEnd() {}
  virtual void onQuit() {}
  virtual void onSave() {}
  virtual void onDependency() {}
  virtual void onNoDependency() {}
  virtual void onOleUnloadApp() {}
  virtual void onPreQuit() {}

  // Fills `table` with the module's two LISP functions (codes 0 and 1).
  void addFunctions(LispFunctionTable* table);
  void setAppName(const char* name);
  // Reads the settings, prints the load banner, adds the command entries.
  void registerCommands();
  // Removes the command group named m_appName.
  void removeCommands();

  LispFunctionTable m_functions; // the module's LISP functions and commands
  int m_lastMsg = 0;             // code of the message being handled
  int m_retCode = 0;             // reply to the host; always 0
  char m_appName[260] = {};      // application and command group name
};

// The module's one application object.
extern ArxApp g_arxApp;
