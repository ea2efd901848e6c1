#include "arx/dwg/DwgHandleIndex.h"

#include <algorithm>

void DwgHandleIndex::assign(std::vector<DwgMapEntry> entries)
{
  // A stable sort keeps a handle's entries in map order, so the last one is the one kept.
  const auto byHandle = [](const DwgMapEntry& a, const DwgMapEntry& b) {
    return a.handle < b.handle;
  };
  if (!std::is_sorted(entries.begin(), entries.end(), byHandle))
    std::stable_sort(entries.begin(), entries.end(), byHandle);
  m_entries.clear();
  m_entries.reserve(entries.size());
  for (const DwgMapEntry& e : entries) {
    if (!m_entries.empty() && m_entries.back().handle == e.handle)
      m_entries.back() = e;
    else
      m_entries.push_back(e);
  }
  m_direct.clear();
  if (m_entries.empty())
    return;
  // A table of (largest handle + 1) slots, when it is not much larger than the map.
  const std::uint64_t top = m_entries.back().handle;
  if (top >= 4 * static_cast<std::uint64_t>(m_entries.size()) + 4096)
    return;
  m_direct.assign(static_cast<std::size_t>(top) + 1, kNone);
  for (const DwgMapEntry& e : m_entries)
    m_direct[static_cast<std::size_t>(e.handle)] = e.offset;
}

bool DwgHandleIndex::search(std::uint64_t handle, std::size_t& offset) const
{
  const auto it =
      std::lower_bound(m_entries.begin(), m_entries.end(), handle,
                       [](const DwgMapEntry& e, std::uint64_t h) { return e.handle < h; });
  if (it == m_entries.end() || it->handle != handle)
    return false;
  offset = it->offset;
  return true;
}
