#include "quillmark/view/LogicalRange.h"

#include <algorithm>

namespace {

// The one coordinate's rounding after the cut may land a hair beyond the edge.
double withinLimit(double c)
{
  return std::max(-kLogicalLimit, std::min(kLogicalLimit, c));
}

} // namespace

// Liang-Barsky: the segment is x0 + t dx, y0 + t dy for t in [0, 1]; each of the
// four edges of the range narrows the interval of t that lies inside it.
bool clipToLogicalRange(double& x0, double& y0, double& x1, double& y1)
{
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  if (!std::isfinite(dx) || !std::isfinite(dy) || !std::isfinite(x0) || !std::isfinite(y0)) {
    return false;
  }
  // Edge k keeps the points where p[k] t <= q[k].
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 + kLogicalLimit, kLogicalLimit - x0, y0 + kLogicalLimit,
                       kLogicalLimit - y0};
  double enter = 0.0;
  double leave = 1.0;
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0.0) {
      if (q[k] < 0.0) {
        return false; // parallel to the edge and outside it
      }
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0.0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
  }
  if (enter > leave) {
    return false;
  }
  const double ox = x0;
  const double oy = y0;
  if (enter > 0.0) {
    x0 = withinLimit(ox + enter * dx);
    y0 = withinLimit(oy + enter * dy);
  }
  if (leave < 1.0) {
    x1 = withinLimit(ox + leave * dx);
    y1 = withinLimit(oy + leave * dy);
  }
  return true;
}
