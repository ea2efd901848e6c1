// LispResbuf: LISP values as result buffer chains, the form in which modules get
// their arguments (acedGetArgs) and the host keeps their results.
//   integers: RTSHORT when they fit in 16 bits, else RTLONG; reals RTREAL;
//   strings RTSTR; T RTT; nil RTNIL; other symbols RTSTR with their name;
//   lists RTLB ... RTLE (nested as deep as they are), a dotted tail after RTDOTE.
// Chains made here are released with lispRelRb (strings are malloc'd copies).
#pragma once

#include "arx/ads/AdsCodes.h"
#include "arx/lisp/LispValue.h"

// A new item of that type, zero value. Null when memory runs out.
resbuf* lispNewRb(int type);
// Releases a whole chain and its strings; null is allowed.
void lispRelRb(resbuf* chain);

// One item (or RTLB ... RTLE group) per element of the argument list `args`.
// Throws LispError for a value no chain can carry (a function).
resbuf* lispArgsToResbuf(const LispRef& args);
// One value as a chain (RTNIL for nil).
resbuf* lispValueToResbuf(const LispRef& value);
// The value of a chain made by a module (acedRetList style); malformed chains
// (unbalanced RTLB / RTLE) give nil.
LispRef lispResbufToValue(const resbuf* chain);
