// Point and bulge buffers, and polar points.
#include "quillmark/render/BulgeBuffer.h"
#include "quillmark/render/PointBuffer.h"
#include "quillmark/render/PolarPoint.h"

#include <gtest/gtest.h>

TEST(PointBuffer, grows_by_eight_and_keeps_points)
{
  PointBuffer b;
  EXPECT_EQ(b.data, nullptr);
  for (int i = 0; i < 17; ++i) {
    b.append(AcGePoint3d(i, 2 * i, 0));
    if (i == 8) {
      EXPECT_EQ(b.capacity, 16) << "after 9 points";
    }
  }
  EXPECT_EQ(b.capacity, 24) << "after 17 points";
  EXPECT_EQ(b.pointAt(16), AcGePoint3d(16, 32, 0));
  EXPECT_EQ(b.data[20], AcGePoint3d::kOrigin) << "unused storage holds the origin";

  b.setCapacity(4);
  EXPECT_EQ(b.count, 4) << "shrinking truncates";
  b.setCapacity(0);
  EXPECT_EQ(b.data, nullptr);
  EXPECT_EQ(b.count, 0);

  BulgeBuffer bulges;
  for (int i = 0; i < 17; ++i)
    bulges.append(i * 0.5);
  EXPECT_EQ(bulges.capacity, 24);
  EXPECT_EQ(bulges.at(16), 8.0);
}

TEST(PointBuffer, inserting_own_element_when_full_copies_it_first)
{
  PointBuffer b;
  for (int i = 0; i < 8; ++i)
    b.append(AcGePoint3d(i + 1, 0, 0));
  b.insertAt(b.count, b.data[0]); // full: the storage moves while inserting
  EXPECT_EQ(b.pointAt(8), AcGePoint3d(1, 0, 0));
  b.insertAt(0, b.data[8]);
  EXPECT_EQ(b.pointAt(0), AcGePoint3d(1, 0, 0));
  EXPECT_EQ(b.pointAt(1), AcGePoint3d(1, 0, 0)) << "elements moved up";
  BulgeBuffer bulges;
  for (int i = 0; i < 8; ++i)
    bulges.append(i + 1.0);
  bulges.insertAt(bulges.count, bulges.data[0]);
  EXPECT_EQ(bulges.at(8), 1.0);
}

TEST(PolarPoint, moves_in_the_plane_and_keeps_z)
{
  EXPECT_EQ(polarPoint({1, 2, 3}, 0.0, 5.0), AcGePoint3d(6, 2, 3));
  AcGePoint3d p = polarPoint({1, 2, 3}, 1.5707963267948966, 2.0);
  EXPECT_NEAR(p.x, 1.0, 1e-12);
  EXPECT_NEAR(p.y, 4.0, 1e-12);
}
