// LispEnvironment: one AutoLISP world (the host keeps one per open drawing): the
// symbols with their values, the functions that modules defined in it, the
// position of tblnext in each symbol table, and the evaluator.
#pragma once

#include "arx/lisp/LispHost.h"
#include "arx/lisp/LispValue.h"

#include <map>
#include <string>

// What the command line gets from evaluating a text.
struct LispOutcome {
  bool ok = false;         // every expression was read and evaluated
  bool incomplete = false; // the text ended inside a list or string (more may follow)
  LispRef value;           // the value of the last expression
  std::string printed;     // that value in prin1 form, or "; error: MESSAGE"
};

class LispEnvironment {
public:
  // `host` may be null: then printing goes nowhere and module functions, modules
  // and tables are not available.
  explicit LispEnvironment(LispHost* host);

  LispHost* host() const { return m_host; }

  // Reads and evaluates every expression of `text` in order; stops at the first error.
  LispOutcome evaluate(const std::string& text);
  // Evaluates one expression. Throws LispError.
  LispRef eval(const LispRef& form);

  // The value of a symbol (name upper case); nil when unbound.
  LispRef value(const std::string& name) const;
  void setValue(const std::string& name, const LispRef& value);

  // Makes `name` a function of `module` with function code `code` (an EXSUBR).
  void defineExternal(const std::string& name, void* module, int code);
  // Removes the definition if `name` is that module's function with that code.
  bool undefineExternal(const std::string& name, void* module, int code);
  // Removes every function of `module` (it is being unloaded).
  void undefineModule(void* module);

  // Prints through the host.
  void print(const std::string& text);
  // Index of the next record tblnext returns, per table (upper-case name).
  std::map<std::string, std::size_t>& tableCursors() { return m_tableCursors; }

  static const int kMaxEvalDepth = 2000; // nesting of evaluation accepted

private:
  LispRef call(const LispRef& fn, const LispRef& argForms, const std::string& calledAs);

  LispHost* m_host;                                  // the program around us, may be null
  std::map<std::string, LispRef> m_symbols;          // symbol values (built-ins included)
  std::map<std::string, std::size_t> m_tableCursors; // tblnext positions
  int m_depth = 0;                                   // evaluation nesting in progress
};

// Adds the built-in functions to a symbol map.
void lispInstallBuiltins(std::map<std::string, LispRef>& symbols);
