// appendBulgeArc: the points of the arc that a polyline bulge describes between
// two vertices. A bulge is the tangent of a quarter of the included angle:
// positive runs counter-clockwise from p1 to p2, negative clockwise.
#pragma once

#include "arx/ge/AcGePoint3d.h"

class PointBuffer;

// The circle the arc lies on.
struct BulgeCircle {
  AcGePoint3d center; // takes p1's z
  double radius;      // acutDistance from p1 to the centre
};

// The arc's tessellation: point j (j = 0 .. segments) is polarPoint(center, angle,
// radius), the angle starting at `start` and growing by `step` after each point.
struct BulgeArcSteps {
  AcGePoint3d center; // takes p1's z
  double radius;
  double start;
  double step;
};

// The circle of the arc from p1 to p2 that `bulge` (not 0) describes.
BulgeCircle bulgeCircle(AcGePoint3d p1, AcGePoint3d p2, double bulge);

// The steps of the arc from p1 to p2 that `bulge` (not 0) describes, in `segments` steps:
// the centre and radius of bulgeCircle, the start and the step from acutAngle.
BulgeArcSteps bulgeArcSteps(AcGePoint3d p1, AcGePoint3d p2, double bulge, int segments);

// Appends `segments` + 1 points, the first at p1 and the last at p2 (up to
// rounding). `bulge` is not 0. The centre takes p1's z, so the arc lies in the
// plane of the polyline at its elevation.
void appendBulgeArc(PointBuffer& out, AcGePoint3d p1, AcGePoint3d p2, double bulge, int segments);
