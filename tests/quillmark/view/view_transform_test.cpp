// Fitting the measured extents into the control, and the transform of points.
#include "quillmark/view/AciPalette.h"
#include "quillmark/view/CBlockView.h"

#include <gtest/gtest.h>

namespace {

// Measures the given view points as the measure pass would, then fits.
void measureAndFit(CBlockView& v, std::initializer_list<AcGePoint3d> points)
{
  v.resetExtents();
  for (const AcGePoint3d& p : points) {
    v.growExtents(v.toView(p));
  }
  v.fitView(0.9);
}

} // namespace

TEST(ViewFit, degenerate_extents_fall_back_to_unit_sides)
{
  CBlockView v;
  measureAndFit(v, {});
  EXPECT_EQ(v.m_scale, 45000.0) << "nothing measured";
  EXPECT_EQ(v.m_originX, 0.0);
  EXPECT_EQ(v.m_originY, 0.0);
  EXPECT_EQ(v.m_measuring, 0);

  measureAndFit(v, {{3, 4, 0}});
  EXPECT_EQ(v.m_scale, 45000.0) << "a single point";
  POINT lp = v.logicalPoint(v.toView({3, 4, 0}));
  EXPECT_EQ(lp.x, 0);
  EXPECT_EQ(lp.y, 0);

  // A width of exactly 0.001 counts as none: both sides fall back to 1.
  measureAndFit(v, {{0, 0, 0}, {0.001, 0, 0}});
  EXPECT_EQ(v.m_scale, 45000.0) << "width 0.001";
}

TEST(ViewFit, horizontal_segment_spans_target_and_is_centred)
{
  CBlockView v;
  measureAndFit(v, {{5, 7, 0}, {15, 7, 0}});
  EXPECT_DOUBLE_EQ(v.m_scale, 4500.0);
  POINT a = v.logicalPoint(v.toView({5, 7, 0}));
  POINT b = v.logicalPoint(v.toView({15, 7, 0}));
  EXPECT_EQ(a.x, -22500);
  EXPECT_EQ(b.x, 22500);
  EXPECT_EQ(a.y, 0);
  EXPECT_EQ(b.y, 0);
}

TEST(ViewFit, larger_side_decides_scale)
{
  CBlockView v;
  measureAndFit(v, {{0, 0, 0}, {4, 4, 0}});
  EXPECT_DOUBLE_EQ(v.m_scale, 11250.0) << "equal sides";
  EXPECT_DOUBLE_EQ(v.m_extMin.x, -2.0) << "equal sides are not padded";

  measureAndFit(v, {{0, 0, 0}, {2, 8, 0}});
  EXPECT_DOUBLE_EQ(v.m_scale, 5625.0) << "taller than wide";
  EXPECT_DOUBLE_EQ(v.m_extMin.x, -4.0) << "width padded to the height";

  measureAndFit(v, {{0, 0, 0}, {90000, 10, 0}});
  EXPECT_DOUBLE_EQ(v.m_scale, 0.5);
  EXPECT_EQ(v.logicalPoint(v.toView({90000, 10, 0})).x, 22500);
}

TEST(ViewFit, measure_pass_ignores_scale_left_by_last_paint)
{
  CBlockView v;
  v.m_scale = 123.0;
  v.resetExtents();
  AcGePoint3d p = v.toView({2, 3, 4});
  EXPECT_EQ(p.x, 2.0);
  EXPECT_EQ(p.y, 3.0);
  v.m_measuring = 0;
  p = v.toView({2, 3, 4});
  EXPECT_EQ(p.x, 246.0) << "the draw pass scales";
  EXPECT_EQ(p.z, 492.0);
}

TEST(ViewFit, offset_is_added_before_transform)
{
  CBlockView v;
  v.m_xform = AcGeMatrix3d::rotation(1.5707963267948966, AcGeVector3d::kZAxis);
  v.m_offset = AcGePoint3d(1, 0, 0);
  AcGePoint3d p = v.toView({1, 0, 0}); // (2, 0) rotated a quarter turn
  EXPECT_NEAR(p.x, 0.0, 1e-12);
  EXPECT_NEAR(p.y, 2.0, 1e-12);
}

TEST(ViewFit, logical_points_truncate_toward_zero_and_clamp)
{
  CBlockView v;
  v.m_originX = 10.0;
  v.m_originY = -10.0;
  POINT lp = v.logicalPoint({10.0 - 0.7, -10.0 + 0.7, 0});
  EXPECT_EQ(lp.x, 0) << "-0.7 truncates to 0, not -1";
  EXPECT_EQ(lp.y, 0);
  lp = v.logicalPoint({10.0 - 1.9, -10.0 + 1.9, 0});
  EXPECT_EQ(lp.x, -1);
  EXPECT_EQ(lp.y, 1);
  lp = v.logicalPoint({1e12, -1e12, 0});
  EXPECT_EQ(lp.x, 134217728) << "clamped to 2^27";
  EXPECT_EQ(lp.y, -134217728);
}

TEST(Palette, index_to_colorref)
{
  EXPECT_EQ(aciToRgb(1), 0x0000FFu) << "red is 0x00BBGGRR = 0x0000FF";
  EXPECT_EQ(aciToRgb(5), 0xFF0000u) << "blue";
  EXPECT_EQ(aciToRgb(7), 0xFFFFFFu);
  EXPECT_EQ(aciToRgb(250), aciToRgb(8));
  EXPECT_EQ(aciToRgb(250), 0x5F5F5Fu);
  EXPECT_EQ(aciToRgb(43), 0x4F8FA0u) << "A08F4F in the table";
  EXPECT_EQ(aciToRgb(195), 0x7A3F5Au) << "5A3F7A in the table";
  EXPECT_EQ(aciToRgb(0), 0u);
  EXPECT_EQ(aciToRgb(256), 0u) << "BYLAYER unresolved draws in the background colour";
  EXPECT_EQ(aciToRgb(-1), 0u);
}
