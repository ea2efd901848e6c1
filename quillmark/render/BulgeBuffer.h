// BulgeBuffer: a growable array of the bulges of a lightweight polyline, one per
// vertex; the same fields and growth rule as PointBuffer, elements not constructed.
#pragma once

class BulgeBuffer {
public:
  BulgeBuffer() = default;
  ~BulgeBuffer();
  BulgeBuffer(const BulgeBuffer&) = delete;
  BulgeBuffer& operator=(const BulgeBuffer&) = delete;

  BulgeBuffer& setCapacity(int n);
  BulgeBuffer& insertAt(int index, const double& b);
  BulgeBuffer& append(const double& b)
  {
    if (count < capacity) {
      data[count++] = b;
      return *this;
    }
    return insertAt(count, b);
  }
  void clear() { count = 0; }
  double at(int index) const { return data[index]; }

  double* data = nullptr; // storage of `capacity` bulges; null when capacity is 0
  int capacity = 0;       // bulges allocated
  int count = 0;          // bulges in use
  int growBy = 8;         // growth step
};
