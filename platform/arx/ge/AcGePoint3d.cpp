#include "arx/ge/AcGePoint3d.h"

#include "arx/ge/AcGeMatrix3d.h"

#include <cmath>

const AcGePoint3d AcGePoint3d::kOrigin(0.0, 0.0, 0.0);

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& m)
{
  const auto& e = m.entry;
  double rx = e[0][0] * x + e[0][1] * y + e[0][2] * z + e[0][3];
  double ry = e[1][0] * x + e[1][1] * y + e[1][2] * z + e[1][3];
  double rz = e[2][0] * x + e[2][1] * y + e[2][2] * z + e[2][3];
  double w = e[3][0] * x + e[3][1] * y + e[3][2] * z + e[3][3];
  if (w != 1.0 && w != 0.0) {
    rx /= w;
    ry /= w;
    rz /= w;
  }
  x = rx;
  y = ry;
  z = rz;
  return *this;
}

AcGePoint3d& AcGePoint3d::scaleBy(double factor, const AcGePoint3d& base)
{
  x = base.x + (x - base.x) * factor;
  y = base.y + (y - base.y) * factor;
  z = base.z + (z - base.z) * factor;
  return *this;
}

double AcGePoint3d::distanceTo(const AcGePoint3d& p) const
{
  double dx = x - p.x, dy = y - p.y, dz = z - p.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}
