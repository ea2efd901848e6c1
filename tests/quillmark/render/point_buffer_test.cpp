// Point and bulge buffers, and polar points.
#include "quillmark/render/BulgeBuffer.h"
#include "quillmark/render/PointBuffer.h"
#include "quillmark/render/PolarPoint.h"

#include <gtest/gtest.h>

TEST(PointBuffer, grows_linearly_by_eight)
{
  PointBuffer b;
  EXPECT_EQ(b.data, nullptr);
  EXPECT_EQ(b.growBy, 8);
  for (int i = 0; i < 9; ++i) {
    b.append(AcGePoint3d(i, 2 * i, 0));
  }
  EXPECT_EQ(b.capacity, 16) << "after 9 points";
  EXPECT_EQ(b.count, 9);
  for (int i = 9; i < 17; ++i) {
    b.append(AcGePoint3d(i, 2 * i, 0));
  }
  EXPECT_EQ(b.capacity, 24) << "after 17 points";
  for (int i = 0; i < 17; ++i) {
    ASSERT_EQ(b.pointAt(i), AcGePoint3d(i, 2 * i, 0)) << "point " << i << " kept through growth";
  }
  EXPECT_EQ(b.data[20], AcGePoint3d::kOrigin) << "unused storage holds the origin";
}

TEST(PointBuffer, appending_own_element_when_full_copies_first)
{
  PointBuffer b;
  for (int i = 0; i < 8; ++i) {
    b.append(AcGePoint3d(i + 1, 0, 0));
  }
  ASSERT_EQ(b.count, b.capacity);
  b.insertAt(b.count, b.data[0]); // the storage moves while inserting
  EXPECT_EQ(b.pointAt(8), AcGePoint3d(1, 0, 0));
  b.insertAt(0, b.data[8]);
  EXPECT_EQ(b.pointAt(0), AcGePoint3d(1, 0, 0));
  EXPECT_EQ(b.pointAt(1), AcGePoint3d(1, 0, 0)) << "elements moved up";
  EXPECT_EQ(b.pointAt(9), AcGePoint3d(1, 0, 0));
}

TEST(PointBuffer, set_capacity_truncates_and_releases)
{
  PointBuffer b;
  for (int i = 0; i < 10; ++i) {
    b.append(AcGePoint3d(i, 0, 0));
  }
  b.setCapacity(4);
  EXPECT_EQ(b.count, 4);
  EXPECT_EQ(b.pointAt(3), AcGePoint3d(3, 0, 0));
  b.setCapacity(0);
  EXPECT_EQ(b.data, nullptr);
  EXPECT_EQ(b.count, 0);
  b.insertAt(5, AcGePoint3d(1, 1, 1)); // beyond count: refused
  EXPECT_EQ(b.count, 0);
}

TEST(BulgeBuffer, same_growth_rule)
{
  BulgeBuffer b;
  for (int i = 0; i < 17; ++i) {
    b.append(i * 0.5);
  }
  EXPECT_EQ(b.capacity, 24);
  EXPECT_EQ(b.at(16), 8.0);
  b.insertAt(b.count, b.data[0]);
  EXPECT_EQ(b.at(17), 0.0);
}

TEST(PolarPoint, moves_in_plane_and_keeps_z)
{
  AcGePoint3d p = polarPoint({1, 2, 3}, 0.0, 5.0);
  EXPECT_EQ(p, AcGePoint3d(6, 2, 3));
  p = polarPoint({1, 2, 3}, 1.5707963267948966, 2.0);
  EXPECT_NEAR(p.x, 1.0, 1e-12);
  EXPECT_NEAR(p.y, 4.0, 1e-12);
  EXPECT_EQ(p.z, 3.0);
}
