// DwgSections: the parts of a DWG file that the object reader needs, as the file's
// container (the plain R13-R2000 layout, the paged and compressed layout of 2004 and
// later, or the 2007 layout) hands them over. Each buffer holds one section's bytes
// exactly as the R13-R2000 layout stores them from the section's start (sentinels,
// size and CRC included where that layout has them), so that one set of section
// readers serves every version. Offsets in the object map are offsets into `objects`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DwgFault {
  std::string section;    // the section being read ("file header", "AcDb:Classes", ...)
  std::size_t offset = 0; // byte offset of the fault, within the file for the container,
                          // within the section for a section's contents
  std::string what;       // what was wrong, in a few words
};

struct DwgSections {
  int version = 0;                   // 1012 for "AC1012" ... 1032 for "AC1032"
  int codePage = 0;                  // the file header's code page number (0 when absent)
  std::vector<std::uint8_t> header;  // AcDb:Header (the header variables)
  std::vector<std::uint8_t> classes; // AcDb:Classes
  std::vector<std::uint8_t> handles; // AcDb:Handles (the object map)
  std::vector<std::uint8_t> objects; // AcDb:AcDbObjects (2004 on; empty for R13-R2000)
  // R13-R2000: their object map holds file offsets, so their objects are read in the
  // file's own bytes (not copied), which the caller keeps while the sections are used.
  const std::uint8_t* file = nullptr;
  std::size_t fileSize = 0;

  // The bytes that offsets in the object map point into.
  const std::uint8_t* objectData() const { return file != nullptr ? file : objects.data(); }
  std::size_t objectSize() const { return file != nullptr ? fileSize : objects.size(); }
};

// Sets `fault` and gives false, for a reader to return.
inline bool dwgFault(DwgFault& fault, const std::string& section, std::uint64_t offset,
                     const std::string& what)
{
  fault.section = section;
  fault.offset = static_cast<std::size_t>(offset);
  fault.what = what;
  return false;
}

// The containers: each reads the file's bytes into `out`, or returns false with `fault` set.
bool readDwgR2000Container(const std::uint8_t* data, std::size_t size, DwgSections& out,
                           DwgFault& fault); // AC1012, AC1014, AC1015
bool readDwgPagedContainer(const std::uint8_t* data, std::size_t size, DwgSections& out,
                           DwgFault& fault); // AC1018, AC1024, AC1027, AC1032
bool readDwgR2007Container(const std::uint8_t* data, std::size_t size, DwgSections& out,
                           DwgFault& fault); // AC1021
