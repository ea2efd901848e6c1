// PointBuffer: a growable array of model points, a local of one drawer call.
//   setCapacity  reallocate to exactly n points (count truncated when it shrinks)
//   insertAt     insert a copy of a point before an index; appends are insertAt(count, p)
//   pointAt      a copy of one element
// Storage grows linearly, growBy (8) points at a time. When storage cannot be
// allocated the buffer stays as it was, so a drawer draws what it has.
#pragma once

#include "arx/ge/AcGePoint3d.h"

class PointBuffer {
public:
  PointBuffer() = default;
  ~PointBuffer();
  PointBuffer(const PointBuffer&) = delete;
  PointBuffer& operator=(const PointBuffer&) = delete;

  PointBuffer& setCapacity(int n);
  PointBuffer& insertAt(int index, const AcGePoint3d& p);
  PointBuffer& append(const AcGePoint3d& p)
  {
    if (count < capacity) { // the common case, kept inline
      data[count++] = p;
      return *this;
    }
    return insertAt(count, p);
  }
  // Empties the buffer and keeps its storage, for a buffer reused call after call.
  void clear() { count = 0; }
  AcGePoint3d pointAt(int index) const { return data[index]; }

  AcGePoint3d* data = nullptr; // storage of `capacity` points; null when capacity is 0
  int capacity = 0;            // points allocated
  int count = 0;               // points in use: 0 .. count - 1
  int growBy = 8;              // growth step
};
