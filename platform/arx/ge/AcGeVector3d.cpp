#include "arx/ge/AcGeVector3d.h"

#include "arx/ge/AcGeMatrix3d.h"

#include <cmath>

const AcGeVector3d AcGeVector3d::kIdentity(0.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kXAxis(1.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kYAxis(0.0, 1.0, 0.0);
const AcGeVector3d AcGeVector3d::kZAxis(0.0, 0.0, 1.0);

double AcGeVector3d::length() const
{
  return std::sqrt(x * x + y * y + z * z);
}

AcGeVector3d AcGeVector3d::normal() const
{
  double len = length();
  return len > 0.0 ? AcGeVector3d(x / len, y / len, z / len) : AcGeVector3d();
}

AcGeVector3d AcGeVector3d::crossProduct(const AcGeVector3d& v) const
{
  return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
}

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& m)
{
  AcGeVector3d r(m.entry[0][0] * x + m.entry[0][1] * y + m.entry[0][2] * z,
                 m.entry[1][0] * x + m.entry[1][1] * y + m.entry[1][2] * z,
                 m.entry[2][0] * x + m.entry[2][1] * y + m.entry[2][2] * z);
  return *this = r;
}
