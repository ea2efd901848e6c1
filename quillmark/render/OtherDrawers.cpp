// The drawers of multilines, extents boxes, viewports, hatches, raster images
// and leaders. The primitives decide whether points are measured or drawn.
#include "quillmark/render/EntityClasses.h"
#include "quillmark/render/ObjectCoordinates.h"
#include "quillmark/render/PointBuffer.h"
#include "quillmark/view/CBlockView.h"

// Only the path of the vertices: no parallel elements, no end caps.
void CBlockView::drawMline(AcDbMline* e)
{
  int n = e->numVertices();
  bool closed = e->closedMline();
  if (!spend(kVertexCost * n + (closed && n >= 1 ? 1 : 0))) {
    return;
  }
  PointBuffer points;
  points.setCapacity(n + 1);
  for (int i = 0; i < n; ++i) {
    points.append(e->vertexAt(i));
  }
  if (closed && n >= 1) {
    points.append(points.pointAt(0));
  }
  drawPolyline(points);
}

// The upright box around the entity in the coordinates the extents come in:
// texts, shapes, OLE frames, proxies and ellipses. No extents, no box.
void CBlockView::drawExtentsBox(AcDbEntity* e)
{
  AcDbExtents extents;
  if (e->getGeomExtents(extents) != Acad::eOk) {
    return;
  }
  drawRectangle(extents.minPoint(), extents.maxPoint());
}

// The frame only, at the height of its centre; not the view it shows.
void CBlockView::drawViewport(AcDbViewport* e)
{
  double hw = e->width() * 0.5;
  double hh = e->height() * 0.5;
  AcGePoint3d c = e->centerPoint();
  drawRectangle(AcGePoint3d(c.x - hw, c.y - hh, c.z), AcGePoint3d(c.x + hw, c.y + hh, c.z));
}

// Each pattern line as one segment in the hatch's object coordinate system, at
// its elevation, taken to world coordinates; the boundary is not drawn. A line
// the host does not give keeps the points of the one before.
void CBlockView::drawHatch(AcDbHatch* e)
{
  int n = e->numHatchLines();
  double z = e->elevation();
  if (n < 1 || !spend(2LL * n)) {
    return;
  }
  ObjectCoordinates ocs(*this, e->normal());
  AcGePoint2d start(0.0, 0.0);
  AcGePoint2d end(0.0, 0.0);
  for (int i = 0; i < n; ++i) {
    e->getHatchLineDataAt(i, start, end);
    drawSegment(AcGePoint3d(start.x, start.y, z), AcGePoint3d(end.x, end.y, z));
  }
}

// The frame's vertices in the order the host gives them, closed when the host
// repeats the first one.
void CBlockView::drawRasterImage(AcDbRasterImage* e)
{
  AcGePoint3dArray frame;
  e->getVertices(frame);
  if (!spend(frame.length())) {
    return;
  }
  PointBuffer points;
  points.setCapacity(frame.length());
  for (int i = 0; i < frame.length(); ++i) {
    points.append(frame[i]);
  }
  drawPolyline(points);
}

// An open polyline through the vertices; no arrowhead.
void CBlockView::drawLeader(AcDbLeader* e)
{
  int n = e->numVertices();
  if (!spend(kVertexCost * n)) {
    return;
  }
  PointBuffer points;
  points.setCapacity(n);
  for (int i = 0; i < n; ++i) {
    points.append(e->vertexAt(i));
  }
  drawPolyline(points);
}
