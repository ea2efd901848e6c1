#include "arx/db/AcDbObjectPool.h"

#include "arx/db/AcDbObject.h"

#include <new>

// Under AddressSanitizer every object gets its own heap block, so that a use after
// close-and-delete is caught rather than hidden by reuse.
#if defined(__SANITIZE_ADDRESS__)
#define ACDB_POOL_OFF 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ACDB_POOL_OFF 1
#endif
#endif
#ifndef ACDB_POOL_OFF
#define ACDB_POOL_OFF 0
#endif

namespace {
const std::size_t kGranule = 16;      // block sizes are multiples of this
const std::size_t kLargest = 512;     // larger objects go to the heap
const std::size_t kChunk = 64 * 1024; // bytes taken from the heap at a time

struct FreeBlock {
  FreeBlock* next;
};

struct Pool {
  FreeBlock* freeLists[kLargest / kGranule] = {}; // by size class
  char* chunk = nullptr;                          // the chunk being cut
  std::size_t left = 0;                           // bytes not yet cut from it
};

Pool& pool()
{
  static Pool* p = new Pool; // never destroyed: objects may outlive static destruction
  return *p;
}
} // namespace

void* acdbPoolAllocate(std::size_t size)
{
  if (ACDB_POOL_OFF || size == 0 || size > kLargest)
    return ::operator new(size);
  const std::size_t rounded = (size + kGranule - 1) / kGranule * kGranule;
  Pool& p = pool();
  FreeBlock*& head = p.freeLists[rounded / kGranule - 1];
  if (head != nullptr) {
    FreeBlock* block = head;
    head = block->next;
    // The blocks of a database just deleted are cold: the next one is fetched
    // while this one is filled.
    __builtin_prefetch(head, 1);
    return block;
  }
  if (p.left < rounded) {
    // The rest of the old chunk (less than one block of this size) is given up.
    p.chunk = static_cast<char*>(::operator new(kChunk));
    p.left = kChunk;
  }
  void* block = p.chunk;
  p.chunk += rounded;
  p.left -= rounded;
  return block;
}

void acdbPoolFree(void* block, std::size_t size)
{
  if (block == nullptr)
    return;
  if (ACDB_POOL_OFF || size == 0 || size > kLargest) {
    ::operator delete(block);
    return;
  }
  const std::size_t rounded = (size + kGranule - 1) / kGranule * kGranule;
  FreeBlock*& head = pool().freeLists[rounded / kGranule - 1];
  FreeBlock* b = static_cast<FreeBlock*>(block);
  b->next = head;
  head = b;
}

void* AcDbObject::operator new(std::size_t size)
{
  return acdbPoolAllocate(size);
}

void AcDbObject::operator delete(void* object, std::size_t size)
{
  acdbPoolFree(object, size);
}
