// The reference DWG drawings of ../shared/drawings/dwg/ (beside the project, or where
// QUILL_DRAWINGS points), read whole. Tests skip with a message when they are absent.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// The bytes of drawings/dwg/`name`; empty when the file is not there.
inline std::vector<std::uint8_t> readDwgSample(const std::string& name)
{
  std::vector<std::string> folders;
  if (const char* env = std::getenv("QUILL_DRAWINGS"))
    folders.push_back(env);
  folders.push_back(std::string(QUILL_SOURCE_DIR) + "/../shared/drawings");
  folders.push_back("/work/shared/drawings");
  for (const std::string& folder : folders) {
    std::FILE* f = std::fopen((folder + "/dwg/" + name).c_str(), "rb");
    if (f == nullptr)
      continue;
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
      bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    return bytes;
  }
  return {};
}

#define DWG_SAMPLE_OR_SKIP(var, name)                                                              \
  std::vector<std::uint8_t> var = readDwgSample(name);                                             \
  if (var.empty())                                                                                 \
  GTEST_SKIP() << "reference drawing " << name << " not found beside the project"
