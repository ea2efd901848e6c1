#include "FolderListing.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

// Orders names as Explorer's plain view does: case-insensitive, byte order as a tie-break.
bool nameLess(const std::string& a, const std::string& b)
{
  int c = lstrcmpiA(a.c_str(), b.c_str());
  return c != 0 ? c < 0 : a < b;
}

} // namespace

bool isDrawingFileName(const std::string& name)
{
  if (name.size() < 5)
    return false;
  const char* ext = name.c_str() + name.size() - 4;
  return lstrcmpiA(ext, ".dxf") == 0 || lstrcmpiA(ext, ".dwg") == 0;
}

bool listFolder(const std::string& folder, FolderListing& listing)
{
  listing.folders.clear();
  listing.files.clear();
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '\\')
    pattern += '\\';
  pattern += '*';

  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return false;
  do {
    std::string name = found.cFileName;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (name != ".")
        listing.folders.push_back(name);
    } else if (isDrawingFileName(name)) {
      listing.files.push_back(name);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(listing.folders.begin(), listing.folders.end(), nameLess);
  std::sort(listing.files.begin(), listing.files.end(), nameLess);
  return true;
}
