// DwgPagedFile: what the readers of the paged containers (2004 and later, and 2007) share:
// the file's bytes, the sections handed over, the fault, the page book, and the order of
// the reading: the file header, the page map, the section map, then the four sections
// the object reader needs. A reader gives each step and its own description of a section
// (`Section`); a fault stops the reading.
#pragma once

#include "arx/dwg/DwgPageBook.h"
#include "arx/dwg/DwgSections.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

template <class PageId, class Section> class DwgPagedFile {
public:
  DwgPagedFile(const std::uint8_t* data, std::size_t size, DwgSections& out, DwgFault& fault)
      : m_data(data), m_size(size), m_out(out), m_fault(fault), m_book(size, fault)
  {
  }
  virtual ~DwgPagedFile() = default;

  bool read()
  {
    if (!readFileHeader() || !readPageMap() || !readSectionMap())
      return false;
    return readSection("AcDb:Header", m_out.header) && readSection("AcDb:Classes", m_out.classes) &&
           readSection("AcDb:Handles", m_out.handles) &&
           readSection("AcDb:AcDbObjects", m_out.objects);
  }

protected:
  virtual bool readFileHeader() = 0;
  virtual bool readPageMap() = 0;
  virtual bool readSectionMap() = 0;
  // Reads the section `name`, all its pages in order, into `out`.
  virtual bool readSection(const char* name, std::vector<std::uint8_t>& out) = 0;

  // Records a fault at `offset` (an offset past the file names its end).
  bool fail(const std::string& section, std::uint64_t offset, const std::string& what)
  {
    return dwgFault(m_fault, section, offset < m_size ? offset : m_size, what);
  }

  // The section map's description of `name`; null, failed, when the map has none.
  const Section* findSection(const char* name)
  {
    auto it = m_sections.find(name);
    if (it != m_sections.end())
      return &it->second;
    fail(name, 0, "section missing from the section map");
    return nullptr;
  }

  const std::uint8_t* m_data; // the file
  std::size_t m_size;         // its bytes
  DwgSections& m_out;
  DwgFault& m_fault;
  DwgPageBook<PageId> m_book;                // the pages, by id
  std::map<std::string, Section> m_sections; // the section map, by name
};
