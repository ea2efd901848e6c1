#include "arx/db/StoredEllipse.h"

#include <cmath>

namespace {
const double kTwoPi = 6.283185307179586;
const double kHalfPi = 1.5707963267948966;
} // namespace

AcDbEllipse* makeStoredEllipse(const AcGePoint3d& center, const AcGeVector3d& normal,
                               const AcGeVector3d& majorAxis, double ratio, double startParam,
                               double endParam)
{
  AcGeVector3d axis = majorAxis;
  if (ratio > 1.0 && std::isfinite(ratio)) {
    AcGeVector3d n = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
    axis = n.crossProduct(majorAxis) * ratio;
    ratio = 1.0 / ratio;
    startParam -= kHalfPi;
    endParam -= kHalfPi;
    if (startParam < 0.0) {
      startParam += kTwoPi;
      endParam += kTwoPi;
    }
  }
  AcDbEllipse* e = new AcDbEllipse;
  if (e->set(center, normal, axis, ratio, startParam, endParam) != Acad::eOk)
    e->set(center, normal, AcGeVector3d::kXAxis * 1e-12, 1.0); // degenerate: a point
  return e;
}
