#include "arx/ge/AcGePoint3dArray.h"

AcGePoint3dArray::AcGePoint3dArray(int physicalLength, int growLength)
    : mpArray(nullptr), mPhysicalLen(0), mLogicalLen(0), mGrowLen(growLength > 0 ? growLength : 8)
{
  setPhysicalLength(physicalLength);
}

AcGePoint3dArray::AcGePoint3dArray(const AcGePoint3dArray& other)
    : mpArray(nullptr), mPhysicalLen(0), mLogicalLen(0), mGrowLen(other.mGrowLen)
{
  *this = other;
}

AcGePoint3dArray& AcGePoint3dArray::operator=(const AcGePoint3dArray& other)
{
  if (this == &other)
    return *this;
  mLogicalLen = 0;
  setPhysicalLength(other.mLogicalLen);
  for (int i = 0; i < other.mLogicalLen; ++i)
    mpArray[i] = other.mpArray[i];
  mLogicalLen = other.mLogicalLen;
  return *this;
}

AcGePoint3dArray::~AcGePoint3dArray()
{
  delete[] mpArray;
}

AcGePoint3dArray& AcGePoint3dArray::setPhysicalLength(int n)
{
  if (n < 0 || n == mPhysicalLen)
    return *this;
  AcGePoint3d* fresh = n > 0 ? new AcGePoint3d[n] : nullptr;
  int keep = mLogicalLen < n ? mLogicalLen : n;
  for (int i = 0; i < keep; ++i)
    fresh[i] = mpArray[i];
  delete[] mpArray;
  mpArray = fresh;
  mPhysicalLen = n;
  mLogicalLen = keep;
  return *this;
}

int AcGePoint3dArray::append(const AcGePoint3d& p)
{
  const AcGePoint3d copy = p; // `p` may live in the storage about to move
  if (mLogicalLen >= mPhysicalLen)
    setPhysicalLength(mPhysicalLen + mGrowLen);
  mpArray[mLogicalLen] = copy;
  return mLogicalLen++;
}
