// LispHost: what the evaluator asks of the program around it (the CAD host): printing,
// calling functions that modules defined, loading modules and reading symbol tables.
// The evaluator itself stays free of any system header.
#pragma once

#include "arx/lisp/LispValue.h"

#include <string>
#include <vector>

class LispHost {
public:
  virtual ~LispHost() = default;

  // Prints text (ANSI code page bytes) on the command line.
  virtual void print(const std::string& text) = 0;
  // Calls function `fn` (an EXSUBR) with its evaluated arguments; returns its result
  // (nil when it set none). Throws LispError when the call cannot be made.
  virtual LispRef invokeExternal(const LispObject& fn, const LispRef& args) = 0;
  // arxload / arxunload: true when the module was loaded / unloaded.
  virtual bool loadModule(const std::string& path) = 0;
  virtual bool unloadModule(const std::string& path) = 0;
  // The records of symbol table `table` (upper case: "BLOCK", "LAYER", ...) of the
  // current drawing, each as an association list; empty when there is no drawing.
  virtual std::vector<LispRef> tableRecords(const std::string& table) = 0;
  // entnext: the entity after `entity` (an ENAME) in its block, the first entity of
  // model space when `entity` is nil; nil past the last or without a drawing.
  virtual LispRef entityNext(const LispRef& entity)
  {
    (void)entity;
    return nullptr;
  }
  // entget: the entity's DXF group list ((-1 . ename) (0 . "LINE") (8 . layer) ...).
  virtual LispRef entityList(const LispRef& entity)
  {
    (void)entity;
    return nullptr;
  }
  // True when `byte` starts a two-byte character in the ANSI code page.
  virtual bool isLeadByte(unsigned char byte) const
  {
    (void)byte;
    return false;
  }
};
