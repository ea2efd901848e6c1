// Test support for the preview: a CBlockView on a popup window of known size,
// painted into an enhanced metafile whose records are read back (logical
// coordinates, each shape with the colour of the pen selected when it was
// drawn), or into a DIB section whose pixels are read back.
#pragma once

#include "mfc/CDC.h"
#include "quillmark/view/CBlockView.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>
#include <windows.h>

struct DrawnShape {
  std::vector<POINT> points;
  COLORREF pen; // for a pixel: the pixel's colour
};

struct MetafileRecord {
  std::vector<DrawnShape> polylines, segments, polygons, pixels;
  std::vector<COLORREF> pens, brushes;        // in the order created
  std::vector<int> mapModes, polyFillModes;   // in the order set
  std::vector<SIZE> windowExts, viewportExts; // in the order set
  std::vector<POINT> viewportOrgs;
  int clipRegions = 0;
  std::map<DWORD, COLORREF> penOfSlot; // parse state: handle slot -> pen colour
  COLORREF pen = 0;
  POINT at{0, 0};

  std::vector<POINT> allPoints() const
  {
    std::vector<POINT> all;
    for (const auto* list : {&polylines, &segments, &polygons, &pixels})
      for (const DrawnShape& s : *list)
        all.insert(all.end(), s.points.begin(), s.points.end());
    return all;
  }
};

inline int CALLBACK readRecord(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM data)
{
  MetafileRecord& m = *reinterpret_cast<MetafileRecord*>(data);
  const DWORD* d = r->dParm;                         // the record's parameters, as 32-bit words
  auto points16 = [&](std::vector<DrawnShape>& to) { // bounds, count, then x, y shorts
    auto* p = reinterpret_cast<const POINTS*>(d + 5);
    to.push_back({{}, m.pen});
    for (DWORD i = 0; i < d[4]; ++i)
      to.back().points.push_back(POINT{p[i].x, p[i].y});
  };
  auto points32 = [&](std::vector<DrawnShape>& to) {
    auto* p = reinterpret_cast<const POINTL*>(d + 5);
    to.push_back({{}, m.pen});
    for (DWORD i = 0; i < d[4]; ++i)
      to.back().points.push_back(POINT{p[i].x, p[i].y});
  };
  // clang-format off
  switch (r->iType) {
  case EMR_CREATEPEN:
    m.penOfSlot[d[0]] = d[4];
    m.pens.push_back(d[4]);
    break;
  case EMR_CREATEBRUSHINDIRECT:
    m.brushes.push_back(d[2]);
    break;
  case EMR_SELECTOBJECT:
    if (m.penOfSlot.count(d[0]) != 0)
      m.pen = m.penOfSlot[d[0]];
    break;
  case EMR_POLYLINE16:
    points16(m.polylines);
    break;
  case EMR_POLYLINE:
    points32(m.polylines);
    break;
  case EMR_POLYGON16:
    points16(m.polygons);
    break;
  case EMR_POLYGON:
    points32(m.polygons);
    break;
  case EMR_MOVETOEX:
    m.at = POINT{LONG(d[0]), LONG(d[1])};
    break;
  case EMR_LINETO:
    m.segments.push_back({{m.at, POINT{LONG(d[0]), LONG(d[1])}}, m.pen});
    m.at = m.segments.back().points[1];
    break;
  case EMR_SETPIXELV:
    m.pixels.push_back({{POINT{LONG(d[0]), LONG(d[1])}}, d[2]});
    break;
  case EMR_SETPOLYFILLMODE:
    m.polyFillModes.push_back(int(d[0]));
    break;
  case EMR_SETMAPMODE:
    m.mapModes.push_back(int(d[0]));
    break;
  case EMR_SETWINDOWEXTEX:
    m.windowExts.push_back(SIZE{LONG(d[0]), LONG(d[1])});
    break;
  case EMR_SETVIEWPORTEXTEX:
    m.viewportExts.push_back(SIZE{LONG(d[0]), LONG(d[1])});
    break;
  case EMR_SETVIEWPORTORGEX:
    m.viewportOrgs.push_back(POINT{LONG(d[0]), LONG(d[1])});
    break;
  case EMR_EXTSELECTCLIPRGN:
    ++m.clipRegions;
    break;
  default:
    break;
  }
  // clang-format on
  return 1;
}

// A metafile DC (borrowed by the CDC; finish() closes it and reads its records).
struct MetafileDC {
  MetafileDC() { dc.Attach(CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr)); }
  ~MetafileDC()
  {
    if (dc.m_hDC != nullptr)
      DeleteEnhMetaFile(CloseEnhMetaFile(dc.Detach()));
  }
  MetafileRecord finish()
  {
    MetafileRecord out;
    HENHMETAFILE emf = CloseEnhMetaFile(dc.Detach());
    EnumEnhMetaFile(nullptr, emf, &readRecord, &out, nullptr);
    DeleteEnhMetaFile(emf);
    return out;
  }
  CDC dc;
};

// The view attached to a hidden popup window of client size w x h.
struct PreviewWindow {
  PreviewWindow(int w = 278, int h = 252)
  {
    view.Attach(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, w, h, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr));
  }
  ~PreviewWindow() { DestroyWindow(view.Detach()); }
  MetafileRecord paint() // one paint cycle
  {
    MetafileDC meta;
    view.paintPreview(&meta.dc);
    return meta.finish();
  }
  CBlockView view;
};

// The draw pass at `scale` about the origin, straight into a metafile: a model
// point (x, y) lands on logical (trunc(x * scale), trunc(y * scale)).
struct DrawProbe {
  explicit DrawProbe(double scale = 1000.0)
  {
    view().m_measuring = 0;
    view().m_scale = scale;
    view().m_pDC = &meta.dc;
  }
  CBlockView& view() { return window.view; }
  MetafileRecord finish() { return view().m_pDC = nullptr, meta.finish(); }
  PreviewWindow window;
  MetafileDC meta;
};

// A memory DC with a w x h 32-bit DIB section selected.
struct DibCanvas {
  DibCanvas(int w, int h) : width(w), height(h)
  {
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    dc.Attach(CreateCompatibleDC(nullptr));
    bitmap = CreateDIBSection(dc.m_hDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits),
                              nullptr, 0);
    old = SelectObject(dc.m_hDC, bitmap);
  }
  ~DibCanvas() { DeleteObject(SelectObject(dc.m_hDC, old)); }
  DWORD pixel(int x, int y) const { return bits[y * width + x] & 0xFFFFFF; } // 0x00RRGGBB
  bool litBox(RECT& box) const // the box around every non-black pixel
  {
    box = RECT{width, height, -1, -1};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (pixel(x, y) != 0)
          box = RECT{std::min(box.left, LONG(x)), std::min(box.top, LONG(y)),
                     std::max(box.right, LONG(x)), std::max(box.bottom, LONG(y))};
    return box.right >= 0;
  }
  int width, height;
  CDC dc;
  DWORD* bits = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
};

inline ::testing::AssertionResult pointNear(POINT got, long x, long y, long tol = 1)
{
  if (labs(got.x - x) <= tol && labs(got.y - y) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "expected (" << x << ", " << y << "), got (" << got.x << ", " << got.y << ")";
}
