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

TEST(Matrix, arbitrary_axis_of_down_normal_mirrors_x)
{
  AcGeVector3d ax = arbitraryXAxis({0, 0, -1});
  EXPECT_NEAR(ax.x, -1, 1e-12);
  EXPECT_NEAR(ax.y, 0, 1e-12);
  AcGeMatrix3d m = AcGeMatrix3d::planeToWorld({0, 0, -1});
  AcGePoint3d p(1, 2, 3);
  p.transformBy(m);
  EXPECT_NEAR(p.x, -1, 1e-12);
  EXPECT_NEAR(p.y, 2, 1e-12);
  EXPECT_NEAR(p.z, -3, 1e-12);
}
