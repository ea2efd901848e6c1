// AdsInvoke: the LISP call of a module function in progress: its function code,
// its argument chain, and the result the module set with acedRet*.
#pragma once

#include "arx/ads/AdsCodes.h"
#include "arx/lisp/LispValue.h"

struct AdsInvoke {
  int funCode = -1;       // acedGetFunCode; -1 outside an invoke
  resbuf* args = nullptr; // acedGetArgs; not owned here
  int retType = RTNONE;   // type of the result set, RTNONE when none
  LispRef result;         // the result set (lispVoid() for acedRetVoid)
};

// The invoke in progress. Callers that start an invoke save the previous state and
// give it back when done, so invokes nest.
AdsInvoke& adsInvoke();
