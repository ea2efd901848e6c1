#include "quillmark/render/PointBuffer.h"

#include <new>

PointBuffer::~PointBuffer()
{
  delete[] data;
}

PointBuffer& PointBuffer::setCapacity(int n)
{
  if (n < 0 || n == capacity) {
    return *this;
  }
  if (n == 0) {
    delete[] data;
    data = nullptr;
    capacity = 0;
  } else {
    // new[] default-constructs every point: the unused tail holds the origin.
    AcGePoint3d* fresh = new (std::nothrow) AcGePoint3d[n];
    if (fresh == nullptr) {
      return *this;
    }
    int keep = count < n ? count : n;
    for (int i = 0; i < keep; ++i) {
      fresh[i] = data[i];
    }
    delete[] data;
    data = fresh;
    capacity = n;
  }
  if (capacity < count) {
    count = capacity;
  }
  return *this;
}

PointBuffer& PointBuffer::insertAt(int index, const AcGePoint3d& p)
{
  if (index < 0 || index > count) {
    return *this;
  }
  // Copy first: p may be an element of this buffer, and growing moves the storage.
  AcGePoint3d copy = p;
  if (count >= capacity) {
    setCapacity(count + growBy);
    if (count >= capacity) {
      return *this; // no storage: the buffer stays as it was
    }
  }
  for (int i = count; i > index; --i) {
    data[i] = data[i - 1];
  }
  data[index] = copy;
  ++count;
  return *this;
}
