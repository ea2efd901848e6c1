// AcGePoint3d: a point in 3D (three doubles), as the host's geometry library has it.
#pragma once

#include "arx/ge/AcGeVector3d.h"

class AcGeMatrix3d;

class AcGePoint3d {
public:
  AcGePoint3d() = default;
  AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

  static const AcGePoint3d kOrigin;

  // Applies the full 4 x 4 transform (homogeneous, with translation).
  AcGePoint3d& transformBy(const AcGeMatrix3d& m);
  // Scales about `base`: base + (this - base) * factor.
  AcGePoint3d& scaleBy(double factor, const AcGePoint3d& base = AcGePoint3d::kOrigin);
  double distanceTo(const AcGePoint3d& p) const;
  AcGeVector3d asVector() const { return {x, y, z}; }

  AcGePoint3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
  AcGePoint3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
  AcGeVector3d operator-(const AcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
  AcGePoint3d& operator+=(const AcGeVector3d& v) { return *this = *this + v; }
  bool operator==(const AcGePoint3d& p) const { return x == p.x && y == p.y && z == p.z; }
  bool operator!=(const AcGePoint3d& p) const { return !(*this == p); }
  bool isEqualTo(const AcGePoint3d& p, double tol = 1e-10) const { return distanceTo(p) <= tol; }

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

// The host's 2D point: hatch pattern lines, lightweight polyline vertices.
class AcGePoint2d {
public:
  AcGePoint2d() = default;
  AcGePoint2d(double xx, double yy) : x(xx), y(yy) {}
  bool operator==(const AcGePoint2d& p) const { return x == p.x && y == p.y; }
  bool operator!=(const AcGePoint2d& p) const { return !(*this == p); }

  double x = 0.0;
  double y = 0.0;
};

class AcGeVector2d {
public:
  AcGeVector2d() = default;
  AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}

  double x = 0.0;
  double y = 0.0;
};
