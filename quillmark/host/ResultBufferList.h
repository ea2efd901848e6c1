// ResultBufferList: a read-only walk over the host's chain of LISP arguments,
// in which a whole list (RTLB ... RTLE, nested lists included) is one argument.
// The chain belongs to the host and is never changed or freed here.
#pragma once

#include "arx/ads/AdsCodes.h"

class ResultBufferList {
public:
  ResultBufferList() = default;
  ~ResultBufferList() = default;

  void setHead(resbuf* head) { m_head = head; }
  // The item after the argument that starts at `item`: its successor, or for a
  // list the item after its matching RTLE; null at the end, for a null `item`, and
  // for a list whose RTLE is missing.
  resbuf* next(resbuf* item) const;
  // RTNORM and argument `n` (0-based) in *out, or RTERROR with *out unchanged.
  int nth(int n, resbuf** out) const;
  // RTNORM and the item's text in `dst` (256 bytes), or RTERROR and `dst` empty:
  // for an item that is not a string, and for a text of more than 255
  // characters, which the buffer cannot hold.
  int stringOf(const resbuf* item, char* dst) const;
  // nth, then stringOf: RTNORM, or RTERROR with `dst` empty.
  int nthString(int n, char* dst) const;

  resbuf* m_head = nullptr; // first item of the chain; not owned
};

// The result type a group or result-type code stands for (RTSTR, RTSHORT, ...);
// codes of no such type map to themselves.
short resultTypeOf(short code);
