// AcGePoint3dArray: the host's growable array of points (storage, physical length,
// logical length, growth step), as its vertex queries fill it.
#pragma once

#include "arx/ge/AcGePoint3d.h"

class AcGePoint3dArray {
public:
  explicit AcGePoint3dArray(int physicalLength = 0, int growLength = 8);
  AcGePoint3dArray(const AcGePoint3dArray& other);
  AcGePoint3dArray& operator=(const AcGePoint3dArray& other);
  ~AcGePoint3dArray();

  int length() const { return mLogicalLen; }
  int logicalLength() const { return mLogicalLen; }
  int physicalLength() const { return mPhysicalLen; }
  int growLength() const { return mGrowLen; }
  bool isEmpty() const { return mLogicalLen == 0; }
  const AcGePoint3d* asArrayPtr() const { return mpArray; }

  const AcGePoint3d& at(int i) const { return mpArray[i]; }
  AcGePoint3d& at(int i) { return mpArray[i]; }
  const AcGePoint3d& operator[](int i) const { return mpArray[i]; }
  AcGePoint3d& operator[](int i) { return mpArray[i]; }

  // Appends a copy of `p` (which may be an element of this array); returns its index.
  int append(const AcGePoint3d& p);
  AcGePoint3dArray& removeAll()
  {
    mLogicalLen = 0;
    return *this;
  }
  AcGePoint3dArray& setPhysicalLength(int n);

private:
  AcGePoint3d* mpArray; // storage of mPhysicalLen points
  int mPhysicalLen;     // points allocated
  int mLogicalLen;      // points in use
  int mGrowLen;         // growth step
};
