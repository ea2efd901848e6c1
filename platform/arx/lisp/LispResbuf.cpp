#include "arx/lisp/LispResbuf.h"

#include "arx/lisp/LispError.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

// Appends items after *tail.
class ChainWriter {
public:
  ~ChainWriter() { lispRelRb(m_head); }
  resbuf* release()
  {
    resbuf* head = m_head;
    m_head = nullptr;
    return head;
  }
  resbuf* add(int type)
  {
    resbuf* rb = lispNewRb(type);
    if (rb == nullptr)
      throw std::bad_alloc();
    if (m_tail == nullptr)
      m_head = rb;
    else
      m_tail->rbnext = rb;
    m_tail = rb;
    return rb;
  }
  void addValue(const LispRef& v, int depth);

private:
  resbuf* m_head = nullptr; // first item, owned until released
  resbuf* m_tail = nullptr; // last item
};

void ChainWriter::addValue(const LispRef& v, int depth)
{
  if (!v) {
    add(RTNIL);
    return;
  }
  switch (v->type) {
  case LispType::Int:
    if (v->integer >= -32768 && v->integer <= 32767)
      add(RTSHORT)->resval.rint = static_cast<short>(v->integer);
    else
      add(RTLONG)->resval.rlong = v->integer;
    return;
  case LispType::Real:
    add(RTREAL)->resval.rreal = v->real;
    return;
  case LispType::Sym:
    if (v->text == "T") {
      add(RTT);
      return;
    }
    [[fallthrough]];
  case LispType::Str: {
    resbuf* rb = add(RTSTR);
    rb->resval.rstring = static_cast<char*>(std::malloc(v->text.size() + 1));
    if (rb->resval.rstring == nullptr)
      throw std::bad_alloc();
    std::memcpy(rb->resval.rstring, v->text.c_str(), v->text.size() + 1);
    return;
  }
  case LispType::Cons: {
    if (depth > 1000)
      throw LispError("list nested too deeply for an argument");
    add(RTLB);
    const LispObject* cell = v.get();
    for (;;) {
      addValue(cell->car, depth + 1);
      if (!cell->cdr)
        break;
      if (cell->cdr->type != LispType::Cons) {
        add(RTDOTE);
        addValue(cell->cdr, depth + 1);
        break;
      }
      cell = cell->cdr.get();
    }
    add(RTLE);
    return;
  }
  case LispType::Subr:
  case LispType::Exsubr:
  case LispType::Ename:
    break;
  }
  throw LispError("bad argument type: function " + v->text);
}

// Reads one value at *pos; advances past it. Sets ok false on a malformed chain.
LispRef readValue(const resbuf*& pos, bool& ok, int depth)
{
  if (pos == nullptr || depth > 1000) {
    ok = false;
    return nullptr;
  }
  const resbuf* rb = pos;
  pos = pos->rbnext;
  switch (rb->restype) {
  case RTSHORT:
    return lispInt(rb->resval.rint);
  case RTLONG:
    return lispInt(rb->resval.rlong);
  case RTREAL:
  case RTANG:
  case RTORINT:
    return lispReal(rb->resval.rreal);
  case RTSTR:
    return lispStr(rb->resval.rstring != nullptr ? rb->resval.rstring : "");
  case RTT:
    return lispT();
  case RTNIL:
    return nullptr;
  case RTPOINT:
  case RT3DPOINT: {
    LispListBuilder point;
    point.add(lispReal(rb->resval.rpoint[0]));
    point.add(lispReal(rb->resval.rpoint[1]));
    if (rb->restype == RT3DPOINT)
      point.add(lispReal(rb->resval.rpoint[2]));
    return point.finish();
  }
  case RTLB: {
    LispListBuilder items;
    while (pos != nullptr && pos->restype != RTLE) {
      if (pos->restype == RTDOTE) {
        pos = pos->rbnext;
        LispRef tail = readValue(pos, ok, depth + 1);
        if (!ok || pos == nullptr || pos->restype != RTLE) {
          ok = false;
          return nullptr;
        }
        pos = pos->rbnext;
        return items.finish(tail);
      }
      items.add(readValue(pos, ok, depth + 1));
      if (!ok)
        return nullptr;
    }
    if (pos == nullptr) {
      ok = false;
      return nullptr;
    }
    pos = pos->rbnext; // RTLE
    return items.finish();
  }
  default:
    ok = false;
    return nullptr;
  }
}

} // namespace

resbuf* lispNewRb(int type)
{
  resbuf* rb = new (std::nothrow) resbuf;
  if (rb == nullptr)
    return nullptr;
  std::memset(rb, 0, sizeof *rb);
  rb->restype = static_cast<short>(type);
  return rb;
}

void lispRelRb(resbuf* chain)
{
  while (chain != nullptr) {
    resbuf* next = chain->rbnext;
    if (chain->restype == RTSTR)
      std::free(chain->resval.rstring);
    delete chain;
    chain = next;
  }
}

resbuf* lispArgsToResbuf(const LispRef& args)
{
  ChainWriter writer;
  for (const LispObject* cell = args.get(); cell != nullptr; cell = cell->cdr.get())
    writer.addValue(cell->car, 0);
  return writer.release();
}

resbuf* lispValueToResbuf(const LispRef& value)
{
  ChainWriter writer;
  writer.addValue(value, 0);
  return writer.release();
}

LispRef lispResbufToValue(const resbuf* chain)
{
  bool ok = true;
  const resbuf* pos = chain;
  LispRef value = readValue(pos, ok, 0);
  return ok ? value : nullptr;
}
