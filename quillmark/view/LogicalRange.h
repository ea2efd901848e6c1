// LogicalRange: the logical coordinates GDI accepts, -(2^27 - 1) to 2^27 - 1 on
// each axis, and the clipping of a segment to them. A segment that leaves the
// range (the far ends of rays and construction lines at large scales) is cut
// where it crosses the range's edge, so that it keeps its direction; no
// coordinate is brought into range on its own.
#pragma once

#include <cmath>

const double kLogicalLimit = 134217727.0; // 2^27 - 1

// True when both coordinates lie in the range (false for NaN).
inline bool inLogicalRange(double x, double y)
{
  return std::fabs(x) <= kLogicalLimit && std::fabs(y) <= kLogicalLimit;
}

// Clips the segment (x0, y0)-(x1, y1), in logical coordinates before truncation,
// to the range, in place: each end that lies outside moves along the segment to
// where it crosses the range's edge. Returns false, leaving the ends unchanged,
// when no part of the segment lies in the range or a coordinate is not finite.
bool clipToLogicalRange(double& x0, double& y0, double& x1, double& y1);
