// The entries the chooser lists for a folder: its sub-folders and its drawing files.
#pragma once

#include <string>
#include <vector>

struct FolderListing {
  std::vector<std::string> folders; // sub-folder names ("." excluded, ".." kept), sorted
  std::vector<std::string> files;   // names ending in .dxf or .dwg (any case), sorted
};

// Lists `folder` (a full path without a trailing backslash, or a drive root "C:\").
// Returns false, with empty lists, when the folder cannot be read.
bool listFolder(const std::string& folder, FolderListing& listing);

// True when `name` ends in ".dxf" or ".dwg", in any case.
bool isDrawingFileName(const std::string& name);
