// polarPoint: the point at `distance` from `base` in direction `angle` (radians,
// counter-clockwise from the x axis) in the XY plane; z is kept. The host's acutPolar does the
// work.
#pragma once

#include "arx/ge/AcGePoint3d.h"

AcGePoint3d polarPoint(const AcGePoint3d& base, double angle, double distance);
