// DwgPageBook: the pages of a paged DWG container (2004 and later, and 2007) by their id,
// as its page map lists them: where each lies in the file and how many bytes it takes,
// and which pages a section has already taken. A page listed twice, missing from the
// map, taken twice or lying past the end of the file is a fault, reported through
// dwgFault with the section being read.
#pragma once

#include "arx/dwg/DwgSections.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>

struct DwgPageLocation {
  std::uint64_t address = 0; // file offset of the page
  std::uint64_t size = 0;    // bytes the page occupies
};

template <class Id> class DwgPageBook {
public:
  // `fileSize` bounds every page; faults of the map itself name the map's address.
  DwgPageBook(std::size_t fileSize, DwgFault& fault) : m_fileSize(fileSize), m_fault(fault) {}

  void setMapAddress(std::uint64_t address) { m_mapAddress = address; }

  // Adds page `id` from the page map.
  bool add(Id id, DwgPageLocation where)
  {
    if (!m_pages.emplace(id, where).second)
      return dwgFault(m_fault, "page map", clamp(m_mapAddress),
                      "page " + std::to_string(id) + " listed twice");
    return true;
  }

  // Where page `id` lies, for `section`.
  bool locate(const std::string& section, Id id, DwgPageLocation& where) const
  {
    auto it = m_pages.find(id);
    if (it == m_pages.end())
      return dwgFault(m_fault, section, clamp(m_mapAddress),
                      "page " + std::to_string(id) + " not in the page map");
    where = it->second;
    return true;
  }

  // Gives page `id` to `section`: it must be in the map and not taken before.
  bool take(const std::string& section, Id id, DwgPageLocation& where)
  {
    if (!locate(section, id, where))
      return false;
    if (!m_used.insert(id).second)
      return dwgFault(m_fault, section, clamp(where.address),
                      "page " + std::to_string(id) + " used twice");
    return true;
  }

  // Whether the file holds `need` bytes from the start of the page at `where`.
  bool holds(const std::string& section, const DwgPageLocation& where, std::uint64_t need) const
  {
    if (where.address > m_fileSize || need > m_fileSize - where.address)
      return dwgFault(m_fault, section, clamp(where.address), "page lies past the end of the file");
    return true;
  }

private:
  // An offset named in a fault lies within the file.
  std::uint64_t clamp(std::uint64_t offset) const
  {
    return offset < m_fileSize ? offset : m_fileSize;
  }

  std::size_t m_fileSize;
  DwgFault& m_fault;
  std::uint64_t m_mapAddress = 0;        // the page map's file offset
  std::map<Id, DwgPageLocation> m_pages; // by id
  std::set<Id> m_used;                   // pages taken so far
};
