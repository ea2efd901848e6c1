// AcGeVector3d: a vector in 3D, as the host's geometry library has it.
#pragma once

class AcGeMatrix3d;

class AcGeVector3d {
public:
  AcGeVector3d() = default;
  AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

  static const AcGeVector3d kIdentity; // (0, 0, 0)
  static const AcGeVector3d kXAxis;
  static const AcGeVector3d kYAxis;
  static const AcGeVector3d kZAxis;

  double length() const;
  bool isZeroLength(double tol = 1e-10) const { return length() <= tol; }
  // The unit vector of this one; a zero vector stays zero.
  AcGeVector3d normal() const;
  AcGeVector3d& normalize() { return *this = normal(); }
  double dotProduct(const AcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
  AcGeVector3d crossProduct(const AcGeVector3d& v) const;
  AcGeVector3d& transformBy(const AcGeMatrix3d& m); // rotation and scale, no translation

  AcGeVector3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
  AcGeVector3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
  AcGeVector3d operator-() const { return {-x, -y, -z}; }
  AcGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
  AcGeVector3d operator/(double s) const { return {x / s, y / s, z / s}; }
  bool operator==(const AcGeVector3d& v) const { return x == v.x && y == v.y && z == v.z; }
  bool operator!=(const AcGeVector3d& v) const { return !(*this == v); }

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};
