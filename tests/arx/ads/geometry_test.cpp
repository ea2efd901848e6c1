// acutPolar, acutAngle, acutDistance.
#include "arx/ads/AcutUtilities.h"

#include <gtest/gtest.h>

#include <cmath>

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
