// Hatch pattern lines: the segments a hatch draws, made from its pattern
// definition and clipped to its boundary loops. Portable (no Windows header).
//   HatchPatternLine  one line family of a pattern, as a hatch entity stores it
//   HatchEdge         one edge of an edge-defined boundary loop
//   HatchLoop         one boundary loop (a polyline, or a chain of edges)
//   HatchSegment      one drawn dash
//   generateHatchLines  the segments of a pattern inside the loops (even-odd rule)
#pragma once

#include "arx/ge/AcGePoint3d.h"

#include <cstddef>
#include <vector>

// One line family. The values are those the hatch entity stores: already rotated
// and scaled by the hatch's pattern angle and scale, in the hatch's plane.
struct HatchPatternLine {
  double angle = 0.0;         // direction of the lines, radians
  AcGePoint2d base;           // a point on the first line
  AcGeVector2d offset;        // from one line of the family to the next
  std::vector<double> dashes; // dash lengths: > 0 drawn, < 0 gap, 0 a dot; empty: continuous
};

struct HatchEdge {
  enum Kind { kLine = 1, kCircularArc = 2, kEllipticArc = 3, kSpline = 4 };
  Kind kind = kLine;
  // kLine: start, end.
  AcGePoint2d start;
  AcGePoint2d end;
  // kCircularArc: center, radius, angles (radians), counter-clockwise flag.
  // kEllipticArc: center, majorAxis (end point of the major axis, relative to the
  // centre), ratio (minor / major), angles are parameters (radians), flag as above.
  AcGePoint2d center;
  double radius = 0.0;
  AcGeVector2d majorAxis;
  double ratio = 1.0;
  double startAngle = 0.0;
  double endAngle = 0.0;
  bool counterClockwise = true;
  // kSpline: degree, knots, control points, weights (empty: all 1), fit points.
  int degree = 3;
  std::vector<double> knots;
  std::vector<AcGePoint2d> controlPoints;
  std::vector<double> weights;
  std::vector<AcGePoint2d> fitPoints;
};

struct HatchLoop {
  bool isPolyline = false;           // true: vertices/bulges; false: edges
  std::vector<AcGePoint2d> vertices; // polyline loop vertices
  std::vector<double> bulges;        // one per vertex (may be empty: all 0)
  bool closed = true;                // polyline loops are closed in practice
  std::vector<HatchEdge> edges;      // edge loop
};

struct HatchSegment {
  AcGePoint2d start;
  AcGePoint2d end;
};

// The drawn dashes of every line family inside the loops (even-odd rule over all
// loops), in the order family by family, line by line, dash by dash. Stops after
// `maxLines` segments. Curved edges are flattened finely enough that the clip is
// within 1e-3 of the edge's size. Never fails: degenerate input gives no segments;
// the work is bounded even for a pattern whose lines are very dense in the loops'
// extents (it gives up on a family that would need more than `maxLines` lines)
// and for a hostile boundary (it stops after about 16 * `maxLines` edge tests).
std::vector<HatchSegment> generateHatchLines(const std::vector<HatchPatternLine>& pattern,
                                             const std::vector<HatchLoop>& loops,
                                             std::size_t maxLines = 1000000);
