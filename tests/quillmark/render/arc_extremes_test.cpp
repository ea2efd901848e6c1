// The vertices extremeVertexMask keeps hold the very extents that every vertex gives,
// bit for bit, whatever the arc and the map to view coordinates; and for ordinary arcs
// they are a few of the many.
#include "quillmark/render/ArcExtremes.h"
#include "quillmark/render/PolarPoint.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>

namespace {

const double kPi = 3.141592653589793;

// An affine map of world points to view points: m[i][0..2] * p + m[i][3].
struct Affine {
  double m[3][4];
};

struct Extents {
  double lo[3] = {1e300, 1e300, 1e300}, hi[3] = {-1e300, -1e300, -1e300};
  bool operator==(const Extents& o) const
  {
    for (int i = 0; i < 3; ++i)
      if (lo[i] != o.lo[i] || hi[i] != o.hi[i])
        return false;
    return true;
  }
};

struct Arc {
  AcGePoint3d center;
  double radius, start, step;
  int n;
};

// The extents of the arc's vertices mapped by `a`, over the vertices of `mask`
// (every vertex placed as the drawers place them: repeated additions of the step).
Extents measure(const Arc& arc, const Affine& a, uint64_t mask)
{
  Extents e;
  double angle = arc.start;
  for (int k = 0; k <= arc.n; ++k, angle += arc.step) {
    if (((mask >> k) & 1) == 0)
      continue;
    AcGePoint3d p = polarPoint(arc.center, angle, arc.radius);
    for (int i = 0; i < 3; ++i) {
      double v = a.m[i][0] * p.x + a.m[i][1] * p.y + a.m[i][2] * p.z + a.m[i][3];
      e.lo[i] = std::min(e.lo[i], v);
      e.hi[i] = std::max(e.hi[i], v);
    }
  }
  return e;
}

// What the caller tells the mask about `a` and the arc (points vary in x and y only).
ArcImage imageOf(const Arc& arc, const Affine& a)
{
  ArcImage image;
  for (int i = 0; i < 3; ++i) {
    image.cosCoef[i] = a.m[i][0];
    image.sinCoef[i] = a.m[i][1];
    image.constant[i] = a.m[i][0] == 0.0 && a.m[i][1] == 0.0;
    image.bound[i] = std::fabs(a.m[i][0]) * (std::fabs(arc.center.x) + std::fabs(arc.radius)) +
                     std::fabs(a.m[i][1]) * (std::fabs(arc.center.y) + std::fabs(arc.radius)) +
                     std::fabs(a.m[i][2] * arc.center.z) + std::fabs(a.m[i][3]);
  }
  return image;
}

int bits(uint64_t mask)
{
  int count = 0;
  for (; mask != 0; mask &= mask - 1)
    ++count;
  return count;
}

::testing::AssertionResult sameExtents(const Arc& arc, const Affine& a, int* kept = nullptr)
{
  uint64_t mask = extremeVertexMask(imageOf(arc, a), arc.radius, arc.start, arc.step, arc.n);
  uint64_t all = (uint64_t(1) << (arc.n + 1)) - 1;
  if (kept != nullptr)
    *kept = bits(mask);
  if ((mask & 1) == 0 || ((mask >> arc.n) & 1) == 0)
    return ::testing::AssertionFailure() << "an end vertex left out";
  if (measure(arc, a, mask) == measure(arc, a, all))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "centre (" << arc.center.x << ", " << arc.center.y << ") r " << arc.radius << " start "
         << arc.start << " step " << arc.step << " n " << arc.n;
}

const Affine kIdentity = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}};

} // namespace

TEST(ArcExtremes, ordinary_arcs_keep_a_few_vertices_with_the_same_extents)
{
  int kept = 0;
  // A circle as drawCircle makes it: 36 steps of 10 degrees from 0.
  Arc circle{{2, 3, 0}, 1.0, 0.0, 2 * kPi / 36, 36};
  EXPECT_TRUE(sameExtents(circle, kIdentity, &kept));
  EXPECT_LE(kept, 12) << "of 37";
  // A half circle of a bulge run clockwise, 36 steps.
  Arc half{{5, 0, 0}, 5.0, kPi, -kPi / 36, 36};
  EXPECT_TRUE(sameExtents(half, kIdentity, &kept));
  EXPECT_LE(kept, 8);
  // An arc that sweeps through angle 0 (the wrap from 2 pi to 0), and one ending exactly
  // on a crossing.
  EXPECT_TRUE(sameExtents({{0, 0, 0}, 3.0, 3 * kPi / 2, kPi / 18, 18}, kIdentity));
  EXPECT_TRUE(sameExtents({{0, 0, 0}, 3.0, 0.0, kPi / 18, 9}, kIdentity));
  // A rotated, mirrored, unevenly scaled and tilted block.
  Affine tilted = {{{0.5, -0.866, 0.1, 7}, {-0.866, -0.5, 0, -3}, {0.3, 0.2, 1, 1}}};
  EXPECT_TRUE(sameExtents(circle, tilted, &kept));
  EXPECT_LE(kept, 16);
}

TEST(ArcExtremes, random_arcs_and_maps_keep_the_extents_bit_for_bit)
{
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  int thinned = 0;
  for (int trial = 0; trial < 20000; ++trial) {
    Affine a;
    for (auto& row : a.m)
      for (double& v : row)
        v = unit(random) * (trial % 3 == 0 ? 1000.0 : 1.0);
    if (trial % 7 == 0)
      a.m[2][0] = a.m[2][1] = 0.0; // a flat block: z the same for every vertex
    if (trial % 11 == 0)
      a.m[0][0] = 0.0; // a coordinate that sees only the sine
    // Coordinates up to 1e6 with radii from 1e-3 up, steps from whole turns down to
    // those of 36 segments on a sliver of an arc.
    double scale = std::pow(10.0, 6 * (unit(random) + 1) / 2);
    Arc arc{{unit(random) * scale, unit(random) * scale, unit(random)},
            std::pow(10.0, 3 * unit(random)) * (trial % 13 == 0 ? -1 : 1),
            unit(random) * 7,
            0,
            1 + static_cast<int>((unit(random) + 1) * 18)};
    arc.step = unit(random) * 2 * kPi / arc.n * std::pow(10.0, -4 * (unit(random) + 1) / 2);
    int kept = 0;
    ASSERT_TRUE(sameExtents(arc, a, &kept)) << "trial " << trial;
    thinned += kept < arc.n + 1;
  }
  EXPECT_GT(thinned, 10000) << "most arcs should need fewer than all their vertices";
}

TEST(ArcExtremes, every_vertex_counts_where_rounding_could_decide)
{
  uint64_t all = (uint64_t(1) << 37) - 1;
  // A radius of 1e-9 at 1e6 from the origin: vertices differ by less than rounding.
  Arc far{{1e6, 1e6, 0}, 1e-9, 0.0, 2 * kPi / 36, 36};
  EXPECT_EQ(extremeVertexMask(imageOf(far, kIdentity), far.radius, 0.0, far.step, 36), all);
  // Steps below a millionth of a radian, angles of a damaged entity, NaN.
  Arc sliver{{0, 0, 0}, 1.0, 0.0, 1e-7, 36};
  EXPECT_EQ(extremeVertexMask(imageOf(sliver, kIdentity), 1.0, 0.0, 1e-7, 36), all);
  EXPECT_EQ(extremeVertexMask(imageOf(sliver, kIdentity), 1.0, 1e9, 0.1, 36), all);
  EXPECT_EQ(extremeVertexMask(imageOf(sliver, kIdentity), NAN, 0.0, 0.1, 36), all);
  EXPECT_TRUE(sameExtents(far, kIdentity));
}
