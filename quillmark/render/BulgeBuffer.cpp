#include "quillmark/render/BulgeBuffer.h"

#include <cstdlib>

BulgeBuffer::~BulgeBuffer()
{
  std::free(data);
}

BulgeBuffer& BulgeBuffer::setCapacity(int n)
{
  if (n < 0 || n == capacity) {
    return *this;
  }
  if (n == 0) {
    std::free(data);
    data = nullptr;
    capacity = 0;
  } else {
    // Raw storage: the elements beyond count are not constructed.
    double* fresh = static_cast<double*>(std::malloc(sizeof(double) * static_cast<size_t>(n)));
    if (fresh == nullptr) {
      return *this;
    }
    int keep = count < n ? count : n;
    for (int i = 0; i < keep; ++i) {
      fresh[i] = data[i];
    }
    std::free(data);
    data = fresh;
    capacity = n;
  }
  if (capacity < count) {
    count = capacity;
  }
  return *this;
}

BulgeBuffer& BulgeBuffer::insertAt(int index, const double& b)
{
  if (index < 0 || index > count) {
    return *this;
  }
  double copy = b; // b may be an element of this buffer
  if (count >= capacity) {
    setCapacity(count + growBy);
    if (count >= capacity) {
      return *this;
    }
  }
  for (int i = count; i > index; --i) {
    data[i] = data[i - 1];
  }
  data[index] = copy;
  ++count;
  return *this;
}
