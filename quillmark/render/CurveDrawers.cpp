// Curves and polylines: arcs and bulges become points, and each curve reaches
// the device as one open polyline.
#include "arx/db/AcDb2dPolyline.h"
#include "arx/db/AcDb3dPolyline.h"
#include "arx/db/AcDbArc.h"
#include "arx/db/AcDbCircle.h"
#include "arx/db/AcDbPolyline.h"
#include "arx/db/AcDbSpline.h"
#include "quillmark/render/ArcExtremes.h"
#include "quillmark/render/ArcTrace.h"
#include "quillmark/render/BulgeArc.h"
#include "quillmark/render/BulgeBuffer.h"
#include "quillmark/render/ObjectCoordinates.h"
#include "quillmark/render/PointBuffer.h"
#include "quillmark/render/PolarPoint.h"
#include "quillmark/view/CBlockView.h"

#include <cmath>

namespace {

const double kTwoPi = 6.283185307179586;
const double kSegmentsPerRadian = 5.729577951308232; // 18 / pi: a segment per 10 degrees
const int kBulgeSegments = 36;

// True when the angles differ by a whole number of turns, not 0 (writers store
// circles as arcs from 20 to 380 degrees); the degrees' conversion leaves an
// error of a few ulps.
bool isWholeTurn(double difference)
{
  double turns = std::round(difference / kTwoPi);
  return turns != 0.0 && std::fabs(difference - turns * kTwoPi) <= 1e-9 * std::fabs(turns);
}

// The vertices an iterator will give, counted ahead so that the buffer is sized once.
int vertexCount(AcDbObjectIterator* iterator)
{
  int n = 0;
  for (iterator->start(); !iterator->done() && n < 0x7FFFFFFE; iterator->step(false, true)) {
    ++n;
  }
  return n;
}

} // namespace

void CBlockView::drawCircularArc(const AcGePoint3d& center, double radius, double start, double end)
{
  if (!std::isfinite(start) || !std::isfinite(end) || !std::isfinite(radius)) {
    return; // a damaged entity
  }
  double sweep = kTwoPi; // a whole turn or several: the circle
  if (!isWholeTurn(end - start)) {
    if (end < start) {
      end += kTwoPi;
    }
    sweep = end - start;
    if (sweep > kTwoPi) {
      sweep = std::fmod(sweep, kTwoPi); // angles of a damaged entity; once round is enough
    }
  }
  int n = static_cast<int>(sweep * kSegmentsPerRadian); // truncated, not rounded
  if (n < 1) {
    n = 1; // an arc under 10 degrees still gets its one segment
  }
  if (!spend(n + 1)) {
    return;
  }
  double step = sweep / n;
  if (m_measuring == 1) {
    if (!arcWithinExtents(center, std::fabs(radius))) {
      measureArcVertices(center, radius, start, step, n);
    }
    return;
  }
  if (!m_plainArcs && reserveLogical(n + 1) &&
      traceArc(circularArcTrace(center, radius, start, step, n), m_logical)) {
    ::Polyline(m_pDC->m_hDC, m_logical, n + 1);
    return;
  }
  // The plain way, which also clips an arc that leaves the logical range.
  PointBuffer& points = m_arcPoints; // scratch of this pass
  points.clear();
  if (points.capacity < n + 1) {
    points.setCapacity(n + 1); // room for every point at once
  }
  double angle = start;
  for (int k = 0; k <= n; ++k) {
    points.append(polarPoint(center, angle, radius));
    angle += step;
  }
  drawPolyline(points);
}

void CBlockView::measureArcVertices(const AcGePoint3d& center, double radius, double start,
                                    double step, int n)
{
  const double(*e)[4] = m_xform.entry;
  bool affine = e[3][0] == 0.0 && e[3][1] == 0.0 && e[3][2] == 0.0 && e[3][3] == 1.0;
  uint64_t mask = ~uint64_t(0);
  if (affine && !m_plainArcs && n <= 62) {
    // View coordinate i of a vertex: e[i][0] * (x + offset) + e[i][1] * (y + offset)
    // + e[i][2] * (z + offset) + e[i][3], where only x and y vary, as r cos and r sin.
    double spanX = std::fabs(center.x) + std::fabs(radius) + std::fabs(m_offset.x);
    double spanY = std::fabs(center.y) + std::fabs(radius) + std::fabs(m_offset.y);
    double spanZ = std::fabs(center.z) + std::fabs(m_offset.z);
    ArcImage image;
    for (int i = 0; i < 3; ++i) {
      image.cosCoef[i] = e[i][0];
      image.sinCoef[i] = e[i][1];
      image.constant[i] = e[i][0] == 0.0 && e[i][1] == 0.0;
      image.bound[i] = std::fabs(e[i][0]) * spanX + std::fabs(e[i][1]) * spanY +
                       std::fabs(e[i][2]) * spanZ + std::fabs(e[i][3]);
    }
    mask = extremeVertexMask(image, radius, start, step, n);
  }
  double angle = start;
  for (int k = 0; k <= n; ++k) {
    if (k > 62 || ((mask >> k) & 1) != 0) {
      growExtents(toView(polarPoint(center, angle, radius)));
    }
    angle += step;
  }
}

// The angles are measured in the arc's object coordinate system; the host
// gives the centre in world coordinates.
void CBlockView::drawArc(AcDbArc* e)
{
  ObjectCoordinates ocs(*this, e->normal());
  drawCircularArc(ocs.fromWorld(e->center()), e->radius(), e->startAngle(), e->endAngle());
}

void CBlockView::drawCircle(AcDbCircle* e)
{
  ObjectCoordinates ocs(*this, e->normal());
  drawCircularArc(ocs.fromWorld(e->center()), e->radius(), 0.0, kTwoPi);
}

void CBlockView::drawBulgePath(const PointBuffer& vertices, const BulgeBuffer& bulges)
{
  int n = vertices.count;
  long long total = 0;
  for (int i = 0; i < n; ++i) {
    bool arc = i < n - 1 && i < bulges.count && bulges.at(i) != 0.0;
    total += arc ? kVertexCost + kBulgeSegments : kVertexCost; // the vertex, the arc's points
  }
  if (!spend(total)) {
    return;
  }
  if (m_measuring == 1) {
    // The points the draw pass makes, but of each arc only those that can be extreme.
    for (int i = 0; i < n; ++i) {
      double bulge = i < bulges.count ? bulges.at(i) : 0.0;
      if (i < n - 1 && bulge != 0.0) {
        const AcGePoint3d& a = vertices.data[i];
        const AcGePoint3d& b = vertices.data[i + 1];
        // Every point of the arc lies within half the chord times 1 + |bulge| of the
        // chord's midpoint (the sagitta for a minor arc, the centre's distance and the
        // radius for a major one), at a's z.
        double reach =
            0.5 * (std::fabs(b.x - a.x) + std::fabs(b.y - a.y)) * (1.0 + std::fabs(bulge));
        if (arcWithinExtents(AcGePoint3d((a.x + b.x) * 0.5, (a.y + b.y) * 0.5, a.z), reach)) {
          continue;
        }
        BulgeArcSteps arc = bulgeArcSteps(a, b, bulge, kBulgeSegments);
        measureArcVertices(arc.center, arc.radius, arc.start, arc.step, kBulgeSegments);
      } else {
        growExtents(toView(vertices.pointAt(i)));
      }
    }
    return;
  }
  if (!m_plainArcs && total >= 2 && total <= 0x7FFFFFFF &&
      reserveLogical(static_cast<int>(total)) && traceBulgePath(vertices, bulges)) {
    return;
  }
  // The path is built in this pass's scratch, which `vertices` is never; with room for
  // every point at once, as linear growth would copy a long path over and over.
  PointBuffer& out = m_arcPoints;
  out.clear();
  if (total <= 0x7FFFFFFF && out.capacity < total) {
    out.setCapacity(static_cast<int>(total));
  }
  for (int i = 0; i < n; ++i) {
    // The last vertex's bulge is never used; an arc's end vertex is appended
    // again as the start of the next segment.
    double bulge = i < bulges.count ? bulges.at(i) : 0.0;
    if (i < n - 1 && bulge != 0.0) {
      appendBulgeArc(out, vertices.pointAt(i), vertices.pointAt(i + 1), bulge, kBulgeSegments);
    } else {
      out.append(vertices.pointAt(i));
    }
  }
  drawPolyline(out);
}

bool CBlockView::traceBulgePath(const PointBuffer& vertices, const BulgeBuffer& bulges)
{
  int n = vertices.count;
  int at = 0; // logical points made
  for (int i = 0; i < n; ++i) {
    double bulge = i < bulges.count ? bulges.at(i) : 0.0;
    if (i < n - 1 && bulge != 0.0) {
      ArcTrace trace = bulgeArcTrace(vertices.data[i], vertices.data[i + 1], bulge, kBulgeSegments);
      if (!traceArc(trace, m_logical + at)) {
        return false;
      }
      at += kBulgeSegments + 1;
    } else {
      if (!placeExactly(vertices.data[i], m_logical[at])) {
        return false;
      }
      ++at;
    }
  }
  ::Polyline(m_pDC->m_hDC, m_logical, at);
  return true;
}

void CBlockView::drawLightweightPolyline(AcDbPolyline* e)
{
  unsigned int n = e->numVerts();
  double elevation = e->elevation();
  bool closed = e->isClosed();
  // The path costs kVertexCost a vertex at least: one that cannot fit is not read.
  if (static_cast<long long>(n) * kVertexCost > m_walkBudget) {
    spend(static_cast<long long>(n) * kVertexCost);
    return;
  }
  PointBuffer& vertices = m_pathVertices; // scratch of this pass
  BulgeBuffer& bulges = m_pathBulges;
  vertices.clear();
  bulges.clear();
  if (vertices.capacity < static_cast<int>(n) + 1) {
    vertices.setCapacity(static_cast<int>(n) + 1);
  }
  if (bulges.capacity < static_cast<int>(n) + 1) {
    bulges.setCapacity(static_cast<int>(n) + 1);
  }
  // The vertices and bulges as stored, in the object coordinate system at the
  // elevation; the path is taken to world coordinates as it is drawn.
  // Without bulges the path is the vertices themselves: no bulge is read.
  bool bulged = e->hasBulges();
  for (unsigned int i = 0; i < n; ++i) {
    AcGePoint2d p;
    e->getPointAt(i, p);
    vertices.append(AcGePoint3d(p.x, p.y, elevation));
    if (bulged) {
      double bulge = 0.0;
      e->getBulgeAt(i, bulge);
      bulges.append(bulge);
    }
  }
  // The closing segment uses the last vertex's bulge; the repeated bulge 0 is not used.
  if (closed && vertices.count >= 1) {
    vertices.append(vertices.pointAt(0));
    if (bulged) {
      bulges.append(bulges.at(0));
    }
  }
  ObjectCoordinates ocs(*this, e->normal());
  if (!bulged) {
    if (spend(vertices.count * kVertexCost)) {
      drawPolyline(vertices); // as drawBulgePath draws a path of straight segments
    }
    return;
  }
  drawBulgePath(vertices, bulges);
}

// 2D polylines are drawn with straight segments; vertex bulges are not read.
void CBlockView::draw2dPolyline(AcDb2dPolyline* e)
{
  AcDbObjectIterator* iterator = e->vertexIterator();
  if (iterator == nullptr) {
    return;
  }
  double elevation = e->elevation();
  bool closed = e->isClosed();
  int count = vertexCount(iterator);
  if (!spend(count * kVertexCost + (closed ? 1 : 0))) {
    delete iterator;
    return;
  }
  PointBuffer points;
  points.setCapacity(count + 1);
  for (iterator->start(); !iterator->done(); iterator->step(false, true)) {
    AcDb2dVertex* vertex = nullptr;
    if (e->openVertex(vertex, iterator->objectId(), AcDb::kForRead, false) != Acad::eOk ||
        vertex == nullptr) {
      continue;
    }
    AcGePoint3d p = e->vertexPosition(*vertex);
    p.z = elevation;
    vertex->close();
    points.append(p);
  }
  delete iterator;
  if (closed && points.count >= 1) {
    points.append(points.pointAt(0));
  }
  drawPolyline(points);
}

void CBlockView::draw3dPolyline(AcDb3dPolyline* e)
{
  AcDbObjectIterator* iterator = e->vertexIterator();
  if (iterator == nullptr) {
    return;
  }
  bool closed = e->isClosed();
  int count = vertexCount(iterator);
  if (!spend(count * kVertexCost + (closed ? 1 : 0))) {
    delete iterator;
    return;
  }
  PointBuffer points;
  points.setCapacity(count + 1);
  for (iterator->start(); !iterator->done(); iterator->step(false, true)) {
    AcDb3dPolylineVertex* vertex = nullptr;
    if (e->openVertex(vertex, iterator->objectId(), AcDb::kForRead, false) != Acad::eOk ||
        vertex == nullptr) {
      continue;
    }
    points.append(vertex->position());
    vertex->close();
  }
  delete iterator;
  if (closed && points.count >= 1) {
    points.append(points.pointAt(0));
  }
  drawPolyline(points);
}

// Straight segments through the fit points, or else through the control
// polygon; no closing point, also for closed splines.
void CBlockView::drawSpline(AcDbSpline* e)
{
  PointBuffer points;
  if (!spend(kVertexCost * (e->hasFitData() ? e->numFitPoints() : e->numControlPoints()))) {
    return;
  }
  if (e->hasFitData()) {
    int n = e->numFitPoints();
    points.setCapacity(n);
    for (int i = 0; i < n; ++i) {
      AcGePoint3d p;
      e->getFitPointAt(i, p);
      points.append(p);
    }
  } else {
    int n = e->numControlPoints();
    points.setCapacity(n);
    for (int i = 0; i < n; ++i) {
      AcGePoint3d p;
      e->getControlPointAt(i, p);
      points.append(p);
    }
  }
  drawPolyline(points);
}

// The third corner is max itself; the other four lie at min.z.
void CBlockView::drawRectangle(AcGePoint3d min, AcGePoint3d max)
{
  if (!spend(5)) {
    return;
  }
  PointBuffer points;
  points.setCapacity(5);
  points.append(AcGePoint3d(min.x, min.y, min.z));
  points.append(AcGePoint3d(max.x, min.y, min.z));
  points.append(AcGePoint3d(max.x, max.y, max.z));
  points.append(AcGePoint3d(min.x, max.y, min.z));
  points.append(AcGePoint3d(min.x, min.y, min.z));
  drawPolyline(points);
}
