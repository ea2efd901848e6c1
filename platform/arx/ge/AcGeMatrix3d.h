// AcGeMatrix3d: a 4 x 4 transform of doubles acting on column vectors
// (p' = M p, translation in the last column), as the host's geometry library has it.
#pragma once

#include "arx/ge/AcGePoint3d.h"
#include "arx/ge/AcGeScale3d.h"
#include "arx/ge/AcGeVector3d.h"

class AcGeMatrix3d {
public:
  AcGeMatrix3d(); // identity

  static const AcGeMatrix3d kIdentity;

  AcGeMatrix3d& setToIdentity();
  AcGeMatrix3d& setToTranslation(const AcGeVector3d& v);
  // Rotation by `angle` radians about the axis through `center`, right-handed.
  AcGeMatrix3d& setToRotation(double angle, const AcGeVector3d& axis,
                              const AcGePoint3d& center = AcGePoint3d::kOrigin);
  AcGeMatrix3d& setToScaling(double factor, const AcGePoint3d& center = AcGePoint3d::kOrigin);
  AcGeMatrix3d& setToScaling(const AcGeScale3d& scale,
                             const AcGePoint3d& center = AcGePoint3d::kOrigin);
  // The map from a coordinate system (origin and three axes) to world coordinates.
  AcGeMatrix3d& setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                               const AcGeVector3d& yAxis, const AcGeVector3d& zAxis);

  static AcGeMatrix3d translation(const AcGeVector3d& v);
  static AcGeMatrix3d rotation(double angle, const AcGeVector3d& axis,
                               const AcGePoint3d& center = AcGePoint3d::kOrigin);
  static AcGeMatrix3d scaling(const AcGeScale3d& scale,
                              const AcGePoint3d& center = AcGePoint3d::kOrigin);
  // The map from the object coordinate system of `normal` (arbitrary-axis algorithm) to world.
  static AcGeMatrix3d planeToWorld(const AcGeVector3d& normal);
  // The map from world to the object coordinate system of `normal`: planeToWorld's inverse.
  static AcGeMatrix3d worldToPlane(const AcGeVector3d& normal);

  AcGeMatrix3d operator*(const AcGeMatrix3d& m) const; // this after m: (this * m) p = this (m p)
  AcGeMatrix3d& preMultBy(const AcGeMatrix3d& left);   // this = left * this
  AcGeMatrix3d& postMultBy(const AcGeMatrix3d& right); // this = this * right
  double det() const;
  // The inverse; a singular matrix gives the identity and `ok` false.
  AcGeMatrix3d inverse(bool* ok = nullptr) const;
  bool isEqualTo(const AcGeMatrix3d& m, double tol = 1e-10) const;
  bool operator==(const AcGeMatrix3d& m) const;
  bool operator!=(const AcGeMatrix3d& m) const { return !(*this == m); }
  double operator()(int row, int column) const { return entry[row][column]; }
  double& operator()(int row, int column) { return entry[row][column]; }

  double entry[4][4];
};

// The host's arbitrary-axis algorithm: the x axis of the object coordinate
// system of a plane with this normal (the normal is unitised first).
AcGeVector3d arbitraryXAxis(const AcGeVector3d& normal);
