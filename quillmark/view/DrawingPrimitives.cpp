#include "quillmark/render/PointBuffer.h"
#include "quillmark/view/CBlockView.h"

#include <new>

void CBlockView::plotPixel(const AcGePoint3d& v)
{
  POINT lp = logicalPoint(v);
  ::SetPixel(m_pDC->m_hDC, lp.x, lp.y, m_color);
}

void CBlockView::drawSegment(const AcGePoint3d& a, const AcGePoint3d& b)
{
  AcGePoint3d va = toView(a);
  AcGePoint3d vb = toView(b);
  if (m_measuring == 1) {
    growExtents(va);
    growExtents(vb);
    return;
  }
  double x0 = va.x - m_originX;
  double y0 = va.y - m_originY;
  double x1 = vb.x - m_originX;
  double y1 = vb.y - m_originY;
  if (!(inLogicalRange(x0, y0) && inLogicalRange(x1, y1)) && !clipToLogicalRange(x0, y0, x1, y1)) {
    return; // wholly beyond what GDI takes, and so far outside the control
  }
  m_pDC->MoveTo(static_cast<int>(x0), static_cast<int>(y0)); // truncated toward zero
  m_pDC->LineTo(static_cast<int>(x1), static_cast<int>(y1));
}

void CBlockView::drawPolyline(const PointBuffer& points)
{
  int n = points.count;
  if (m_measuring == 1) {
    for (int i = 0; i < n; ++i) {
      growExtents(toView(points.data[i]));
    }
    return; // logical points are of use only to the device
  }
  // GDI draws nothing for a single point: no call is made for one. Without
  // room for the logical points the polyline is not drawn.
  if (n < 2) {
    return;
  }
  if (!reserveLogical(n)) {
    return;
  }
  for (int i = 0; i < n; ++i) {
    if (!placeExactly(points.data[i], m_logical[i])) {
      drawClippedPolyline(points);
      return;
    }
  }
  ::Polyline(m_pDC->m_hDC, m_logical, n);
}

bool CBlockView::reserveLogical(int n)
{
  if (n > m_logicalCapacity) {
    POINT* fresh = new (std::nothrow) POINT[n];
    if (fresh == nullptr) {
      return false;
    }
    delete[] m_logical;
    m_logical = fresh;
    m_logicalCapacity = n;
  }
  return true;
}

// m_logical has room for every point: a piece holds at most all of them.
void CBlockView::drawClippedPolyline(const PointBuffer& points)
{
  int run = 0; // points of the piece being collected
  auto flush = [&] {
    if (run >= 2) {
      ::Polyline(m_pDC->m_hDC, m_logical, run);
    }
    run = 0;
  };
  AcGePoint3d va = toView(points.data[0]);
  for (int i = 1; i < points.count; ++i) {
    AcGePoint3d vb = toView(points.data[i]);
    double x0 = va.x - m_originX;
    double y0 = va.y - m_originY;
    double x1 = vb.x - m_originX;
    double y1 = vb.y - m_originY;
    va = vb;
    bool startInside = inLogicalRange(x0, y0);
    bool endInside = inLogicalRange(x1, y1);
    if (!(startInside && endInside) && !clipToLogicalRange(x0, y0, x1, y1)) {
      flush(); // the edge lies wholly beyond the range
      continue;
    }
    if (!startInside) {
      flush(); // the edge comes in from beyond the range: a new piece
    }
    if (run == 0) {
      m_logical[run++] = POINT{static_cast<LONG>(x0), static_cast<LONG>(y0)};
    }
    m_logical[run++] = POINT{static_cast<LONG>(x1), static_cast<LONG>(y1)};
    if (!endInside) {
      flush(); // the edge leaves the range: the piece ends at its edge
    }
  }
  flush();
}

void CBlockView::fillPolygon(const AcGePoint3d v[4])
{
  POINT logical[4];
  // Corners 2 and 3 are swapped: a solid's third and fourth points lie
  // across from each other, so its outline runs 0, 1, 3, 2.
  logical[0] = logicalPoint(v[0]);
  logical[1] = logicalPoint(v[1]);
  logical[2] = logicalPoint(v[3]);
  logical[3] = logicalPoint(v[2]);
  m_pDC->SetPolyFillMode(WINDING);
  ::Polygon(m_pDC->m_hDC, logical, 4);
}
