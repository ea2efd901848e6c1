// acutPolar, acutAngle, acutDistance: plane geometry on ads points.
#include "arx/ads/AcutUtilities.h"

#include <cmath>

namespace {

const ads_real kTwoPi = 6.28318530717958647692;

// Polynomials on [-pi/4, pi/4] (those of the Sun/fdlibm kernels); y is the tail of x.
double kernelSin(double x, double y)
{
  const double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
               S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
               S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
  double z = x * x;
  double w = z * z;
  double r = S2 + z * (S3 + z * S4) + z * w * (S5 + z * S6);
  double v = z * x;
  return x - ((z * (0.5 * y - v * r) - y) - v * S1);
}

double kernelCos(double x, double y)
{
  const double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
               C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
               C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;
  double z = x * x;
  double w = z * z;
  double r = z * (C1 + z * (C2 + z * C3)) + w * w * (C4 + z * (C5 + z * C6));
  double hz = 0.5 * z;
  w = 1.0 - hz;
  return w + (((1.0 - w) - hz) + (z * r - x * y));
}

// sin and cos of one angle with one reduction by pi/2; false for angles too
// large for the two-part reduction (and for infinities and NaN).
bool sinCos(double x, double& s, double& c)
{
  if (!(std::fabs(x) < 1.0e5)) {
    return false;
  }
  const double toInt = 6755399441055744.0; // 1.5 / DBL_EPSILON: rounds to an integer
  const double invPio2 = 6.36619772367581382433e-01;
  const double pio2_1 = 1.57079632673412561417e+00;  // first 33 bits of pi/2
  const double pio2_1t = 6.07710050650619224932e-11; // pi/2 - pio2_1
  const double pio2_2 = 6.07710050630396597660e-11;  // second 33 bits of pi/2
  const double pio2_2t = 2.02226624879595063154e-21; // pi/2 - (pio2_1 + pio2_2)
  double fn = (x * invPio2 + toInt) - toInt;
  int n = static_cast<int>(fn);
  double r = x - fn * pio2_1;
  double w = fn * pio2_1t;
  double y0 = r - w;
  if (n != 0 && std::fabs(y0) < std::fabs(x) * 1.52587890625e-05) { // lost 16 bits: one more round
    double t = r;
    w = fn * pio2_2;
    r = t - w;
    w = fn * pio2_2t - ((t - r) - w);
    y0 = r - w;
  }
  double y1 = (r - y0) - w;
  double ks = kernelSin(y0, y1);
  double kc = kernelCos(y0, y1);
  switch (n & 3) {
  case 0:
    s = ks;
    c = kc;
    break;
  case 1:
    s = kc;
    c = -ks;
    break;
  case 2:
    s = -ks;
    c = -kc;
    break;
  default:
    s = -kc;
    c = ks;
    break;
  }
  return true;
}

} // namespace

int acutPolar(const ads_point pt, ads_real angle, ads_real dist, ads_point result)
{
  // The preview places millions of curve points here per paint: one shared
  // reduction for the sine and the cosine; the library's pair for the rest.
  ads_real s, c;
  if (!sinCos(angle, s, c)) {
    c = std::cos(angle);
    s = std::sin(angle);
  }
  ads_real x = pt[0] + dist * c;
  ads_real y = pt[1] + dist * s;
  result[0] = x;
  result[1] = y;
  result[2] = pt[2];
  return RTNORM;
}

ads_real acutAngle(const ads_point p1, const ads_point p2)
{
  ads_real a = std::atan2(p2[1] - p1[1], p2[0] - p1[0]);
  if (a < 0)
    a += kTwoPi;
  if (a >= kTwoPi)
    a = 0;
  return a;
}

ads_real acutDistance(const ads_point p1, const ads_point p2)
{
  ads_real dx = p2[0] - p1[0];
  ads_real dy = p2[1] - p1[1];
  ads_real dz = p2[2] - p1[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}
