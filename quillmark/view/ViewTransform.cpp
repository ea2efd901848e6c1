#include "quillmark/view/CBlockView.h"

#include <cmath>

namespace {

// GDI takes logical coordinates only within +-2^27; farther points (the ends of
// rays and construction lines at large scales) are brought to that bound.
const double kLogicalLimit = 134217728.0;

LONG toLogical(double d)
{
  if (std::isnan(d)) {
    return 0;
  }
  if (d < -kLogicalLimit) {
    return static_cast<LONG>(-kLogicalLimit);
  }
  if (d > kLogicalLimit) {
    return static_cast<LONG>(kLogicalLimit);
  }
  return static_cast<LONG>(d); // truncation toward zero
}

} // namespace

AcGePoint3d CBlockView::toView(const AcGePoint3d& p) const
{
  AcGePoint3d q(p.x + m_offset.x, p.y + m_offset.y, p.z + m_offset.z);
  q.transformBy(m_xform);
  if (m_measuring != 1) {
    q.scaleBy(m_scale, m_scaleBase);
  }
  return q;
}

POINT CBlockView::logicalPoint(const AcGePoint3d& v) const
{
  POINT lp;
  lp.x = toLogical(v.x - m_originX);
  lp.y = toLogical(v.y - m_originY);
  return lp;
}

void CBlockView::growExtents(const AcGePoint3d& v)
{
  // Two independent tests per coordinate: the first point sets both corners.
  if (v.x < m_extMin.x) {
    m_extMin.x = v.x;
  }
  if (v.x > m_extMax.x) {
    m_extMax.x = v.x;
  }
  if (v.y < m_extMin.y) {
    m_extMin.y = v.y;
  }
  if (v.y > m_extMax.y) {
    m_extMax.y = v.y;
  }
  if (v.z < m_extMin.z) {
    m_extMin.z = v.z;
  }
  if (v.z > m_extMax.z) {
    m_extMax.z = v.z;
  }
}

void CBlockView::fitView(double fill)
{
  double cx = (m_extMin.x + m_extMax.x) * 0.5;
  double cy = (m_extMin.y + m_extMax.y) * 0.5;
  m_originX = cx;
  m_originY = cy;
  m_extMin.x -= cx;
  m_extMax.x -= cx;
  m_extMin.y -= cy;
  m_extMax.y -= cy;
  double w = m_extMax.x - m_extMin.x;
  double h = m_extMax.y - m_extMin.y;
  // "Not greater than" also catches empty extents (negative width) and NaN.
  if (!(w > 0.001)) {
    m_extMin.x = -0.5;
    m_extMax.x = 0.5;
    w = 1.0;
  }
  if (!(h > 0.001)) {
    m_extMin.y = -0.5;
    m_extMax.y = 0.5;
    h = 1.0;
  }
  double side;
  if (h < w) {
    double d = (w - h) * 0.5;
    m_extMin.y -= d;
    m_extMax.y += d;
    side = w;
  } else {
    double d = (h - w) * 0.5;
    m_extMin.x -= d;
    m_extMax.x += d;
    side = h;
  }
  double target = fill * 50000.0;
  m_scale = target / side;
  m_originX = m_originX * m_scale;
  m_originY = m_originY * m_scale;
  m_measuring = 0;
}
