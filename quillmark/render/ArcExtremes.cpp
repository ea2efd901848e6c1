#include "quillmark/render/ArcExtremes.h"

#include <cfloat>
#include <cmath>
#include <initializer_list>

namespace {

const double kPi = 3.141592653589793;
const double kTwoPi = 6.283185307179586;

uint64_t allVertices(int n)
{
  return n >= 63 ? ~uint64_t(0) : (uint64_t(1) << (n + 1)) - 1;
}

// The angle of the largest value of c * cos t + s * sin t; the last answers are kept, as
// one transform serves every arc of a block (UI thread only).
double crossingAngle(double c, double s)
{
  static double lastC[3] = {0, 0, 0}, lastS[3] = {0, 0, 0}, lastAngle[3] = {0, 0, 0};
  static unsigned next = 0;
  for (int i = 0; i < 3; ++i) {
    if (lastC[i] == c && lastS[i] == s) {
      return lastAngle[i];
    }
  }
  double angle = std::atan2(s, c);
  unsigned slot = next++ % 3;
  lastC[slot] = c;
  lastS[slot] = s;
  lastAngle[slot] = angle;
  return angle;
}

} // namespace

uint64_t extremeVertexMask(const ArcImage& image, double radius, double start, double step, int n)
{
  if (n < 0) {
    return 0;
  }
  uint64_t all = allVertices(n);
  double h = std::fabs(step);
  // Angles whose additions lose more than a millionth of a step, steps too small for
  // the margin to stand out of rounding, and non-finite input: every vertex counts.
  if (n > 62 || !(h >= 1e-6) || !(h <= 1.0) || !(std::fabs(start) <= 1000.0) ||
      !std::isfinite(radius)) {
    return all;
  }
  uint64_t mask = uint64_t(1) | (uint64_t(1) << n);
  double first = start;
  double last = start + n * step;
  double lo = (first < last ? first : last) - h;
  double hi = (first < last ? last : first) + h;
  for (int i = 0; i < 3; ++i) {
    if (image.constant[i]) {
      continue;
    }
    double c = image.cosCoef[i];
    double s = image.sinCoef[i];
    double amplitude = std::fabs(radius) * std::hypot(c, s);
    // Each coordinate is a handful of sums and products, each off by at most half an
    // ulp of the bound; 64 of them leave a wide margin.
    double rounding = 64.0 * DBL_EPSILON * image.bound[i];
    if (!(amplitude * 0.29 * h * h > 2.0 * rounding) || !std::isfinite(rounding)) {
      return all;
    }
    double theta = crossingAngle(c, s);
    for (double crossing : {theta, theta + kPi}) {
      // Every turn of the crossing that meets the sweep (a full circle meets one twice).
      double at = crossing + kTwoPi * std::ceil((lo - crossing) / kTwoPi);
      for (; at <= hi; at += kTwoPi) {
        double t = std::floor((at - start) / step);
        for (double k : {t, t + 1.0}) {
          if (k >= 0.0 && k <= n) {
            mask |= uint64_t(1) << static_cast<int>(k);
          }
        }
      }
    }
  }
  return mask;
}
