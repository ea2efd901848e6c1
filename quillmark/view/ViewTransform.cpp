#include "quillmark/view/CBlockView.h"

// toView, logicalPoint and growExtents are inline in CBlockView.h.

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
