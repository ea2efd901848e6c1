#include "PngPicture.h"

#include <windows.h>
// gdiplus.h needs what WIN32_LEAN_AND_MEAN leaves out of windows.h.
#include <objidl.h>

#include <gdiplus.h>

int Picture::litInside(int margin) const
{
  int lit = 0;
  for (int y = margin; y < height - margin; ++y)
    for (int x = margin; x < width - margin; ++x)
      if ((pixels[y * width + x] & 0xFFFFFF) != 0)
        ++lit;
  return lit;
}

Picture loadPng(const std::string& path)
{
  using namespace Gdiplus;
  Picture picture;
  GdiplusStartupInput input;
  ULONG_PTR token = 0;
  GdiplusStartup(&token, &input, nullptr);
  std::wstring wide(path.begin(), path.end());
  GpBitmap* bitmap = nullptr;
  if (DllExports::GdipCreateBitmapFromFile(wide.c_str(), &bitmap) == Ok) {
    UINT w = 0, h = 0;
    DllExports::GdipGetImageWidth(bitmap, &w);
    DllExports::GdipGetImageHeight(bitmap, &h);
    picture.width = static_cast<int>(w);
    picture.height = static_cast<int>(h);
    picture.pixels.resize(w * h);
    for (UINT y = 0; y < h; ++y)
      for (UINT x = 0; x < w; ++x) {
        ARGB pixel = 0;
        DllExports::GdipBitmapGetPixel(bitmap, x, y, &pixel);
        picture.pixels[y * w + x] = pixel;
      }
    DllExports::GdipDisposeImage(bitmap);
  }
  GdiplusShutdown(token);
  return picture;
}
