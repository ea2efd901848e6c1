// A stand-in for the container of 2007 drawings until its reader exists: such
// drawings get a clear failing status. This file goes when DwgR2007Container.cpp comes.
#include "arx/dwg/DwgSections.h"

namespace {
bool notReadYet(std::size_t size, DwgFault& fault)
{
  fault.section = "file header";
  fault.offset = size < 6 ? size : 6;
  fault.what = "a DWG drawing of this version is not read yet";
  return false;
}
} // namespace

bool readDwgR2007Container(const std::uint8_t*, std::size_t size, DwgSections&, DwgFault& fault)
{
  return notReadYet(size, fault);
}
