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
  POINT la = logicalPoint(va);
  POINT lb = logicalPoint(vb);
  m_pDC->MoveTo(la.x, la.y);
  m_pDC->LineTo(lb.x, lb.y);
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
  if (n > m_logicalCapacity) {
    POINT* fresh = new (std::nothrow) POINT[n];
    if (fresh == nullptr) {
      return;
    }
    delete[] m_logical;
    m_logical = fresh;
    m_logicalCapacity = n;
  }
  for (int i = 0; i < n; ++i) {
    m_logical[i] = logicalPoint(toView(points.data[i]));
  }
  ::Polyline(m_pDC->m_hDC, m_logical, n);
}

void CBlockView::fillPolygon(const AcGePoint3d v[4])
{
  POINT* logical = new (std::nothrow) POINT[4];
  if (logical == nullptr) {
    return;
  }
  // Corners 2 and 3 are swapped: a solid's third and fourth points lie
  // across from each other, so its outline runs 0, 1, 3, 2.
  logical[0] = logicalPoint(v[0]);
  logical[1] = logicalPoint(v[1]);
  logical[2] = logicalPoint(v[3]);
  logical[3] = logicalPoint(v[2]);
  m_pDC->SetPolyFillMode(WINDING);
  ::Polygon(m_pDC->m_hDC, logical, 4);
  delete[] logical;
}
