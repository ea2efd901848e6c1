// acutPolar, acutAngle, acutDistance.
#include "arx/ads/AcutUtilities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const double kPi = 3.14159265358979323846;

TEST(AcutGeometry, polar_moves_in_the_xy_plane_and_keeps_z)
{
  ads_point from = {1, 2, 3};
  ads_point to;
  EXPECT_EQ(RTNORM, acutPolar(from, kPi / 2, 5, to));
  EXPECT_NEAR(1, to[0], 1e-12);
  EXPECT_NEAR(7, to[1], 1e-12);
  EXPECT_EQ(3, to[2]);
  // The result may be the point itself.
  acutPolar(from, kPi, 1, from);
  EXPECT_NEAR(0, from[0], 1e-12);
  EXPECT_NEAR(2, from[1], 1e-12);
}

// The sine and cosine come from a reduction by pi/2 and two polynomials: every
// quadrant, its boundaries and angles beyond the reduction's range agree with
// the library to the last bit or two.
TEST(AcutGeometry, polar_agrees_with_the_library_in_every_quadrant)
{
  ads_point origin = {0, 0, 0};
  std::vector<double> angles;
  for (int k = -40; k <= 80; ++k) {
    double q = k * (kPi / 4);
    angles.insert(angles.end(), {q, std::nextafter(q, 1e9), std::nextafter(q, -1e9), q + 0.1});
  }
  angles.insert(angles.end(), {1e-300, -1e-9, 99999.9, 2e5, -3e7});
  for (double a : angles) {
    ads_point to;
    acutPolar(origin, a, 1.0, to);
    double c = std::cos(a);
    double s = std::sin(a);
    // Two units in the last place of the larger of the value and 1/4 (near
    // zero the x87 keeps fewer digits than the polynomials), plus the x87's own
    // error in reducing by its 66-bit pi, which grows with the angle; far angles
    // are reduced by the library alone, whose reductions differ.
    double far = std::fabs(a) > 1e5 ? 1e-9 : 0.0;
    double x87 = std::fabs(a) * 4e-21;
    double cTolerance = far + x87 + 4.5e-16 * std::fmax(std::fabs(c), 0.25);
    double sTolerance = far + x87 + 4.5e-16 * std::fmax(std::fabs(s), 0.25);
    EXPECT_NEAR(c, to[0], cTolerance) << "cos " << a;
    EXPECT_NEAR(s, to[1], sTolerance) << "sin " << a;
  }
  ads_point from = {0, 0, 0};
  double nan = std::nan("");
  acutPolar(from, nan, 1.0, from);
  EXPECT_TRUE(std::isnan(from[0]) && std::isnan(from[1])) << "NaN angle";
}

TEST(AcutGeometry, angle_is_counter_clockwise_in_zero_to_two_pi)
{
  ads_point o = {0, 0, 0};
  const struct {
    double x, y, angle;
  } cases[] = {{1, 0, 0}, {0, 1, kPi / 2}, {-1, 0, kPi}, {0, -1, 3 * kPi / 2}, {1, -1e-300, 0}};
  for (const auto& c : cases) {
    ads_point p = {c.x, c.y, 9};
    double a = acutAngle(o, p);
    EXPECT_GE(a, 0);
    EXPECT_LT(a, 2 * kPi);
    EXPECT_NEAR(c.angle, a, 1e-9) << "to (" << c.x << ", " << c.y << ")";
  }
}

TEST(AcutGeometry, distance_is_three_dimensional)
{
  ads_point a = {1, 2, 3};
  ads_point b = {4, 6, 15};
  EXPECT_DOUBLE_EQ(13, acutDistance(a, b));
  EXPECT_DOUBLE_EQ(0, acutDistance(a, a));
}

} // namespace
