#include "quillmark/host/ResultBufferList.h"

#include <cstring>

resbuf* ResultBufferList::next(resbuf* item) const
{
  if (item == nullptr)
    return nullptr;
  if (item->restype != RTLB)
    return item->rbnext;
  // Skip to the matching RTLE, counting nested lists (no recursion, so a deeply
  // nested argument cannot exhaust the stack).
  int depth = 1;
  for (resbuf* p = item->rbnext; p != nullptr; p = p->rbnext) {
    if (p->restype == RTLB) {
      ++depth;
    } else if (p->restype == RTLE) {
      if (--depth == 0)
        return p->rbnext;
    }
  }
  return nullptr;
}

int ResultBufferList::nth(int n, resbuf** out) const
{
  if (n < 0 || m_head == nullptr)
    return RTERROR;
  resbuf* p = m_head;
  for (int i = 0; i < n; ++i) {
    p = next(p);
    if (p == nullptr)
      return RTERROR;
  }
  *out = p;
  return RTNORM;
}

int ResultBufferList::stringOf(const resbuf* item, char* dst) const
{
  dst[0] = 0;
  if (item == nullptr || resultTypeOf(item->restype) != RTSTR || item->resval.rstring == nullptr)
    return RTERROR;
  const size_t length = std::strlen(item->resval.rstring);
  if (length > 255)
    return RTERROR;
  std::memcpy(dst, item->resval.rstring, length + 1);
  return RTNORM;
}

int ResultBufferList::nthString(int n, char* dst) const
{
  dst[0] = 0;
  resbuf* p = nullptr;
  if (nth(n, &p) == RTNORM && stringOf(p, dst) == RTNORM)
    return RTNORM;
  return RTERROR;
}

short resultTypeOf(short code)
{
  // Ranges of group codes, inclusive, in ascending order; each gives its type or
  // 0 for "the code itself".
  struct Range {
    short last;
    short type;
  };
  static const Range kRanges[] = {
      {9, RTSTR},     {37, RT3DPOINT},   {49, RTREAL},   {59, RTANG},      {79, RTSHORT},
      {89, RTSTR},    {99, RTSHORT},     {109, RTSTR},   {139, RT3DPOINT}, {149, RTREAL},
      {159, RTANG},   {179, RTSHORT},    {209, RTSTR},   {219, RT3DPOINT}, {259, 0},
      {289, RTSHORT}, {299, 0},          {329, RTSTR},   {369, RTENAME},   {899, 0},
      {1009, RTSTR},  {1039, RT3DPOINT}, {1049, RTREAL}, {1059, RTANG},    {1079, RTSHORT},
      {4999, 0},
  };
  if (code >= 5000 || code < -3)
    return code;
  if (code == -3)
    return RTSHORT;
  if (code < 0)
    return RTENAME;
  for (const Range& range : kRanges) {
    if (code <= range.last)
      return range.type != 0 ? range.type : code;
  }
  return code;
}
