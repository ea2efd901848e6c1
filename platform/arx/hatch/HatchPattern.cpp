// Hatch pattern lines: every line family swept across the boundary polygons,
// kept inside by the even-odd rule, and cut into the family's dashes.
#include "arx/hatch/HatchPattern.h"

#include "arx/hatch/HatchBoundary.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// A base point or offset beyond this is refused, as boundary coordinates are:
// the lines near the boundary would be placed by differences of huge numbers.
constexpr double kMaxCoordinate = 1e15;

// Work allowed per segment wanted, counted as edge tests and sorting steps: far
// more than any drawing needs (a line's active edges are its crossings, and each
// pair of crossings is a span).
constexpr std::size_t kWorkPerSegment = 16;

// One polygon edge, with its extent across the family's lines.
struct ScanEdge {
  AcGePoint2d p;
  AcGePoint2d q;
  double low;  // least distance of its ends from the family's first line
  double high; // greatest distance
};

// The direction frame of one family: lines run along `dir`, and consecutive
// lines lie `spacing` apart along `normal` (spacing > 0).
struct FamilyFrame {
  AcGePoint2d base;
  AcGeVector2d dir;
  AcGeVector2d normal;
  AcGeVector2d offset;
  double spacing;
};

double dot(double ax, double ay, const AcGeVector2d& b)
{
  return ax * b.x + ay * b.y;
}

// The signed distance of p from the family's line through `base`.
double across(const FamilyFrame& f, const AcGePoint2d& p)
{
  return dot(p.x - f.base.x, p.y - f.base.y, f.normal);
}

// Makes the frame of a family; false when the family cannot be laid (offset
// zero, huge or not finite, lines parallel to the offset, angle not finite,
// base point huge or not finite).
bool makeFrame(const HatchPatternLine& line, FamilyFrame& f)
{
  f.base = line.base;
  f.offset = line.offset;
  f.dir = AcGeVector2d(std::cos(line.angle), std::sin(line.angle));
  f.normal = AcGeVector2d(-f.dir.y, f.dir.x);
  f.spacing = dot(f.offset.x, f.offset.y, f.normal);
  if (f.spacing < 0.0) {
    f.normal = AcGeVector2d(-f.normal.x, -f.normal.y);
    f.spacing = -f.spacing;
  }
  double len = std::hypot(f.offset.x, f.offset.y);
  // NaN fails every comparison below.
  return std::fabs(f.base.x) <= kMaxCoordinate && std::fabs(f.base.y) <= kMaxCoordinate &&
         len <= kMaxCoordinate && f.spacing > len * 1e-9 && f.spacing > 0.0;
}

// The crossings of line (origin, dir) with the active edges, as distances along
// the line from origin. An end exactly on the line counts as above it, so a
// vertex the line passes through is counted once and a touching vertex zero or
// two times, as the even-odd rule needs.
void collectCrossings(const FamilyFrame& f, const AcGePoint2d& origin,
                      const std::vector<const ScanEdge*>& active, std::vector<double>& out)
{
  out.clear();
  for (const ScanEdge* e : active) {
    double a = dot(e->p.x - origin.x, e->p.y - origin.y, f.normal);
    double b = dot(e->q.x - origin.x, e->q.y - origin.y, f.normal);
    if ((a >= 0.0) == (b >= 0.0)) {
      continue;
    }
    double s = a / (a - b);
    double tp = dot(e->p.x - origin.x, e->p.y - origin.y, f.dir);
    double tq = dot(e->q.x - origin.x, e->q.y - origin.y, f.dir);
    out.push_back(tp + (tq - tp) * s);
  }
  std::sort(out.begin(), out.end());
}

class SegmentSink {
public:
  SegmentSink(std::vector<HatchSegment>& out, std::size_t limit) : m_out(out), m_limit(limit) {}
  bool full() const { return m_out.size() >= m_limit; }
  std::size_t remaining() const { return m_limit - m_out.size(); }
  void add(const FamilyFrame& f, const AcGePoint2d& origin, double t0, double t1)
  {
    if (!full()) {
      m_out.push_back({AcGePoint2d(origin.x + f.dir.x * t0, origin.y + f.dir.y * t0),
                       AcGePoint2d(origin.x + f.dir.x * t1, origin.y + f.dir.y * t1)});
    }
  }

private:
  std::vector<HatchSegment>& m_out;
  std::size_t m_limit;
};

// Lays the dash pattern along one inside span [t0, t1] of a line whose pattern
// starts at t = 0 (the line's own origin, base + k * offset, so that the dashes
// of one line line up across its spans and the offset's along-line part
// staggers consecutive lines).
void layDashes(const std::vector<double>& dashes, double period, const FamilyFrame& f,
               const AcGePoint2d& origin, double t0, double t1, SegmentSink& sink)
{
  double first = std::floor(t0 / period);
  double periods = std::floor(t1 / period) - first + 1.0;
  // Every whole period inside the span draws at least one dash, so more periods
  // than segments still wanted (plus the two partial ones at the ends) can only
  // be periods that rounding has made empty: they are not walked.
  periods = std::min(periods, static_cast<double>(sink.remaining()) + 2.0);
  for (double m = 0.0; m < periods && !sink.full(); m += 1.0) {
    double pos = (first + m) * period;
    for (double d : dashes) {
      double len = std::fabs(d);
      if (d > 0.0) {
        double a = std::max(pos, t0);
        double b = std::min(pos + len, t1);
        if (a < b) {
          sink.add(f, origin, a, b);
        }
      } else if (d == 0.0 && pos >= t0 && pos <= t1) {
        sink.add(f, origin, pos, pos);
      }
      pos += len;
    }
  }
}

// The whole dash period, or 0 when the family has nothing to draw dashed
// (no dash drawn, a period that is not finite or not positive).
double dashPeriod(const std::vector<double>& dashes)
{
  double period = 0.0;
  bool draws = false;
  for (double d : dashes) {
    period += std::fabs(d);
    draws = draws || d >= 0.0;
  }
  return draws && std::isfinite(period) && period > 0.0 ? period : 0.0;
}

// Sweeps one family's lines across the polygons into `sink`. `workLeft` is the
// work still allowed for all families together; when it runs
// out the sweep stops, so that a hostile boundary (thousands of edges crossing
// every one of a million lines, with dashes too sparse to fill the sink) cannot
// hold the caller for minutes.
void sweepFamily(const HatchPatternLine& line, const std::vector<std::vector<AcGePoint2d>>& polys,
                 std::size_t maxLines, SegmentSink& sink, std::size_t& workLeft)
{
  FamilyFrame f;
  if (!makeFrame(line, f)) {
    return;
  }
  double period = 0.0;
  if (!line.dashes.empty()) {
    period = dashPeriod(line.dashes);
    if (period == 0.0) {
      return;
    }
  }
  std::vector<ScanEdge> edges;
  for (const auto& poly : polys) {
    for (std::size_t i = 0; i < poly.size(); ++i) {
      const AcGePoint2d& p = poly[i];
      const AcGePoint2d& q = poly[(i + 1) % poly.size()];
      double a = across(f, p);
      double b = across(f, q);
      edges.push_back({p, q, std::min(a, b), std::max(a, b)});
    }
  }
  double low = edges.front().low;
  double high = edges.front().high;
  for (const auto& e : edges) {
    low = std::min(low, e.low);
    high = std::max(high, e.high);
  }
  double kFirst = std::ceil(low / f.spacing);
  double kLast = std::floor(high / f.spacing);
  double count = kLast - kFirst + 1.0;
  if (!(count >= 0.0) || count > static_cast<double>(maxLines) || !std::isfinite(kFirst)) {
    return; // too dense for the extents, or not computable
  }
  std::sort(edges.begin(), edges.end(),
            [](const ScanEdge& a, const ScanEdge& b) { return a.low < b.low; });
  // Edges join the active set a little early and leave it a little late: the
  // crossing test alone decides, from the same vertex coordinates for both edges
  // that share a vertex, so a line through a vertex is counted consistently even
  // where the extents computed above round the other way.
  const double margin = 1e-9 * std::max({std::fabs(low), std::fabs(high), high - low});
  std::vector<const ScanEdge*> active;
  std::vector<double> crossings;
  std::size_t next = 0;
  for (double i = 0.0; i < count && !sink.full(); i += 1.0) {
    double k = kFirst + i;
    double level = k * f.spacing;
    while (next < edges.size() && edges[next].low <= level + margin) {
      active.push_back(&edges[next++]);
    }
    active.erase(std::remove_if(active.begin(), active.end(),
                                [&](const ScanEdge* e) { return e->high < level - margin; }),
                 active.end());
    // The line's cost: its edge tests and the sort of their crossings.
    std::size_t cost =
        active.size() *
            (1 + static_cast<std::size_t>(std::log2(static_cast<double>(active.size()) + 1.0))) +
        1;
    if (cost >= workLeft) {
      workLeft = 0;
      return;
    }
    workLeft -= cost;
    AcGePoint2d origin(f.base.x + k * f.offset.x, f.base.y + k * f.offset.y);
    collectCrossings(f, origin, active, crossings);
    for (std::size_t c = 0; c + 1 < crossings.size() && !sink.full(); c += 2) {
      double t0 = crossings[c];
      double t1 = crossings[c + 1];
      if (period == 0.0) {
        if (t1 > t0) {
          sink.add(f, origin, t0, t1);
        }
      } else {
        layDashes(line.dashes, period, f, origin, t0, t1, sink);
      }
    }
  }
}

} // namespace

std::vector<HatchSegment> generateHatchLines(const std::vector<HatchPatternLine>& pattern,
                                             const std::vector<HatchLoop>& loops,
                                             std::size_t maxLines)
{
  std::vector<HatchSegment> out;
  std::vector<std::vector<AcGePoint2d>> polys;
  for (const auto& loop : loops) {
    auto poly = flattenHatchLoop(loop);
    if (!poly.empty()) {
      polys.push_back(std::move(poly));
    }
  }
  if (polys.empty() || maxLines == 0) {
    return out;
  }
  SegmentSink sink(out, maxLines);
  std::size_t workLeft =
      maxLines > SIZE_MAX / kWorkPerSegment ? SIZE_MAX : kWorkPerSegment * maxLines;
  for (const auto& line : pattern) {
    if (sink.full() || workLeft == 0) {
      break;
    }
    sweepFamily(line, polys, maxLines, sink, workLeft);
  }
  return out;
}
