// extremeVertexMask: which vertices of a tessellated arc can hold its extents, so that
// the measure pass places those few instead of every vertex and still measures the
// very same smallest and largest coordinates, bit for bit.
//
// An arc is tessellated into n segments: vertex k is at the angle start + step + ...
// (k repeated additions), k = 0 .. n. Its view coordinate i is, up to rounding,
//   v_i(theta) = constant_i + r * (cosCoef[i] * cos theta + sinCoef[i] * sin theta),
// largest where theta is atan2(sinCoef[i], cosCoef[i]) and smallest half a turn on.
// Of the vertices, only the two on either side of such a crossing within the sweep and
// the two ends can be extreme: any other vertex has a neighbour nearer the crossing
// whose coordinate is larger by at least r * |(cosCoef, sinCoef)| * 0.29 * step^2.
// Where rounding could exceed that margin (a tiny step, a huge offset against a small
// radius, angles far from 0, a damaged entity) no vertex is ruled out.
#pragma once

#include <cstdint>

// How an arc's vertices reach view coordinates: per view coordinate i (x, y, z).
struct ArcImage {
  double cosCoef[3]; // the view coordinate's gain per unit of r * cos theta
  double sinCoef[3]; // and per unit of r * sin theta
  double bound[3];   // the size of the largest term summed into the coordinate (rounding scale)
  bool constant[3];  // the coordinate is the very same double for every vertex
};

// Bit k (k = 0 .. n) set for each vertex that may hold a smallest or largest view
// coordinate; every bit 0 .. n set when that cannot be told for sure. n is at most 62.
uint64_t extremeVertexMask(const ArcImage& image, double radius, double start, double step, int n);
