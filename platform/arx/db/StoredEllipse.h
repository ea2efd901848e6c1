// StoredEllipse: an ellipse as a drawing file stores it, made into an AcDbEllipse.
// Some writers store an axis ratio above 1: the "major" axis they give is then
// the minor one. Such an ellipse is read as the same curve: the longer axis,
// ratio * (normal x given axis), becomes the major axis, the ratio its inverse,
// and the parameters move back a quarter turn (the point at parameter t of the
// stored form is the point at t - pi/2 of the read one), the start taken into
// [0, 2 pi). An ellipse that cannot be made (a zero axis, a ratio not above 0,
// values that are not finite) is a point at its centre, as before.
#pragma once

#include "arx/db/AcDbEllipse.h"

AcDbEllipse* makeStoredEllipse(const AcGePoint3d& center, const AcGeVector3d& normal,
                               const AcGeVector3d& majorAxis, double ratio, double startParam,
                               double endParam);
