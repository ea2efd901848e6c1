// CBlockView: the block dialog's preview control (a CStatic bound to control 1063).
// On every WM_PAINT it clears its client area to black, walks the named block
// once to measure it (measure pass), fits the extents into the control and walks
// it again to draw it as a wire frame (draw pass).
//
// Every drawer serves both passes: while m_measuring is 1 it only widens the
// extents, while it is 0 it draws through m_pDC. Every model point goes through
// toView: + m_offset, then m_xform, then (draw pass) * m_scale; its logical point
// is the view point minus (m_originX, m_originY), truncated toward zero.
//
// Files: CBlockView.cpp (paint cycle, pens), ViewTransform.cpp (fit; toView and
// the logical point are inline at the end of this header),
// DrawingPrimitives.cpp, StraightDrawers.cpp; the walk and the other drawers
// are in quillmark/render.
#pragma once

#include "arx/db/AcDbObjectId.h"
#include "arx/ge/AcGeMatrix3d.h"
#include "arx/ge/AcGePoint3d.h"
#include "mfc/CBrush.h"
#include "mfc/CDC.h"
#include "mfc/CPen.h"
#include "mfc/CRgn.h"
#include "mfc/CStatic.h"
#include "mfc/CString.h"
#include "quillmark/render/ArcTrace.h"
#include "quillmark/render/BulgeBuffer.h"
#include "quillmark/render/PointBuffer.h"
#include "quillmark/view/LogicalRange.h"

#include <vector>

class AcDbDatabase;
class AcDbEntity;
class AcDbBlockTableRecord;
class AcDbBlockReference;
class AcDbMInsertBlock;
class AcDbPoint;
class AcDbLine;
class AcDbRay;
class AcDbXline;
class AcDbFace;
class AcDbSolid;
class AcDbTrace;
class AcDbArc;
class AcDbCircle;
class AcDbPolyline;
class AcDb2dPolyline;
class AcDb3dPolyline;
class AcDbSpline;
class AcDbMline;
class AcDbViewport;
class AcDbHatch;
class AcDbRasterImage;
class AcDbLeader;

class CBlockView : public CStatic {
public:
  // The work one pass may do, in walk units: each entity walked costs
  // kEntityCost, a change of colour kColorCost (a new pen and brush in the draw
  // pass), each walk of a referenced block (a reference, a cell of a multiple
  // insert: the block opened, its transform made) kCellCost, each vertex read from
  // an entity's list (polylines, splines, multilines, leaders) kVertexCost, and each
  // other point a drawer hands to the primitives one (a segment two, a polygon four;
  // an arc's points, computed, one each). A pass that has spent its budget stops, at
  // the same place in both passes, and the paint marks the preview as cut short. The
  // figures hold the slowest paint this machine can be asked for to about half a
  // second (bench_view_hostile) and draw the benchmark's 200,000 entities whole
  // (14.0 million units a pass).
  static const long long kWalkBudget = 14300000;
  static const long long kEntityCost = 8;
  static const long long kColorCost = 24;
  static const long long kCellCost = 32;
  static const long long kVertexCost = 2;
  static const COLORREF kNoColor = 0xFFFFFFFF; // no RGB colour
  // The mark of a preview cut short: a triangle of this many pixels a side in the
  // lower right corner of the control, in this colour (amber).
  static const int kCutMarkSize = 9;
  static const COLORREF kCutMarkColor = 0x0000C0FF;

  CBlockView();
  ~CBlockView() override;

  // Operations used by the dialog
  void setDatabase(AcDbDatabase* db);
  void setBlockName(const char* name); // does not repaint

  // Paint cycle
  afx_msg void OnPaint();
  // Steps of OnPaint after BeginPaint: background, measure pass, fit, draw pass.
  void paintPreview(CDC* dc);
  void resetExtents();
  void beginDraw(CDC* dc);
  void selectColor(COLORREF color, int replace);
  void endDraw();
  // Selects the previous brush and pen back into m_pDC and deletes ours.
  void restoreBrushAndPen();
  // Frees the drawers' scratch storage: it serves one pass and is not kept.
  void releaseScratch();
  // Draws the cut-short mark in the client area of `dc` (device pixels).
  void drawCutMark(CDC* dc);

  // Fitting and transform
  AcGePoint3d toView(const AcGePoint3d& p) const;
  void growExtents(const AcGePoint3d& v);
  void fitView(double fill);
  // The logical point of view point v: (v - origin) truncated toward zero. The
  // fit keeps every measured point in the range GDI accepts; a coordinate beyond
  // it (only a damaged value) is held at its edge. Segments and polylines, whose
  // far ends may leave the range, are clipped to it instead (LogicalRange.h).
  POINT logicalPoint(const AcGePoint3d& v) const;

  // Primitives
  void plotPixel(const AcGePoint3d& v);
  void drawSegment(const AcGePoint3d& a, const AcGePoint3d& b);
  void drawPolyline(const PointBuffer& points);
  // The draw pass of a polyline with a point beyond the logical range: each edge
  // clipped to it, and the pieces that remain joined drawn as one polyline each.
  void drawClippedPolyline(const PointBuffer& points);
  void fillPolygon(const AcGePoint3d v[4]);

  // Straight-edged entities
  void drawPoint(AcDbPoint* e);
  void drawLine(AcDbLine* e);
  void drawRay(AcDbRay* e);
  void drawXline(AcDbXline* e);
  void drawFace(AcDbFace* e);
  void drawFaceEdges(const AcGePoint3d corners[4], const int visible[4]);
  void drawSolid(AcDbSolid* e);
  void drawTrace(AcDbTrace* e);

  // The walk
  // Takes `units` from the pass's budget. False when they do not fit: the budget is
  // then spent, the pass is cut short and the caller draws nothing more.
  bool spend(long long units)
  {
    if (units < 0) {
      units = 0; // a count of a damaged entity
    }
    if (units > m_walkBudget) {
      m_walkBudget = 0;
      m_cut = true;
      return false;
    }
    m_walkBudget -= units;
    return true;
  }
  void drawNamedBlock();
  void drawBlockRecord(AcDbBlockTableRecord* record);
  void drawEntity(AcDbEntity* entity);
  void drawBlockReference(AcDbBlockReference* reference);
  void drawMInsert(AcDbMInsertBlock* reference);
  // False for a block already being walked (a block met inside itself) and
  // beyond the deepest nesting walked.
  bool mayWalk(const AcDbObjectId& id) const;
  // The block a reference walks, open for read; null when the reference draws nothing
  // (a zero x or y scale, a block already being walked, or a record that does not open).
  AcDbBlockTableRecord* openReferencedBlock(AcDbBlockReference* reference);
  // m_xform for the walk of a block placed by `blockTransform` in the block
  // being walked: the transform itself at the top, combined with the transform
  // in force and an enclosing cell's offset deeper down.
  AcGeMatrix3d nestedTransform(const AcGeMatrix3d& blockTransform) const;

  // Curves and polylines
  void drawCircularArc(const AcGePoint3d& center, double radius, double start, double end);
  void drawArc(AcDbArc* e);
  void drawCircle(AcDbCircle* e);
  void drawBulgePath(const PointBuffer& vertices, const BulgeBuffer& bulges);
  void drawLightweightPolyline(AcDbPolyline* e);
  void draw2dPolyline(AcDb2dPolyline* e);
  void draw3dPolyline(AcDb3dPolyline* e);
  void drawSpline(AcDbSpline* e);
  void drawRectangle(AcGePoint3d min, AcGePoint3d max);
  // Measure pass: grows the extents by the vertices of the arc tessellated from `start`
  // in `n` steps of `step` about `center` that can hold its extents (all of them when
  // m_plainArcs is set): the same extents as every vertex would give.
  void measureArcVertices(const AcGePoint3d& center, double radius, double start, double step,
                          int n);
  // Measure pass: true when every point within `reach` of `around` in x and y, at its z,
  // is sure to land within the extents measured so far, so that measuring the arc
  // there would change nothing (never with m_plainArcs, a projective transform or
  // before anything was measured).
  bool arcWithinExtents(const AcGePoint3d& around, double reach) const;
  // Draw pass: the logical points of the arc's vertices 0 .. trace.n into `out`, the
  // very ones logicalPoint(toView(vertex)) gives for the vertices polarPoint places,
  // each made by rotation and placed the exact way where rounding could decide its
  // coordinate (ArcTrace.h). False, with `out` undefined, when a vertex leaves the
  // logical range or the arc is beyond what the rotation can vouch for: the caller
  // then places every vertex the exact way.
  bool traceArc(const ArcTrace& trace, POINT* out);
  // Vertex k of the traced arc, the exact way; false when it lies beyond the logical range.
  bool placeTracedVertex(const ArcTrace& trace, int k, POINT& out);
  // Draw pass: the bulge path as drawBulgePath draws it, its arcs traced, in one
  // polyline from m_logical (with room for every point); false, having drawn nothing,
  // when a point leaves the logical range.
  bool traceBulgePath(const PointBuffer& vertices, const BulgeBuffer& bulges);
  // The logical point of model point p in the draw pass, as drawPolyline makes it;
  // false when it lies beyond the logical range.
  bool placeExactly(const AcGePoint3d& p, POINT& out) const;
  // Room for n logical points in m_logical; false when it cannot be had.
  bool reserveLogical(int n);

  // Other entities
  void drawMline(AcDbMline* e);
  void drawExtentsBox(AcDbEntity* e);
  void drawViewport(AcDbViewport* e);
  void drawHatch(AcDbHatch* e);
  void drawRasterImage(AcDbRasterImage* e);
  void drawLeader(AcDbLeader* e);

  // Drawing state
  AcDbDatabase* m_pDatabase; // database the block is read from; not owned
  CDC* m_pDC;                // DC of the paint in progress (after beginDraw); not owned
  CRgn* m_pClipRgn;          // clip region of the paint in progress; owned
  CBrush m_brush;            // solid brush of the current colour while drawing
  CBrush* m_pOldBrush;       // brush selected in m_pDC before m_brush
  CPen m_pen;                // pen of the current colour while drawing
  CPen* m_pOldPen;           // pen selected in m_pDC before m_pen
  AcGeMatrix3d m_xform;      // model transform; changed only during a nested block walk
  AcGePoint3d m_extMin;      // smallest x, y, z measured so far
  AcGePoint3d m_extMax;      // largest x, y, z measured so far
  AcGePoint3d m_scaleBase;   // base of the draw-pass scaling: always the origin
  AcGePoint3d m_offset;      // added before m_xform; changed only inside a multiple insert
  double m_scale;            // model-to-logical scale of the draw pass
  double m_originX;          // scaled x of the centre of the extents
  double m_originY;          // scaled y of the centre of the extents
  COLORREF m_color;          // colour of the last entity walked (and of the pen while drawing)
  int m_measuring;           // 1 in the measure pass, 0 in the draw pass
  // Arcs the plain way, every vertex placed with polarPoint in both passes: none left out
  // of the measure pass, none made by rotation in the draw pass (slower, the very same
  // picture): the reference the faster ways are checked against.
  bool m_plainArcs;
  CString m_blockName; // name of the block to preview
  // Records being walked, outermost first: a block met again inside itself
  // (a damaged drawing) is not walked again.
  std::vector<AcDbObjectId> m_walking;
  // Walk units the pass may still spend (kWalkBudget at its start): a hostile
  // drawing (a 65535 x 65535 array of a long polyline, blocks nested forty deep
  // ten-fold) ends its pass early instead of keeping the host busy for hours.
  long long m_walkBudget;
  bool m_cut;           // the pass ran out of budget before the end of the block
  COLORREF m_passColor; // colour of the last entity of this pass; kNoColor at its start
  // Scratch storage the drawers reuse from one entity to the next within a
  // pass, so that the hot path makes no allocation per entity; emptied at each
  // use and freed when the pass ends. It holds nothing from one entity to the next.
  PointBuffer m_arcPoints;    // points of the arc or bulge path being drawn
  PointBuffer m_pathVertices; // vertices of the lightweight polyline being drawn
  BulgeBuffer m_pathBulges;   // and their bulges
  POINT* m_logical;           // logical points of the polyline being drawn
  int m_logicalCapacity;      // points m_logical has room for
  // Vertices of traced arcs placed the exact way since the view was made (where rounding
  // could decide a coordinate): for the tests and the benchmark.
  long long m_tracedExactly;

  DECLARE_MESSAGE_MAP()
};

// The transform of every point, defined here so that the drawers' loops inline it.

// A logical coordinate: truncated toward zero, held within the range GDI takes
// (only a damaged value lies beyond it; NaN gives 0).
inline LONG viewToLogical(double d)
{
  if (d != d) {
    return 0; // NaN
  }
  if (d < -kLogicalLimit) {
    return static_cast<LONG>(-kLogicalLimit);
  }
  if (d > kLogicalLimit) {
    return static_cast<LONG>(kLogicalLimit);
  }
  return static_cast<LONG>(d); // truncation toward zero
}

// + m_offset, then m_xform (AcGePoint3d::transformBy, written out), then in the
// draw pass the scaling about m_scaleBase (AcGePoint3d::scaleBy, written out).
inline AcGePoint3d CBlockView::toView(const AcGePoint3d& p) const
{
  double x = p.x + m_offset.x;
  double y = p.y + m_offset.y;
  double z = p.z + m_offset.z;
  const double(*e)[4] = m_xform.entry;
  double rx = e[0][0] * x + e[0][1] * y + e[0][2] * z + e[0][3];
  double ry = e[1][0] * x + e[1][1] * y + e[1][2] * z + e[1][3];
  double rz = e[2][0] * x + e[2][1] * y + e[2][2] * z + e[2][3];
  double w = e[3][0] * x + e[3][1] * y + e[3][2] * z + e[3][3];
  if (w != 1.0 && w != 0.0) {
    rx /= w;
    ry /= w;
    rz /= w;
  }
  if (m_measuring != 1) {
    rx = m_scaleBase.x + (rx - m_scaleBase.x) * m_scale;
    ry = m_scaleBase.y + (ry - m_scaleBase.y) * m_scale;
    rz = m_scaleBase.z + (rz - m_scaleBase.z) * m_scale;
  }
  return AcGePoint3d(rx, ry, rz);
}

inline POINT CBlockView::logicalPoint(const AcGePoint3d& v) const
{
  POINT lp;
  lp.x = viewToLogical(v.x - m_originX);
  lp.y = viewToLogical(v.y - m_originY);
  return lp;
}

inline bool CBlockView::placeExactly(const AcGePoint3d& p, POINT& out) const
{
  AcGePoint3d v = toView(p);
  double x = v.x - m_originX;
  double y = v.y - m_originY;
  if (!inLogicalRange(x, y)) {
    return false;
  }
  out.x = static_cast<LONG>(x); // truncated toward zero
  out.y = static_cast<LONG>(y);
  return true;
}

// Two independent tests per coordinate: the first point sets both corners.
inline void CBlockView::growExtents(const AcGePoint3d& v)
{
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
