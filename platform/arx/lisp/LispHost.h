// LispHost: what the evaluator asks of the program around it (the CAD host): printing,
// calling functions that modules defined, loading modules and reading symbol tables.
// The evaluator itself stays free of any system header.
#pragma once

#include "arx/lisp/LispValue.h"

#include <cstddef>
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
  // Symbol table `table` (upper case: "BLOCK", "LAYER", ...) of the current drawing,
  // one record at a time, each as an association list; a position counts every
  // record the table holds, shown or not, so that it stays put when another record
  // is erased. Both give nil, `next` unchanged, when there is none (or no drawing).
  //   tableRecord: the first record shown at `position` or after it, `next` set past it
  //   tableSearch: the record named `name` (any case), `next` set past it
  virtual LispRef tableRecord(const std::string& table, std::size_t position,
                              std::size_t& next) = 0;
  virtual LispRef tableSearch(const std::string& table, const std::string& name,
                              std::size_t& next) = 0;
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
