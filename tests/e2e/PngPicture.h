// Pictures saved by a --ui script's snap step, read back for the end-to-end tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pixels of a PNG file (0xAARRGGBB); empty when it cannot be read.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  // Pixels that are not black, at least `margin` pixels inside the border.
  int litInside(int margin) const;
};

Picture loadPng(const std::string& path);
