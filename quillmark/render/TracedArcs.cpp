// The faster ways with arcs, each giving the very picture of the plain way
// (m_plainArcs): the measure pass leaves out arcs that cannot widen the extents, the
// draw pass follows arcs by rotation (ArcTrace.h).
#include "quillmark/render/ArcTrace.h"
#include "quillmark/render/BulgeArc.h"
#include "quillmark/render/PolarPoint.h"
#include "quillmark/view/CBlockView.h"

#include <cfloat>
#include <cmath>

namespace {

// Rounding of a coordinate's sums and products, as a share of the size of its terms:
// a few thousand times what a handful of operations can lose.
const double kRoundingShare = 0x1p-40;

bool isAffine(const AcGeMatrix3d& m)
{
  return m.entry[3][0] == 0.0 && m.entry[3][1] == 0.0 && m.entry[3][2] == 0.0 &&
         m.entry[3][3] == 1.0;
}

// The logical coordinate of a view coordinate known to lie within `tolerance` of
// `approx`: truncated toward zero, as logicalPoint does, when every value in that span
// truncates alike and lies in the logical range. False when one integer (a boundary of
// the truncation) lies in the span: the caller then computes the value itself.
inline bool settle(double approx, double tolerance, LONG& out)
{
  double lo = approx - tolerance;
  double hi = approx + tolerance;
  if (lo > 0.0) {
    long long t = static_cast<long long>(lo);
    if (!(hi < kLogicalLimit) || static_cast<double>(t) == lo || static_cast<long long>(hi) != t) {
      return false;
    }
    out = static_cast<LONG>(t);
    return true;
  }
  if (hi < 0.0) {
    long long t = static_cast<long long>(hi);
    if (!(lo > -kLogicalLimit) || static_cast<double>(t) == hi || static_cast<long long>(lo) != t) {
      return false;
    }
    out = static_cast<LONG>(t);
    return true;
  }
  if (lo > -1.0 && hi < 1.0) {
    out = 0; // the whole span truncates to zero
    return true;
  }
  return false;
}

} // namespace

bool CBlockView::arcWithinExtents(const AcGePoint3d& around, double reach) const
{
  if (m_plainArcs || !(m_extMin.x <= m_extMax.x) || !isAffine(m_xform)) {
    return false;
  }
  const double(*e)[4] = m_xform.entry;
  const double x = around.x + m_offset.x;
  const double y = around.y + m_offset.y;
  const double z = around.z + m_offset.z;
  const double lo[3] = {m_extMin.x, m_extMin.y, m_extMin.z};
  const double hi[3] = {m_extMax.x, m_extMax.y, m_extMax.z};
  for (int i = 0; i < 3; ++i) {
    // As toView sums it, where only x and y vary from one point of the arc to another.
    double v = e[i][0] * x + e[i][1] * y + e[i][2] * z + e[i][3];
    if (e[i][0] == 0.0 && e[i][1] == 0.0) {
      // x and y count as zeros: every point gives this very value (a zero's sign aside).
      if (!(v >= lo[i] && v <= hi[i])) {
        return false;
      }
      continue;
    }
    double spread = (std::fabs(e[i][0]) + std::fabs(e[i][1])) * reach;
    double size = std::fabs(e[i][0]) * (std::fabs(around.x) + std::fabs(m_offset.x) + reach) +
                  std::fabs(e[i][1]) * (std::fabs(around.y) + std::fabs(m_offset.y) + reach) +
                  std::fabs(e[i][2]) * (std::fabs(around.z) + std::fabs(m_offset.z)) +
                  std::fabs(e[i][3]);
    double margin = spread + size * kRoundingShare;
    if (!(v - margin >= lo[i] && v + margin <= hi[i])) {
      return false; // also for anything not finite
    }
  }
  return true;
}

bool CBlockView::traceArc(const ArcTrace& trace, POINT* out)
{
  // Logical coordinate i of a vertex at direction (c, s): base + gainCos c + gainSin s,
  // the draw pass's transform of the centre and of the radius's two components. It
  // differs from the exact way's value by the radius's reach times the error in the
  // direction, and by the rounding of either way's sums.
  const double(*e)[4] = m_xform.entry;
  const double r = trace.radius;
  const double x = trace.center.x + m_offset.x;
  const double y = trace.center.y + m_offset.y;
  const double z = trace.center.z + m_offset.z;
  const double scaleBase[2] = {m_scaleBase.x, m_scaleBase.y};
  const double origin[2] = {m_originX, m_originY};
  const double drift = (trace.n + 2) * 64.0 * DBL_EPSILON; // the rotation's own rounding
  double base[2], gainCos[2], gainSin[2], tolerance[2];
  bool vouched = isAffine(m_xform);
  for (int i = 0; i < 2; ++i) {
    base[i] = scaleBase[i] +
              (e[i][0] * x + e[i][1] * y + e[i][2] * z + e[i][3] - scaleBase[i]) * m_scale -
              origin[i];
    gainCos[i] = e[i][0] * r * m_scale;
    gainSin[i] = e[i][1] * r * m_scale;
    double size = std::fabs(m_scale) *
                      (std::fabs(e[i][0]) *
                           (std::fabs(trace.center.x) + std::fabs(m_offset.x) + std::fabs(r)) +
                       std::fabs(e[i][1]) *
                           (std::fabs(trace.center.y) + std::fabs(m_offset.y) + std::fabs(r)) +
                       std::fabs(e[i][2]) * (std::fabs(trace.center.z) + std::fabs(m_offset.z)) +
                       std::fabs(e[i][3]) + std::fabs(scaleBase[i])) +
                  std::fabs(scaleBase[i]) + std::fabs(origin[i]);
    tolerance[i] =
        4.0 * ((std::fabs(gainCos[i]) + std::fabs(gainSin[i])) * (trace.angleError + drift) +
               size * kRoundingShare);
    // A span of a quarter unit or more would send most vertices the exact way anyway.
    vouched = vouched && tolerance[i] < 0.25 && std::isfinite(base[i]);
  }
  bool anglesKnown = trace.anglesKnown;
  double start = trace.start;
  double step = trace.step;
  double angle = start; // vertex k's exact angle, while the angles are known
  double c = trace.cos0;
  double s = trace.sin0;
  for (int k = 0; k <= trace.n; ++k) {
    LONG lx = 0, ly = 0;
    if (vouched && settle(base[0] + gainCos[0] * c + gainSin[0] * s, tolerance[0], lx) &&
        settle(base[1] + gainCos[1] * c + gainSin[1] * s, tolerance[1], ly)) {
      out[k].x = lx;
      out[k].y = ly;
    } else {
      ++m_tracedExactly;
      if (!anglesKnown) {
        BulgeArcSteps steps = bulgeArcSteps(trace.p1, trace.p2, trace.bulge, trace.n);
        start = steps.start;
        step = steps.step;
        anglesKnown = true;
        angle = start;
        for (int j = 0; j < k; ++j) {
          angle += step;
        }
      }
      if (!placeExactly(polarPoint(trace.center, angle, r), out[k])) {
        return false;
      }
    }
    angle += step;
    double turned = c * trace.cosStep - s * trace.sinStep;
    s = s * trace.cosStep + c * trace.sinStep;
    c = turned;
  }
  return true;
}
