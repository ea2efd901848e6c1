// Hatch boundary flattening: a boundary loop as a closed polygon.
//   flattenHatchLoop  the polygon of one loop (bulge arcs, arcs, ellipses, splines
//                     replaced by chords)
#pragma once

#include "arx/hatch/HatchPattern.h"

#include <vector>

// The vertices of the closed polygon that follows `loop`; the closing edge from
// the last vertex back to the first is implied. Curves are cut into chords whose
// distance from the curve is at most 1e-3 of the curve's radius (or size).
//
// Edge arcs follow the host's storage: with the counter-clockwise flag clear, the
// stored angles are measured clockwise, so the arc runs clockwise from angle
// -start to angle -end. A spline is evaluated from its knots, control points and
// weights; one without a usable definition follows its fit points (or, failing
// those, its control points).
//
// Returns an empty polygon for a loop that has fewer than three vertices or any
// coordinate that is not finite or beyond +-1e15 (where a double no longer
// resolves the patterns' spacings).
std::vector<AcGePoint2d> flattenHatchLoop(const HatchLoop& loop);
