// What a process holds, counted in ways that work under Wine (where GetGuiResources
// and the process memory counters answer 0):
//   gdiObjectCount()        live GDI objects, from the process's GDI handle table
//                           (the table the PEB points to, as Windows and Wine keep it)
//   heapBytesInUse()        bytes in busy blocks of every heap of the process (small
//                           allocations, which the heaps hand out from their segments)
//   privateCommittedBytes() committed private memory of the address space (large
//                           allocations, which the heaps take straight from it)
// A leak test compares them before and after; ProcessCounters.counters_see_a_deliberate_leak
// shows that each one moves when something is left behind.
#pragma once

#include <windows.h>

#include <cstddef>

namespace counters {

// One entry of the GDI handle table (24 bytes on x64): the object's kernel address,
// its owner, the handle's upper word, and its type (0 for a free entry).
struct GdiHandleEntry {
  unsigned long long object;
  unsigned int owner;
  unsigned short unique;
  unsigned char type;
  unsigned char flags;
  unsigned long long user;
};
const int kGdiHandleEntries = 16384;    // the table's size
const size_t kPebGdiTableOffset = 0xF8; // PEB.GdiSharedHandleTable on x64

// Live GDI objects of the process (stock objects included); -1 without a table.
inline int gdiObjectCount()
{
  const unsigned char* peb = nullptr;
  __asm__("movq %%gs:0x60, %0" : "=r"(peb)); // TEB.ProcessEnvironmentBlock
  const GdiHandleEntry* table = *reinterpret_cast<GdiHandleEntry* const*>(peb + kPebGdiTableOffset);
  if (table == nullptr)
    return -1;
  int n = 0;
  for (int i = 0; i < kGdiHandleEntries; ++i)
    n += table[i].type != 0 ? 1 : 0;
  return n;
}

inline size_t heapBytesInUse()
{
  HANDLE heaps[256];
  DWORD count = GetProcessHeaps(256, heaps);
  size_t used = 0;
  for (DWORD i = 0; i < count && i < 256; ++i) {
    PROCESS_HEAP_ENTRY entry = {};
    HeapLock(heaps[i]);
    while (HeapWalk(heaps[i], &entry))
      if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0)
        used += entry.cbData;
    HeapUnlock(heaps[i]);
  }
  return used;
}

inline size_t privateCommittedBytes()
{
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  size_t committed = 0;
  MEMORY_BASIC_INFORMATION info;
  const char* at = static_cast<const char*>(system.lpMinimumApplicationAddress);
  const char* end = static_cast<const char*>(system.lpMaximumApplicationAddress);
  while (at < end) {
    if (VirtualQuery(at, &info, sizeof info) != sizeof info) {
      at += system.dwAllocationGranularity; // a range Wine keeps for itself
      continue;
    }
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
      committed += info.RegionSize;
    at = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
  }
  return committed;
}

} // namespace counters
