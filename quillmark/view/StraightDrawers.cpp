#include "quillmark/render/PolarPoint.h"
#include "quillmark/view/CBlockView.h"

#include "arx/db/AcDbFace.h"
#include "arx/db/AcDbLine.h"
#include "arx/db/AcDbPoint.h"
#include "arx/db/AcDbRay.h"
#include "arx/db/AcDbSolid.h"
#include "arx/db/AcDbTrace.h"
#include "arx/db/AcDbXline.h"

#include <cmath>

namespace {

// How far rays and construction lines reach, in the units of the block walked.
const double kFarDistance = 65535.0;
const double kPi = 3.141592653589793;

} // namespace

void CBlockView::drawPoint(AcDbPoint* e)
{
  if (!spend(1)) {
    return;
  }
  AcGePoint3d v = toView(e->position());
  if (m_measuring == 1) {
    growExtents(v);
  } else {
    plotPixel(v);
  }
}

void CBlockView::drawLine(AcDbLine* e)
{
  if (!spend(2)) {
    return;
  }
  drawSegment(e->startPoint(), e->endPoint());
}

// A ray adds nothing to the extents, not even its base point.
void CBlockView::drawRay(AcDbRay* e)
{
  if (!spend(2)) { // in both passes, though only the draw pass draws it
    return;
  }
  AcGePoint3d base = e->basePoint();
  AcGeVector3d dir = e->unitDir();
  double theta = std::atan2(dir.y, dir.x);
  AcGePoint3d farEnd = polarPoint(base, theta, kFarDistance);
  if (m_measuring != 1) {
    drawSegment(base, farEnd);
  }
}

// A construction line adds nothing to the extents.
void CBlockView::drawXline(AcDbXline* e)
{
  if (!spend(2)) { // in both passes, though only the draw pass draws it
    return;
  }
  AcGePoint3d base = e->basePoint();
  AcGeVector3d dir = e->unitDir();
  double theta = std::atan2(dir.y, dir.x);
  AcGePoint3d p1 = polarPoint(base, theta - kPi, kFarDistance);
  AcGePoint3d p2 = polarPoint(base, theta, kFarDistance);
  if (m_measuring != 1) {
    drawSegment(p1, p2);
  }
}

void CBlockView::drawFace(AcDbFace* e)
{
  AcGePoint3d corners[4];
  int visible[4];
  for (int i = 0; i < 4; ++i) {
    Adesk::Boolean shown = false;
    e->getVertexAt(static_cast<Adesk::UInt16>(i), corners[i]);
    e->isEdgeVisibleAt(static_cast<Adesk::UInt16>(i), shown);
    visible[i] = shown ? 1 : 0;
  }
  if (!spend(2 * (visible[0] + visible[1] + visible[2] + visible[3]))) {
    return;
  }
  drawFaceEdges(corners, visible);
}

// Edge i runs from corner i to corner (i + 1) mod 4; an invisible edge is
// neither drawn nor measured.
void CBlockView::drawFaceEdges(const AcGePoint3d corners[4], const int visible[4])
{
  for (int i = 0; i < 4; ++i) {
    if (visible[i] == 1) {
      drawSegment(corners[i], corners[(i + 1) % 4]);
    }
  }
}

namespace {

// Solids and traces: four corners as view points, measured in the measure pass.
template <class Entity> void quadViewPoints(CBlockView* view, Entity* e, AcGePoint3d v[4])
{
  for (int i = 0; i < 4; ++i) {
    AcGePoint3d p;
    e->getPointAt(static_cast<Adesk::UInt16>(i), p);
    v[i] = view->toView(p);
    if (view->m_measuring == 1) {
      view->growExtents(v[i]);
    }
  }
}

} // namespace

void CBlockView::drawSolid(AcDbSolid* e)
{
  if (!spend(4)) {
    return;
  }
  AcGePoint3d v[4];
  quadViewPoints(this, e, v);
  if (m_measuring != 1) {
    fillPolygon(v);
  }
}

void CBlockView::drawTrace(AcDbTrace* e)
{
  if (!spend(4)) {
    return;
  }
  AcGePoint3d v[4];
  quadViewPoints(this, e, v);
  if (m_measuring != 1) {
    fillPolygon(v);
  }
}
