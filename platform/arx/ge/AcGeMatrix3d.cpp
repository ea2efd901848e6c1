#include "arx/ge/AcGeMatrix3d.h"

#include <cmath>
#include <cstring>
#include <utility>

const AcGeMatrix3d AcGeMatrix3d::kIdentity;

AcGeMatrix3d::AcGeMatrix3d()
{
  setToIdentity();
}

AcGeMatrix3d& AcGeMatrix3d::setToIdentity()
{
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      entry[r][c] = r == c ? 1.0 : 0.0;
  return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& v)
{
  setToIdentity();
  entry[0][3] = v.x;
  entry[1][3] = v.y;
  entry[2][3] = v.z;
  return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis,
                                          const AcGePoint3d& center)
{
  AcGeVector3d u = axis.normal();
  double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
  setToIdentity();
  entry[0][0] = t * u.x * u.x + c;
  entry[0][1] = t * u.x * u.y - s * u.z;
  entry[0][2] = t * u.x * u.z + s * u.y;
  entry[1][0] = t * u.x * u.y + s * u.z;
  entry[1][1] = t * u.y * u.y + c;
  entry[1][2] = t * u.y * u.z - s * u.x;
  entry[2][0] = t * u.x * u.z - s * u.y;
  entry[2][1] = t * u.y * u.z + s * u.x;
  entry[2][2] = t * u.z * u.z + c;
  // Rotate about `center`: translation = center - R center.
  for (int r = 0; r < 3; ++r) {
    double rc = entry[r][0] * center.x + entry[r][1] * center.y + entry[r][2] * center.z;
    entry[r][3] = (r == 0 ? center.x : r == 1 ? center.y : center.z) - rc;
  }
  return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double factor, const AcGePoint3d& center)
{
  return setToScaling(AcGeScale3d(factor), center);
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(const AcGeScale3d& scale, const AcGePoint3d& center)
{
  setToIdentity();
  entry[0][0] = scale.sx;
  entry[1][1] = scale.sy;
  entry[2][2] = scale.sz;
  entry[0][3] = center.x - scale.sx * center.x;
  entry[1][3] = center.y - scale.sy * center.y;
  entry[2][3] = center.z - scale.sz * center.z;
  return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                           const AcGeVector3d& yAxis, const AcGeVector3d& zAxis)
{
  setToIdentity();
  const AcGeVector3d* axes[3] = {&xAxis, &yAxis, &zAxis};
  for (int c = 0; c < 3; ++c) {
    entry[0][c] = axes[c]->x;
    entry[1][c] = axes[c]->y;
    entry[2][c] = axes[c]->z;
  }
  entry[0][3] = origin.x;
  entry[1][3] = origin.y;
  entry[2][3] = origin.z;
  return *this;
}

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& v)
{
  return AcGeMatrix3d().setToTranslation(v);
}

AcGeMatrix3d AcGeMatrix3d::rotation(double angle, const AcGeVector3d& axis,
                                    const AcGePoint3d& center)
{
  return AcGeMatrix3d().setToRotation(angle, axis, center);
}

AcGeMatrix3d AcGeMatrix3d::scaling(const AcGeScale3d& scale, const AcGePoint3d& center)
{
  return AcGeMatrix3d().setToScaling(scale, center);
}

AcGeVector3d arbitraryXAxis(const AcGeVector3d& normal)
{
  AcGeVector3d n = normal.normal();
  if (n.isZeroLength())
    return AcGeVector3d::kXAxis;
  // The host's rule: when the normal is near the world z axis, Ax = Wy x N, else Wz x N.
  const double limit = 1.0 / 64.0;
  AcGeVector3d ax = (std::fabs(n.x) < limit && std::fabs(n.y) < limit)
                        ? AcGeVector3d::kYAxis.crossProduct(n)
                        : AcGeVector3d::kZAxis.crossProduct(n);
  return ax.normal();
}

AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal)
{
  AcGeVector3d n = normal.normal();
  if (n.isZeroLength())
    return AcGeMatrix3d();
  AcGeVector3d ax = arbitraryXAxis(n);
  AcGeVector3d ay = n.crossProduct(ax).normal();
  return AcGeMatrix3d().setCoordSystem(AcGePoint3d::kOrigin, ax, ay, n);
}

AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal)
{
  // The axes are orthonormal: the inverse is the transpose.
  AcGeMatrix3d toWorld = planeToWorld(normal);
  AcGeMatrix3d m;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      m.entry[i][j] = toWorld.entry[j][i];
  return m;
}

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& m) const
{
  AcGeMatrix3d r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k)
        sum += entry[i][k] * m.entry[k][j];
      r.entry[i][j] = sum;
    }
  return r;
}

AcGeMatrix3d& AcGeMatrix3d::preMultBy(const AcGeMatrix3d& left)
{
  return *this = left * *this;
}

AcGeMatrix3d& AcGeMatrix3d::postMultBy(const AcGeMatrix3d& right)
{
  return *this = *this * right;
}

double AcGeMatrix3d::det() const
{
  // Gaussian elimination with partial pivoting.
  double a[4][4];
  std::memcpy(a, entry, sizeof a);
  double d = 1.0;
  for (int c = 0; c < 4; ++c) {
    int p = c;
    for (int r = c + 1; r < 4; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[p][c]))
        p = r;
    if (a[p][c] == 0.0)
      return 0.0;
    if (p != c) {
      std::swap(a[p], a[c]);
      d = -d;
    }
    d *= a[c][c];
    for (int r = c + 1; r < 4; ++r) {
      double f = a[r][c] / a[c][c];
      for (int k = c; k < 4; ++k)
        a[r][k] -= f * a[c][k];
    }
  }
  return d;
}

AcGeMatrix3d AcGeMatrix3d::inverse(bool* ok) const
{
  double a[4][8];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 8; ++c)
      a[r][c] = c < 4 ? entry[r][c] : (c - 4 == r ? 1.0 : 0.0);
  for (int c = 0; c < 4; ++c) {
    int p = c;
    for (int r = c + 1; r < 4; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[p][c]))
        p = r;
    if (std::fabs(a[p][c]) < 1e-300) {
      if (ok)
        *ok = false;
      return AcGeMatrix3d();
    }
    if (p != c)
      for (int k = 0; k < 8; ++k)
        std::swap(a[p][k], a[c][k]);
    double pivot = a[c][c];
    for (int k = 0; k < 8; ++k)
      a[c][k] /= pivot;
    for (int r = 0; r < 4; ++r) {
      if (r == c)
        continue;
      double f = a[r][c];
      for (int k = 0; k < 8; ++k)
        a[r][k] -= f * a[c][k];
    }
  }
  AcGeMatrix3d inv;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      inv.entry[r][c] = a[r][c + 4];
  if (ok)
    *ok = true;
  return inv;
}

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& m, double tol) const
{
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (std::fabs(entry[r][c] - m.entry[r][c]) > tol)
        return false;
  return true;
}

bool AcGeMatrix3d::operator==(const AcGeMatrix3d& m) const
{
  return std::memcmp(entry, m.entry, sizeof entry) == 0;
}
