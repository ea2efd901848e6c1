// AcGeScale3d: three scale factors, as a block reference holds them.
#pragma once

class AcGeScale3d {
public:
  AcGeScale3d() = default;
  explicit AcGeScale3d(double s) : sx(s), sy(s), sz(s) {}
  AcGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}

  double operator[](int i) const { return i == 0 ? sx : i == 1 ? sy : sz; }

  double sx = 1.0;
  double sy = 1.0;
  double sz = 1.0;
};
