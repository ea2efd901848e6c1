// AcDbObjectPool: the memory of database objects: blocks of a few sizes (multiples
// of 16 bytes up to 512) cut from 64 KB chunks and kept on free lists for reuse;
// larger objects go to the heap. Single-threaded, as the host's database is.
#pragma once

#include <cstddef>

void* acdbPoolAllocate(std::size_t size);
void acdbPoolFree(void* block, std::size_t size);

// A standard allocator over the pool, for the arrays that entities own (vertices,
// control points): most are small, and one heap allocation each is slow.
template <class T> struct AcDbPoolAllocator {
  typedef T value_type;
  AcDbPoolAllocator() = default;
  template <class U> AcDbPoolAllocator(const AcDbPoolAllocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(acdbPoolAllocate(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) { acdbPoolFree(p, n * sizeof(T)); }
  template <class U> bool operator==(const AcDbPoolAllocator<U>&) const { return true; }
  template <class U> bool operator!=(const AcDbPoolAllocator<U>&) const { return false; }
};
