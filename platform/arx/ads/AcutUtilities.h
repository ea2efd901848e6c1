// The host's utility functions: wildcard matching and plane geometry on ads points.
#pragma once

#include "arx/ads/AdsCodes.h"

// RTNORM when `text` matches `pattern` under the host's wildcard rules, else RTERROR.
int acutWcMatch(const char* text, const char* pattern);
// result = pt moved by `dist` at `angle` (radians, counter-clockwise from x) in the XY plane; z
// kept.
int acutPolar(const ads_point pt, ads_real angle, ads_real dist, ads_point result);
// The angle from p1 to p2 in the XY plane, counter-clockwise from x, in [0, 2 pi).
ads_real acutAngle(const ads_point p1, const ads_point p2);
// The distance between p1 and p2 in 3D.
ads_real acutDistance(const ads_point p1, const ads_point p2);
