// The built-in functions of the command line's AutoLISP.
#include "arx/lisp/LispEnvironment.h"
#include "arx/lisp/LispError.h"
#include "arx/lisp/LispPrinter.h"

#include <vector>

namespace {

// The arguments as a vector, after checking their number.
std::vector<LispRef> argv(const LispRef& args, std::size_t min, std::size_t max)
{
  std::vector<LispRef> items;
  for (const LispObject* cell = args.get(); cell != nullptr; cell = cell->cdr.get())
    items.push_back(cell->car);
  if (items.size() < min)
    throw LispError("too few arguments");
  if (items.size() > max)
    throw LispError("too many arguments");
  return items;
}

const std::size_t kMany = static_cast<std::size_t>(-1);

[[noreturn]] void badArgument(const char* predicate, const LispRef& value)
{
  throw LispError(std::string("bad argument type: ") + predicate + " " + lispPrin1(value));
}

const std::string& stringArg(const LispRef& value)
{
  if (!lispIs(value, LispType::Str))
    badArgument("stringp", value);
  return value->text;
}

LispRef truth(bool b)
{
  return b ? lispT() : nullptr;
}

bool isNumber(const LispRef& v)
{
  return lispIs(v, LispType::Int) || lispIs(v, LispType::Real);
}

double numberOf(const LispRef& v)
{
  return v->type == LispType::Int ? v->integer : v->real;
}

// eq: the same object, or atoms that the host keeps unique (symbols, numbers,
// entity names).
bool isEq(const LispRef& a, const LispRef& b)
{
  if (a == b)
    return true;
  if (!a || !b || a->type != b->type)
    return false;
  switch (a->type) {
  case LispType::Sym:
    return a->text == b->text;
  case LispType::Int:
    return a->integer == b->integer;
  case LispType::Real:
    return a->real == b->real;
  case LispType::Ename:
    return a->module == b->module;
  default:
    return false;
  }
}

// equal: same structure and atoms.
bool isEqual(const LispRef& a, const LispRef& b)
{
  const LispObject* x = a.get();
  const LispObject* y = b.get();
  for (;;) {
    if (x == y)
      return true;
    if (x == nullptr || y == nullptr)
      return false;
    bool xNumber = x->type == LispType::Int || x->type == LispType::Real;
    bool yNumber = y->type == LispType::Int || y->type == LispType::Real;
    if (xNumber && yNumber)
      return (x->type == LispType::Int ? x->integer : x->real) ==
             (y->type == LispType::Int ? y->integer : y->real);
    if (x->type != y->type)
      return false;
    switch (x->type) {
    case LispType::Str:
    case LispType::Sym:
      return x->text == y->text;
    case LispType::Ename:
      return x->module == y->module;
    case LispType::Cons:
      if (!isEqual(x->car, y->car))
        return false;
      x = x->cdr.get();
      y = y->cdr.get();
      continue;
    default:
      return false;
    }
  }
}

// Special forms: arguments arrive unevaluated.

LispRef fnQuote(LispEnvironment&, const LispRef& args)
{
  return argv(args, 1, 1)[0];
}

LispRef fnSetq(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 2, kMany);
  if (items.size() % 2 != 0)
    throw LispError("too few arguments");
  LispRef result;
  for (std::size_t i = 0; i < items.size(); i += 2) {
    const LispRef& name = items[i];
    if (!lispIs(name, LispType::Sym) || name->text == "T" || name->text.empty())
      badArgument("symbolp", name);
    result = env.eval(items[i + 1]);
    env.setValue(name->text, result);
  }
  return result;
}

LispRef fnIf(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 2, 3);
  if (env.eval(items[0]))
    return env.eval(items[1]);
  return items.size() == 3 ? env.eval(items[2]) : nullptr;
}

LispRef fnProgn(LispEnvironment& env, const LispRef& args)
{
  LispRef result;
  for (const LispObject* cell = args.get(); cell != nullptr; cell = cell->cdr.get())
    result = env.eval(cell->car);
  return result;
}

LispRef fnWhile(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 1, kMany);
  LispRef result;
  while (env.eval(items[0])) {
    for (std::size_t i = 1; i < items.size(); ++i)
      result = env.eval(items[i]);
  }
  return result;
}

// Functions: arguments arrive evaluated.

LispRef fnList(LispEnvironment&, const LispRef& args)
{
  return args;
}

LispRef fnCons(LispEnvironment&, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 2, 2);
  return lispCons(items[0], items[1]); // an atom as second argument makes a dotted pair
}

const LispObject* listArg(const LispRef& v)
{
  if (!lispIsList(v))
    badArgument("consp", v);
  return v.get();
}

LispRef fnCar(LispEnvironment&, const LispRef& args)
{
  const LispObject* cell = listArg(argv(args, 1, 1)[0]);
  return cell ? cell->car : nullptr;
}

LispRef fnCdr(LispEnvironment&, const LispRef& args)
{
  const LispObject* cell = listArg(argv(args, 1, 1)[0]);
  return cell ? cell->cdr : nullptr;
}

LispRef fnAssoc(LispEnvironment&, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 2, 2);
  for (const LispObject* cell = listArg(items[1]); cell != nullptr; cell = cell->cdr.get()) {
    if (cell->type != LispType::Cons)
      break;
    const LispRef& entry = cell->car;
    if (lispIs(entry, LispType::Cons) && isEqual(entry->car, items[0]))
      return entry;
  }
  return nullptr;
}

LispRef fnNot(LispEnvironment&, const LispRef& args)
{
  return truth(!argv(args, 1, 1)[0]);
}

LispRef fnEqual(LispEnvironment&, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 1, kMany);
  for (const LispRef& v : items) {
    if (!isNumber(v) && !lispIs(v, LispType::Str))
      badArgument("numberp", v);
  }
  for (std::size_t i = 1; i < items.size(); ++i) {
    const LispRef& a = items[0];
    const LispRef& b = items[i];
    bool same = isNumber(a) && isNumber(b)                             ? numberOf(a) == numberOf(b)
                : lispIs(a, LispType::Str) && lispIs(b, LispType::Str) ? a->text == b->text
                                                                       : false;
    if (!same)
      return nullptr;
  }
  return lispT();
}

LispRef fnEq(LispEnvironment&, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 2, 2);
  return truth(isEq(items[0], items[1]));
}

LispRef fnStrcat(LispEnvironment&, const LispRef& args)
{
  std::string out;
  for (const LispRef& v : argv(args, 0, kMany))
    out += stringArg(v);
  return lispStr(out);
}

LispRef fnStrcase(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 1, 2);
  std::string text = stringArg(items[0]);
  bool lower = items.size() == 2 && items[1];
  LispHost* host = env.host();
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (host != nullptr && host->isLeadByte(c)) {
      ++i; // the second byte of a two-byte character is not a letter
      continue;
    }
    if (lower && c >= 'A' && c <= 'Z')
      text[i] = static_cast<char>(c - 'A' + 'a');
    else if (!lower && c >= 'a' && c <= 'z')
      text[i] = static_cast<char>(c - 'a' + 'A');
  }
  return lispStr(text);
}

LispRef fnPrinc(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 0, 1);
  if (items.empty())
    return lispVoid();
  env.print(lispPrinc(items[0]));
  return items[0];
}

LispRef fnPrin1(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 0, 1);
  if (items.empty())
    return lispVoid();
  env.print(lispPrin1(items[0]));
  return items[0];
}

LispRef fnPrint(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 0, 1);
  if (items.empty())
    return lispVoid();
  env.print("\n" + lispPrin1(items[0]) + " ");
  return items[0];
}

LispRef fnTerpri(LispEnvironment& env, const LispRef& args)
{
  argv(args, 0, 0);
  env.print("\n");
  return nullptr;
}

LispRef fnType(LispEnvironment&, const LispRef& args)
{
  LispRef v = argv(args, 1, 1)[0];
  if (!v)
    return nullptr;
  switch (v->type) {
  case LispType::Int:
    return lispSym("INT");
  case LispType::Real:
    return lispSym("REAL");
  case LispType::Str:
    return lispSym("STR");
  case LispType::Sym:
    return lispSym("SYM");
  case LispType::Cons:
    return lispSym("LIST");
  case LispType::Subr:
    return lispSym("SUBR");
  case LispType::Exsubr:
    return lispSym("EXSUBR");
  case LispType::Ename:
    return lispSym("ENAME");
  }
  return nullptr;
}

LispHost& hostOf(LispEnvironment& env, const char* what)
{
  if (env.host() == nullptr)
    throw LispError(std::string(what) + " failed");
  return *env.host();
}

// (arxload path [onfailure]) / (arxunload path [onfailure]): the path on success;
// on failure the onfailure value when given, else an error.
LispRef fnArxload(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 1, 2);
  const std::string& path = stringArg(items[0]);
  if (hostOf(env, "ARXLOAD").loadModule(path))
    return items[0];
  if (items.size() == 2)
    return items[1];
  throw LispError("ARXLOAD failed");
}

LispRef fnArxunload(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 1, 2);
  const std::string& path = stringArg(items[0]);
  if (hostOf(env, "ARXUNLOAD").unloadModule(path))
    return items[0];
  if (items.size() == 2)
    return items[1];
  throw LispError("ARXUNLOAD failed");
}

const char* const kTables[] = {"BLOCK", "LAYER", "LTYPE",    "STYLE", "VIEW",
                               "UCS",   "VPORT", "DIMSTYLE", "APPID"};

std::string tableName(const LispRef& v)
{
  std::string name = lispUpper(stringArg(v));
  for (const char* t : kTables) {
    if (name == t)
      return name;
  }
  throw LispError("bad argument value: invalid table name " + lispPrin1(v));
}

// (tblnext table [rewind]): the next record of the table, the first one after a
// rewind or on the first call; nil past the last. Each call asks the host for one
// record, so that a walk over a table of many blocks takes time in proportion to it.
LispRef fnTblnext(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 1, 2);
  std::string table = tableName(items[0]);
  std::size_t& cursor = env.tableCursors()[table];
  if (items.size() == 2 && items[1])
    cursor = 0;
  if (env.host() == nullptr)
    return nullptr;
  return env.host()->tableRecord(table, cursor, cursor);
}

// (tblsearch table name [setnext]): the record with that name (any case), or nil;
// with setnext, tblnext goes on after it.
LispRef fnTblsearch(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 2, 3);
  std::string table = tableName(items[0]);
  const std::string& name = stringArg(items[1]);
  if (env.host() == nullptr)
    return nullptr;
  std::size_t next = 0;
  LispRef record = env.host()->tableSearch(table, name, next);
  if (record && items.size() == 3 && items[2])
    env.tableCursors()[table] = next;
  return record;
}

LispRef entityArg(const LispRef& v)
{
  if (!lispIs(v, LispType::Ename))
    throw LispError("bad argument type: lentityp " + lispPrin1(v));
  return v;
}

// (entnext [ename]): the entity after `ename` in its block, or the first entity of
// model space without one; nil past the last.
LispRef fnEntnext(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 0, 1);
  LispRef after = items.empty() ? nullptr : entityArg(items[0]);
  return env.host() != nullptr ? env.host()->entityNext(after) : nullptr;
}

// (entget ename [applications]): the entity's DXF group list.
LispRef fnEntget(LispEnvironment& env, const LispRef& args)
{
  std::vector<LispRef> items = argv(args, 1, 2);
  LispRef entity = entityArg(items[0]);
  return env.host() != nullptr ? env.host()->entityList(entity) : nullptr;
}

struct Builtin {
  const char* name;
  LispSubrFn fn;
  bool special;
};

const Builtin kBuiltins[] = {
    {"QUOTE", fnQuote, true},
    {"ENTNEXT", fnEntnext, false},
    {"ENTGET", fnEntget, false},
    {"SETQ", fnSetq, true},
    {"IF", fnIf, true},
    {"WHILE", fnWhile, true},
    {"PROGN", fnProgn, true},
    {"LIST", fnList, false},
    {"CONS", fnCons, false},
    {"CAR", fnCar, false},
    {"CDR", fnCdr, false},
    {"ASSOC", fnAssoc, false},
    {"NOT", fnNot, false},
    {"NULL", fnNot, false},
    {"=", fnEqual, false},
    {"EQ", fnEq, false},
    {"STRCAT", fnStrcat, false},
    {"STRCASE", fnStrcase, false},
    {"PRINC", fnPrinc, false},
    {"PRIN1", fnPrin1, false},
    {"PRINT", fnPrint, false},
    {"TERPRI", fnTerpri, false},
    {"TYPE", fnType, false},
    {"ARXLOAD", fnArxload, false},
    {"ARXUNLOAD", fnArxunload, false},
    {"TBLNEXT", fnTblnext, false},
    {"TBLSEARCH", fnTblsearch, false},
};

} // namespace

void lispInstallBuiltins(std::map<std::string, LispRef>& symbols)
{
  for (const Builtin& b : kBuiltins)
    symbols[b.name] = lispSubr(b.name, b.fn, b.special);
}
