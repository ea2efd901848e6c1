#include "arx/ge/AcGeMatrix3d.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Matrix, rotation_about_center_keeps_center)
{
  AcGePoint3d c(2, 3, 0);
  AcGePoint3d p = c;
  p.transformBy(AcGeMatrix3d::rotation(1.0, AcGeVector3d::kZAxis, c));
  EXPECT_NEAR(p.x, 2, 1e-12);
  EXPECT_NEAR(p.y, 3, 1e-12);
}

TEST(Matrix, inverse_undoes_transform)
{
  AcGeMatrix3d m = AcGeMatrix3d::translation({1, 2, 3}) * AcGeMatrix3d::rotation(0.7, {1, 1, 0}) *
                   AcGeMatrix3d::scaling({2, 3, 4});
  AcGePoint3d p(5, -6, 7);
  p.transformBy(m).transformBy(m.inverse());
  EXPECT_NEAR(p.x, 5, 1e-9);
  EXPECT_NEAR(p.y, -6, 1e-9);
  EXPECT_NEAR(p.z, 7, 1e-9);
  EXPECT_NEAR(AcGeMatrix3d::scaling({2, 3, 4}).det(), 24.0, 1e-12);
}

TEST(Matrix, plane_to_world_follows_the_arbitrary_axis_rule)
{
  // The object point (1, 2, 3) is 1 Ax + 2 Ay + 3 N, with N the unit normal,
  // Ax = Wy x N when |Nx| and |Ny| are both under 1/64, else Wz x N (made unit),
  // and Ay = N x Ax. Worked out by hand for each normal.
  const double z1 = std::sqrt(0.9999), z2 = std::sqrt(0.9996);
  const struct {
    AcGeVector3d normal;
    double x, y, z;
  } cases[] = {
      {{0, 0, 1}, 1, 2, 3},
      {{0, 0, -1}, -1, 2, -3},                          // Ax = (-1, 0, 0), Ay = (0, 1, 0)
      {{1, 0, 0}, 3, 1, 2},                             // Ax = (0, 1, 0), Ay = (0, 0, 1)
      {{0, 1, 0}, -1, 3, 2},                            // Ax = (-1, 0, 0), Ay = (0, 0, 1)
      {{3, 0, 4}, 0.2, 1, 3.6},                         // N = (0.6, 0, 0.8), Ay = (-0.8, 0, 0.6)
      {{0, 0.6, 0.8}, -1, 0.2, 3.6},                    // Ax = (-1, 0, 0), Ay = (0, -0.8, 0.6)
      {{0.01, 0, z1}, z1 + 0.03, 2, 3 * z1 - 0.01},     // under 1/64: Ax = (z, 0, -0.01)
      {{0.02, 0, z2}, 0.06 - 2 * z2, 1, 3 * z2 + 0.04}, // over: Ax = (0, 1, 0)
  };
  for (const auto& c : cases) {
    AcGePoint3d p(1, 2, 3);
    p.transformBy(AcGeMatrix3d::planeToWorld(c.normal));
    EXPECT_NEAR(p.x, c.x, 1e-12) << c.normal.x << " " << c.normal.y << " " << c.normal.z;
    EXPECT_NEAR(p.y, c.y, 1e-12) << c.normal.x << " " << c.normal.y << " " << c.normal.z;
    EXPECT_NEAR(p.z, c.z, 1e-12) << c.normal.x << " " << c.normal.y << " " << c.normal.z;
    AcGePoint3d back(c.x, c.y, c.z); // and from world to the object system
    back.transformBy(AcGeMatrix3d::worldToPlane(c.normal));
    EXPECT_NEAR(back.x, 1, 1e-12) << c.normal.x << " " << c.normal.y << " " << c.normal.z;
    EXPECT_NEAR(back.y, 2, 1e-12) << c.normal.x << " " << c.normal.y << " " << c.normal.z;
    EXPECT_NEAR(back.z, 3, 1e-12) << c.normal.x << " " << c.normal.y << " " << c.normal.z;
  }
}
