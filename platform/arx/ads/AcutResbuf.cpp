// acutNewRb / acutRelRb: result buffers made and released by the host's allocator.
#include "arx/ads/AdsCodes.h"
#include "arx/lisp/LispResbuf.h"

resbuf* acutNewRb(int type)
{
  return lispNewRb(type);
}

int acutRelRb(resbuf* chain)
{
  lispRelRb(chain);
  return RTNORM;
}
