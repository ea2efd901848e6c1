// Fitting the measured extents into the control, the transform of points, colours.
#include "quillmark/view/AciPalette.h"
#include "quillmark/view/CBlockView.h"

#include <gtest/gtest.h>

namespace {

// Measures the points as the measure pass would, then fits; returns the scale.
double fit(CBlockView& v, std::initializer_list<AcGePoint3d> points)
{
  v.resetExtents();
  for (const AcGePoint3d& p : points)
    v.growExtents(v.toView(p));
  v.fitView(0.9);
  return v.m_scale;
}

POINT logical(const CBlockView& v, AcGePoint3d p)
{
  return v.logicalPoint(v.toView(p));
}

} // namespace

TEST(ViewFit, scale_and_centre_from_extents)
{
  CBlockView v;
  EXPECT_EQ(fit(v, {}), 45000.0) << "nothing measured: both sides fall back to 1";
  EXPECT_EQ(v.m_originX, 0.0);
  EXPECT_EQ(v.m_measuring, 0) << "the fit starts the draw pass";
  EXPECT_EQ(fit(v, {{3, 4, 0}}), 45000.0) << "a single point";
  EXPECT_EQ(logical(v, {3, 4, 0}).x, 0);
  EXPECT_EQ(fit(v, {{0, 0, 0}, {0.001, 0, 0}}), 45000.0) << "a width of 0.001 is no width";
  EXPECT_EQ(fit(v, {{0, 0, 0}, {4, 4, 0}}), 11250.0) << "equal sides";
  EXPECT_EQ(v.m_extMin.x, -2.0) << "equal sides are not padded";
  EXPECT_EQ(fit(v, {{0, 0, 0}, {2, 8, 0}}), 5625.0) << "taller than wide";
  EXPECT_EQ(v.m_extMin.x, -4.0) << "the width is padded to the height";
  EXPECT_EQ(fit(v, {{0, 0, 0}, {90000, 10, 0}}), 0.5);

  EXPECT_EQ(fit(v, {{5, 7, 0}, {15, 7, 0}}), 4500.0) << "horizontal segment of length 10";
  POINT a = logical(v, {5, 7, 0}), b = logical(v, {15, 7, 0});
  EXPECT_EQ(a.x, -22500);
  EXPECT_EQ(b.x, 22500);
  EXPECT_EQ(a.y, 0);
}

TEST(ViewFit, transform_order_and_measure_pass_scale)
{
  CBlockView v;
  v.m_scale = 123.0; // left by an earlier paint: the measure pass ignores it
  v.m_xform = AcGeMatrix3d::rotation(1.5707963267948966, AcGeVector3d::kZAxis);
  v.m_offset = AcGePoint3d(1, 0, 0);
  AcGePoint3d p = v.toView({1, 0, 5}); // (2, 0) turned a quarter: the offset comes first
  EXPECT_NEAR(p.x, 0.0, 1e-12);
  EXPECT_NEAR(p.y, 2.0, 1e-12);
  v.m_measuring = 0;
  EXPECT_NEAR(v.toView({1, 0, 5}).y, 246.0, 1e-9) << "the draw pass scales";
}

TEST(ViewFit, logical_points_truncate_toward_zero_and_clamp)
{
  CBlockView v;
  v.m_originX = 10.0;
  v.m_originY = -10.0;
  POINT lp = v.logicalPoint({10.0 - 0.7, -10.0 + 1.9, 0});
  EXPECT_EQ(lp.x, 0) << "-0.7 gives 0, not -1";
  EXPECT_EQ(lp.y, 1);
  lp = v.logicalPoint({1e12, -1e12, 0});
  EXPECT_EQ(lp.x, 134217727) << "a damaged value is held within 2^27 - 1";
  EXPECT_EQ(lp.y, -134217727);
}

TEST(Palette, index_to_colorref)
{
  EXPECT_EQ(aciToRgb(1), 0x0000FFu) << "red, as 0x00BBGGRR";
  EXPECT_EQ(aciToRgb(7), 0xFFFFFFu);
  EXPECT_EQ(aciToRgb(250), aciToRgb(8));
  EXPECT_EQ(aciToRgb(250), 0x5F5F5Fu);
  EXPECT_EQ(aciToRgb(43), 0x4F8FA0u) << "A08F4F in the table";
  EXPECT_EQ(aciToRgb(195), 0x7A3F5Au) << "5A3F7A in the table";
  EXPECT_EQ(aciToRgb(256), 0u) << "out of range: black, the background";
  EXPECT_EQ(aciToRgb(-1), 0u);
}
