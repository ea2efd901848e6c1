// The host's result-type and status codes, and the result buffer chain (resbuf)
// in which LISP arguments and results travel.
#pragma once

#include <cstdint>

// Result types.
#define RTNONE 5000    // no result
#define RTREAL 5001    // real number
#define RTPOINT 5002   // 2D point
#define RTSHORT 5003   // short integer
#define RTANG 5004     // angle
#define RTSTR 5005     // string
#define RTENAME 5006   // entity name
#define RTPICKS 5007   // selection set
#define RTORINT 5008   // orientation
#define RT3DPOINT 5009 // 3D point
#define RTLONG 5010    // 32-bit integer
#define RTVOID 5014    // blank symbol
#define RTLB 5016      // list begin
#define RTLE 5017      // list end
#define RTDOTE 5018    // dotted pair
#define RTNIL 5019     // nil
#define RTDXF0 5020    // group code 0 of a DXF list
#define RTT 5021       // T atom

// Status codes.
#define RTNORM 5100     // success
#define RTERROR (-5001) // failure
#define RTCAN (-5002)   // cancelled
#define RTREJ (-5003)   // request rejected
#define RTFAIL (-5004)  // link failure
#define RTKWORD (-5005) // keyword

typedef double ads_real;
typedef ads_real ads_point[3];
typedef std::int64_t ads_name[2];

struct ads_binary {
  short clen; // length of buf
  char* buf;  // the bytes
};

union ads_u_val {
  ads_real rreal;
  ads_real rpoint[3];
  short rint;
  char* rstring;
  std::int64_t rlname[2];
  std::int32_t rlong;
  ads_binary rbinary;
};

// One item of a result buffer chain.
struct resbuf {
  resbuf* rbnext;   // next item, null at the end
  short restype;    // result type or group code
  ads_u_val resval; // the value
};

// Chains made by the host (acutNewRb / acutBuildList style) are released with acutRelRb.
resbuf* acutNewRb(int type);
int acutRelRb(resbuf* chain);
