#include "arx/lisp/LispEnvironment.h"

#include "arx/lisp/LispError.h"
#include "arx/lisp/LispPrinter.h"
#include "arx/lisp/LispReader.h"

namespace {

// Keeps the evaluation depth counter right on every way out.
class DepthGuard {
public:
  explicit DepthGuard(int& depth) : m_depth(depth)
  {
    if (++m_depth > LispEnvironment::kMaxEvalDepth) {
      --m_depth;
      throw LispError("stack overflow");
    }
  }
  ~DepthGuard() { --m_depth; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

private:
  int& m_depth;
};

} // namespace

LispEnvironment::LispEnvironment(LispHost* host) : m_host(host)
{
  lispInstallBuiltins(m_symbols);
}

LispOutcome LispEnvironment::evaluate(const std::string& text)
{
  LispOutcome outcome;
  try {
    LispReader reader(text);
    while (!reader.atEnd())
      outcome.value = eval(reader.read());
    outcome.ok = true;
    outcome.printed = lispPrin1(outcome.value);
  } catch (const LispError& e) {
    outcome.value = nullptr;
    outcome.incomplete = e.incomplete();
    outcome.printed = std::string("; error: ") + e.what();
  } catch (const std::bad_alloc&) {
    outcome.value = nullptr;
    outcome.printed = "; error: insufficient memory";
  }
  return outcome;
}

LispRef LispEnvironment::eval(const LispRef& form)
{
  if (!form)
    return nullptr;
  switch (form->type) {
  case LispType::Sym:
    if (form->text == "T" || form->text.empty())
      return form;
    return value(form->text);
  case LispType::Cons:
    break;
  default:
    return form; // numbers, strings and functions evaluate to themselves
  }

  DepthGuard guard(m_depth);
  const LispRef& head = form->car;
  if (lispIs(head, LispType::Sym)) {
    LispRef fn = value(head->text);
    if (!lispIs(fn, LispType::Subr) && !lispIs(fn, LispType::Exsubr))
      throw LispError("no function definition: " + head->text);
    return call(fn, form->cdr, head->text);
  }
  LispRef fn = eval(head);
  if (!lispIs(fn, LispType::Subr) && !lispIs(fn, LispType::Exsubr))
    throw LispError("bad function: " + lispPrin1(fn));
  return call(fn, form->cdr, fn->text);
}

LispRef LispEnvironment::call(const LispRef& fn, const LispRef& argForms,
                              const std::string& calledAs)
{
  for (const LispObject* cell = argForms.get(); cell != nullptr; cell = cell->cdr.get()) {
    if (cell->type != LispType::Cons)
      throw LispError("bad argument list: " + calledAs);
  }
  if (fn->type == LispType::Subr && fn->special)
    return fn->subr(*this, argForms);

  LispListBuilder args;
  for (const LispObject* cell = argForms.get(); cell != nullptr; cell = cell->cdr.get())
    args.add(eval(cell->car));
  LispRef evaluated = args.finish();

  if (fn->type == LispType::Subr)
    return fn->subr(*this, evaluated);
  if (m_host == nullptr)
    throw LispError("no function definition: " + calledAs);
  return m_host->invokeExternal(*fn, evaluated);
}

LispRef LispEnvironment::value(const std::string& name) const
{
  auto it = m_symbols.find(name);
  return it == m_symbols.end() ? nullptr : it->second;
}

void LispEnvironment::setValue(const std::string& name, const LispRef& value)
{
  if (value)
    m_symbols[name] = value;
  else
    m_symbols.erase(name);
}

void LispEnvironment::defineExternal(const std::string& name, void* module, int code)
{
  std::string upper = lispUpper(name);
  m_symbols[upper] = lispExsubr(upper, module, code);
}

bool LispEnvironment::undefineExternal(const std::string& name, void* module, int code)
{
  auto it = m_symbols.find(lispUpper(name));
  if (it == m_symbols.end() || !lispIs(it->second, LispType::Exsubr) ||
      it->second->module != module || it->second->integer != code)
    return false;
  m_symbols.erase(it);
  return true;
}

void LispEnvironment::undefineModule(void* module)
{
  for (auto it = m_symbols.begin(); it != m_symbols.end();) {
    if (lispIs(it->second, LispType::Exsubr) && it->second->module == module)
      it = m_symbols.erase(it);
    else
      ++it;
  }
}

void LispEnvironment::print(const std::string& text)
{
  if (m_host != nullptr)
    m_host->print(text);
}
