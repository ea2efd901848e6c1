// LispValue: the values of the host's AutoLISP.
//   nil        the null LispRef
//   INT REAL   32-bit integers and doubles
//   STR        byte strings in the ANSI code page
//   SYM        symbols, names upper-cased (T is the symbol T)
//   LIST       cons cells (immutable: no list can contain itself)
//   SUBR       built-in functions; EXSUBR: functions a module defined with acedDefun
#pragma once

#include <cstdint>
#include <memory>
#include <string>

enum class LispType { Int, Real, Str, Sym, Cons, Subr, Exsubr, Ename };

struct LispObject;
using LispRef = std::shared_ptr<const LispObject>;

class LispEnvironment;
// A built-in: gets its argument list (evaluated unless the built-in is special).
typedef LispRef (*LispSubrFn)(LispEnvironment& env, const LispRef& args);

struct LispObject {
  LispType type;
  std::int32_t integer = 0;  // INT value; EXSUBR function code
  double real = 0;           // REAL value
  std::string text;          // STR bytes; SYM, SUBR, EXSUBR name
  LispRef car, cdr;          // LIST cell
  LispSubrFn subr = nullptr; // SUBR function
  bool special = false;      // SUBR takes its arguments unevaluated (quote, setq, if, ...)
  void* module = nullptr;    // EXSUBR: the module that defined it; ENAME: the entity (host's)

  explicit LispObject(LispType t) : type(t) {}
  // Long lists are released without recursing once per cell.
  ~LispObject();
};

LispRef lispInt(std::int32_t value);
LispRef lispReal(double value);
LispRef lispStr(const std::string& text);
LispRef lispSym(const std::string& name); // upper-cases the name
LispRef lispCons(const LispRef& car, const LispRef& cdr);
LispRef lispSubr(const char* name, LispSubrFn fn, bool special = false);
LispRef lispExsubr(const std::string& name, void* module, int code);
// An entity name (entnext, entget, the -2 group of a block): the host's entity.
LispRef lispEname(void* entity);
// The symbol T, and the empty symbol that stands for "no value" (prints as nothing).
LispRef lispT();
LispRef lispVoid();

inline bool lispIs(const LispRef& v, LispType t)
{
  return v && v->type == t;
}
bool lispIsVoid(const LispRef& v);
// True for nil and for cons cells.
inline bool lispIsList(const LispRef& v)
{
  return !v || v->type == LispType::Cons;
}
bool lispIsSym(const LispRef& v, const char* upperName);

// A small builder for proper lists (and a dotted tail).
class LispListBuilder {
public:
  void add(const LispRef& item);
  LispRef finish(const LispRef& tail = nullptr);

private:
  std::shared_ptr<LispObject> m_head; // first cell, built in place
  LispObject* m_last = nullptr;       // last cell
};

// (key . value) pairs for association lists.
LispRef lispPair(std::int32_t key, const LispRef& value);

// Case mapping of ASCII letters only (text is in the ANSI code page).
std::string lispUpper(const std::string& text);
