// The faster ways with arcs, each giving the very picture of the plain way
// (m_plainArcs): the measure pass leaves out arcs that cannot widen the extents, the
// draw pass follows arcs by rotation (ArcTrace.h).
#include "quillmark/render/ArcTrace.h"
#include "quillmark/render/BulgeArc.h"
#include "quillmark/render/PolarPoint.h"
#include "quillmark/view/CBlockView.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <emmintrin.h>

namespace {

// Rounding of a coordinate's sums and products, as a share of the size of its terms:
// a few thousand times what a handful of operations can lose.
const double kRoundingShare = 0x1p-40;

// A vertex's two truncated coordinates are stored at once as a POINT.
static_assert(sizeof(POINT) == 8 && offsetof(POINT, y) == 4, "POINT is two 32-bit coordinates");

bool isAffine(const AcGeMatrix3d& m)
{
  return m.entry[3][0] == 0.0 && m.entry[3][1] == 0.0 && m.entry[3][2] == 0.0 &&
         m.entry[3][3] == 1.0;
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
  // Logical coordinate i of the vertex at direction (c, s): base + gainCos c + gainSin s,
  // the draw pass's transform of the centre and of the radius's two components. Vertex
  // k's direction is the first one turned by k steps, (C_k, S_k) of the rotation table,
  // so the coordinate is base + along C_k + across S_k. It differs from the exact way's
  // value by the radius's reach times the error in the direction, and by the rounding
  // of either way's sums.
  const double(*e)[4] = m_xform.entry;
  const double r = trace.radius;
  const double x = trace.center.x + m_offset.x;
  const double y = trace.center.y + m_offset.y;
  const double z = trace.center.z + m_offset.z;
  const double scaleBase[2] = {m_scaleBase.x, m_scaleBase.y};
  const double origin[2] = {m_originX, m_originY};
  const double drift = (trace.n + 2) * 64.0 * DBL_EPSILON; // the rotation's own rounding
  double base[2], along[2], across[2], tolerance[2];
  const double* turns = rotationTable(trace.cosStep, trace.sinStep, trace.n);
  bool vouched = isAffine(m_xform) && turns != nullptr;
  for (int i = 0; i < 2; ++i) {
    base[i] = scaleBase[i] +
              (e[i][0] * x + e[i][1] * y + e[i][2] * z + e[i][3] - scaleBase[i]) * m_scale -
              origin[i];
    double gainCos = e[i][0] * r * m_scale;
    double gainSin = e[i][1] * r * m_scale;
    along[i] = gainCos * trace.cos0 + gainSin * trace.sin0;
    across[i] = gainSin * trace.cos0 - gainCos * trace.sin0;
    double size = std::fabs(m_scale) *
                      (std::fabs(e[i][0]) *
                           (std::fabs(trace.center.x) + std::fabs(m_offset.x) + std::fabs(r)) +
                       std::fabs(e[i][1]) *
                           (std::fabs(trace.center.y) + std::fabs(m_offset.y) + std::fabs(r)) +
                       std::fabs(e[i][2]) * (std::fabs(trace.center.z) + std::fabs(m_offset.z)) +
                       std::fabs(e[i][3]) + std::fabs(scaleBase[i])) +
                  std::fabs(scaleBase[i]) + std::fabs(origin[i]);
    tolerance[i] = 4.0 * ((std::fabs(gainCos) + std::fabs(gainSin)) * (trace.angleError + drift) +
                          size * kRoundingShare);
    // A span of a quarter unit or more would send most vertices the exact way anyway.
    vouched = vouched && tolerance[i] < 0.25 && std::isfinite(base[i]) && std::isfinite(along[i]) &&
              std::isfinite(across[i]);
  }
  if (!vouched) {
    for (int k = 0; k <= trace.n; ++k) {
      if (!placeTracedVertex(trace, k, out[k])) {
        return false;
      }
    }
    return true;
  }
  // Both coordinates of a vertex at once, the vertices independent of each other. A
  // coordinate v within t of the exact value (four times its bound, so that rounding v - t
  // and v + t changes nothing) truncates as the exact value does when v - t and v + t
  // truncate alike, and lies in the logical range when |v| < 2^27 - 2. Other vertices
  // are placed the exact way.
  const __m128d b = _mm_set_pd(base[1], base[0]);
  const __m128d u = _mm_set_pd(along[1], along[0]);
  const __m128d w = _mm_set_pd(across[1], across[0]);
  const __m128d t = _mm_set_pd(tolerance[1], tolerance[0]);
  const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFFll));
  const __m128d inRange = _mm_set1_pd(kLogicalLimit - 1.0);
  for (int k = 0; k <= trace.n; ++k) {
    __m128d v = _mm_add_pd(_mm_add_pd(b, _mm_mul_pd(u, _mm_set1_pd(turns[2 * k]))),
                           _mm_mul_pd(w, _mm_set1_pd(turns[2 * k + 1])));
    // Truncated toward zero, as logicalPoint does; x and y in the two low words.
    __m128i low = _mm_cvttpd_epi32(_mm_sub_pd(v, t));
    __m128i high = _mm_cvttpd_epi32(_mm_add_pd(v, t));
    int alike = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(low, high))) & 3;
    int inside = _mm_movemask_pd(_mm_cmplt_pd(_mm_and_pd(v, magnitude), inRange));
    if ((alike & inside) == 3) {
      _mm_storel_epi64(reinterpret_cast<__m128i*>(&out[k]), low);
    } else if (!placeTracedVertex(trace, k, out[k])) {
      return false;
    }
  }
  return true;
}

bool CBlockView::placeTracedVertex(const ArcTrace& trace, int k, POINT& out)
{
  ++m_tracedExactly;
  double start = trace.start;
  double step = trace.step;
  if (!trace.anglesKnown) {
    BulgeArcSteps steps = bulgeArcSteps(trace.p1, trace.p2, trace.bulge, trace.n);
    start = steps.start;
    step = steps.step;
  }
  double angle = start; // the drawers' angle of vertex k: k sums of the step
  for (int j = 0; j < k; ++j) {
    angle += step;
  }
  return placeExactly(polarPoint(trace.center, angle, trace.radius), out);
}
