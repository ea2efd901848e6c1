// acedGetFunCode, acedGetArgs and the acedRet* family: the module's side of a
// LISP call. A result set outside any invoke is kept all the same (tests call
// handlers directly) and dropped when the next invoke starts.
#include "arx/ads/AdsInvoke.h"

#include "arx/ads/AcedServices.h"

AdsInvoke& adsInvoke()
{
  static AdsInvoke state;
  return state;
}

int acedGetFunCode()
{
  return adsInvoke().funCode;
}

resbuf* acedGetArgs()
{
  return adsInvoke().args;
}

namespace {

int setResult(int type, const LispRef& value)
{
  adsInvoke().retType = type;
  adsInvoke().result = value;
  return RTNORM;
}

} // namespace

int acedRetStr(const char* text)
{
  return setResult(RTSTR, lispStr(text != nullptr ? text : ""));
}

int acedRetNil()
{
  return setResult(RTNIL, nullptr);
}

int acedRetVoid()
{
  return setResult(RTVOID, lispVoid());
}

int acedRetT()
{
  return setResult(RTT, lispT());
}

int acedRetInt(int value)
{
  return setResult(value >= -32768 && value <= 32767 ? RTSHORT : RTLONG, lispInt(value));
}

int acedRetReal(ads_real value)
{
  return setResult(RTREAL, lispReal(value));
}
