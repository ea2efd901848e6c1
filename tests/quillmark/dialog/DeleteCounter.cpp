#include "DeleteCounter.h"

#include <cstdlib>
#include <new>

namespace {
const void* g_watched = nullptr;
int g_deletes = 0;
} // namespace

void watchDeletes(const void* p)
{
  g_watched = p;
  g_deletes = 0;
}

int watchedDeletes()
{
  return g_deletes;
}

void* operator new(size_t size)
{
  if (void* p = malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
  if (p && p == g_watched)
    ++g_deletes;
  free(p);
}

void operator delete(void* p, size_t) noexcept
{
  ::operator delete(p);
}
