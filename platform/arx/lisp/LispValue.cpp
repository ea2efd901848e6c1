#include "arx/lisp/LispValue.h"

#include <vector>

LispObject::~LispObject()
{
  // Take over every sub-list that dies with this cell and release them one by one,
  // so a list of a million cells does not need a million stack frames.
  std::vector<LispRef> dying;
  auto take = [&dying](LispRef& ref) {
    if (ref && ref.use_count() == 1)
      dying.push_back(std::move(ref));
    else
      ref.reset();
  };
  take(car);
  take(cdr);
  while (!dying.empty()) {
    LispRef cell = std::move(dying.back());
    dying.pop_back();
    auto* mutableCell = const_cast<LispObject*>(cell.get());
    take(mutableCell->car);
    take(mutableCell->cdr);
  }
}

LispRef lispInt(std::int32_t value)
{
  auto v = std::make_shared<LispObject>(LispType::Int);
  v->integer = value;
  return v;
}

LispRef lispReal(double value)
{
  auto v = std::make_shared<LispObject>(LispType::Real);
  v->real = value;
  return v;
}

LispRef lispStr(const std::string& text)
{
  auto v = std::make_shared<LispObject>(LispType::Str);
  v->text = text;
  return v;
}

LispRef lispSym(const std::string& name)
{
  auto v = std::make_shared<LispObject>(LispType::Sym);
  v->text = lispUpper(name);
  return v;
}

LispRef lispCons(const LispRef& car, const LispRef& cdr)
{
  auto v = std::make_shared<LispObject>(LispType::Cons);
  v->car = car;
  v->cdr = cdr;
  return v;
}

LispRef lispSubr(const char* name, LispSubrFn fn, bool special)
{
  auto v = std::make_shared<LispObject>(LispType::Subr);
  v->text = name;
  v->subr = fn;
  v->special = special;
  return v;
}

LispRef lispExsubr(const std::string& name, void* module, int code)
{
  auto v = std::make_shared<LispObject>(LispType::Exsubr);
  v->text = lispUpper(name);
  v->module = module;
  v->integer = code;
  return v;
}

LispRef lispEname(void* entity)
{
  auto v = std::make_shared<LispObject>(LispType::Ename);
  v->module = entity;
  return v;
}

LispRef lispT()
{
  static const LispRef t = lispSym("T");
  return t;
}

LispRef lispVoid()
{
  static const LispRef v = lispSym("");
  return v;
}

bool lispIsVoid(const LispRef& v)
{
  return lispIs(v, LispType::Sym) && v->text.empty();
}

bool lispIsSym(const LispRef& v, const char* upperName)
{
  return lispIs(v, LispType::Sym) && v->text == upperName;
}

void LispListBuilder::add(const LispRef& item)
{
  auto cell = std::make_shared<LispObject>(LispType::Cons);
  cell->car = item;
  LispObject* raw = cell.get();
  if (m_last == nullptr)
    m_head = std::move(cell);
  else
    m_last->cdr = std::move(cell);
  m_last = raw;
}

LispRef LispListBuilder::finish(const LispRef& tail)
{
  if (m_last == nullptr)
    return tail;
  m_last->cdr = tail;
  m_last = nullptr;
  return std::move(m_head);
}

LispRef lispPair(std::int32_t key, const LispRef& value)
{
  return lispCons(lispInt(key), value);
}

std::string lispUpper(const std::string& text)
{
  std::string out = text;
  for (char& c : out) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}
