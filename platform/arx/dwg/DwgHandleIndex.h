// DwgHandleIndex: where each object of a drawing lies, by its handle, as the object
// map gives it. Handles are mostly dense, so the index is a table indexed by handle
// when that table stays within a few times the number of objects; otherwise (a map
// with a few far-apart handles) it searches the entries sorted by handle.
#pragma once

#include "arx/dwg/DwgSectionReaders.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class DwgHandleIndex {
public:
  // Takes the map's entries; where a handle is given twice, its last entry counts.
  void assign(std::vector<DwgMapEntry> entries);

  // The offset of object `handle`; false when the map does not list it.
  bool find(std::uint64_t handle, std::size_t& offset) const
  {
    if (!m_direct.empty()) {
      if (handle >= m_direct.size() || m_direct[handle] == kNone)
        return false;
      offset = m_direct[handle];
      return true;
    }
    return search(handle, offset);
  }
  // The objects, one entry for each handle, by increasing handle.
  const std::vector<DwgMapEntry>& entries() const { return m_entries; }
  std::size_t size() const { return m_entries.size(); }

private:
  static constexpr std::size_t kNone = ~std::size_t(0);
  bool search(std::uint64_t handle, std::size_t& offset) const;

  std::vector<DwgMapEntry> m_entries; // sorted by handle, each handle once
  std::vector<std::size_t> m_direct;  // offset by handle (kNone: absent); empty when sparse
};
