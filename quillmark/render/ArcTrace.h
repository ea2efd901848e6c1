// ArcTrace: a tessellated arc as the draw pass follows it by rotation instead of a
// sine and a cosine per vertex. Vertex k (k = 0 .. n) of the arc is, exactly,
// polarPoint(center, angle_k, radius) with angle_0 = start and angle_k + step giving
// angle_k+1. The trace holds the direction of vertex 0 and the rotation from a vertex to
// the next, both up to rounding, and a bound on how far the angle that rotation reaches
// can be from the exact angle_k, for every k: with it the view tells which vertices
// land on the same logical point either way and places only the others exactly
// (CBlockView::traceArc).
#pragma once

#include "arx/ge/AcGePoint3d.h"

struct ArcTrace {
  AcGePoint3d center; // the exact vertices' centre
  double radius;      // and radius
  int n;              // the last vertex
  double cos0, sin0;  // direction of vertex 0, up to rounding
  double cosStep;     // the rotation from one vertex to the next, up to rounding
  double sinStep;
  // Bound in radians on the difference between the rotation's angle of any vertex and
  // its exact angle; infinite when the rotation cannot follow the arc (every vertex is
  // then placed the exact way).
  double angleError;
  bool anglesKnown;   // start and step hold the exact angles
  double start, step; // the exact angle_0 and step, when known
  // Otherwise the bulge arc they come from (bulgeArcSteps gives them when wanted).
  AcGePoint3d p1, p2;
  double bulge;
};

// The arc about `center` from `start` in `n` steps of `step`.
ArcTrace circularArcTrace(const AcGePoint3d& center, double radius, double start, double step,
                          int n);

// The arc from p1 to p2 that `bulge` (not 0) describes, in `segments` steps, as
// bulgeArcSteps tessellates it; its angles are not computed here.
ArcTrace bulgeArcTrace(const AcGePoint3d& p1, const AcGePoint3d& p2, double bulge, int segments);

// Vertices a rotation table holds at most, after the first.
const int kMostTracedSteps = 64;

// The directions of vertices 0 .. n of an arc whose first vertex points along the x axis,
// turned step by step by (cosStep, sinStep): cos and sin of vertex k at [2k] and [2k + 1].
// Null for n beyond kMostTracedSteps (or below 0). The last few tables are kept, as the
// circles of a drawing share one step and its bulges a few (UI thread only); the answer
// stays valid until the next call.
const double* rotationTable(double cosStep, double sinStep, int n);
