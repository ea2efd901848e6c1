// Test support for the preview: a CBlockView on a window of known size, painted
// into an enhanced metafile whose records are read back as what reached GDI.
//   MetafileRecord  the drawing calls of one paint, in logical coordinates, each
//                   with the colour of the pen selected when it was made
//   PreviewWindow   a popup window W x H with a CBlockView attached
//   MetafileDC      a metafile DC; finish() closes it and parses the records
#pragma once

#include "mfc/CDC.h"
#include "quillmark/view/CBlockView.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>
#include <windows.h>

struct DrawnShape {
  std::vector<POINT> points; // logical points in order
  COLORREF pen;              // colour of the pen selected when it was drawn
};

struct MetafileRecord {
  std::vector<DrawnShape> polylines; // Polyline calls
  std::vector<DrawnShape> segments;  // MoveTo + LineTo pairs
  std::vector<DrawnShape> polygons;  // Polygon calls
  std::vector<std::pair<POINT, COLORREF>> pixels;
  std::vector<COLORREF> pensCreated;
  std::vector<COLORREF> brushesCreated;
  std::vector<int> polyFillModes;
  std::vector<int> mapModes;
  std::vector<SIZE> windowExts;
  std::vector<SIZE> viewportExts;
  std::vector<POINT> viewportOrgs;
  int clipRegions = 0;
  int fillRects = 0;

  // Every logical point drawn, of every kind.
  std::vector<POINT> allPoints() const
  {
    std::vector<POINT> all;
    for (const auto* list : {&polylines, &segments, &polygons}) {
      for (const DrawnShape& s : *list) {
        all.insert(all.end(), s.points.begin(), s.points.end());
      }
    }
    for (const auto& p : pixels) {
      all.push_back(p.first);
    }
    return all;
  }
};

namespace paint_probe_detail {

struct ParseState {
  MetafileRecord* out;
  std::map<DWORD, COLORREF> penOfSlot; // handle-table slot -> pen colour
  COLORREF pen = 0;                    // the DC's own pen is black
  POINT moveTo{0, 0};
};

template <class P> void addPoints(std::vector<POINT>& to, const P* pts, DWORD n)
{
  for (DWORD i = 0; i < n; ++i) {
    to.push_back(POINT{pts[i].x, pts[i].y});
  }
}

inline int CALLBACK onRecord(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM data)
{
  ParseState& st = *reinterpret_cast<ParseState*>(data);
  MetafileRecord& out = *st.out;
  switch (r->iType) {
  case EMR_CREATEPEN: {
    auto* e = reinterpret_cast<const EMRCREATEPEN*>(r);
    st.penOfSlot[e->ihPen] = e->lopn.lopnColor;
    out.pensCreated.push_back(e->lopn.lopnColor);
    break;
  }
  case EMR_CREATEBRUSHINDIRECT:
    out.brushesCreated.push_back(reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(r)->lb.lbColor);
    break;
  case EMR_SELECTOBJECT: {
    DWORD slot = reinterpret_cast<const EMRSELECTOBJECT*>(r)->ihObject;
    if (slot & 0x80000000u) {
      if (slot == (0x80000000u | BLACK_PEN)) {
        st.pen = 0;
      } else if (slot == (0x80000000u | WHITE_PEN)) {
        st.pen = 0xFFFFFF;
      }
    } else if (st.penOfSlot.count(slot) != 0) {
      st.pen = st.penOfSlot[slot];
    }
    break;
  }
  case EMR_DELETEOBJECT:
    st.penOfSlot.erase(reinterpret_cast<const EMRDELETEOBJECT*>(r)->ihObject);
    break;
  case EMR_POLYLINE: {
    auto* e = reinterpret_cast<const EMRPOLYLINE*>(r);
    out.polylines.push_back({{}, st.pen});
    addPoints(out.polylines.back().points, e->aptl, e->cptl);
    break;
  }
  case EMR_POLYLINE16: {
    auto* e = reinterpret_cast<const EMRPOLYLINE16*>(r);
    out.polylines.push_back({{}, st.pen});
    addPoints(out.polylines.back().points, e->apts, e->cpts);
    break;
  }
  case EMR_POLYGON: {
    auto* e = reinterpret_cast<const EMRPOLYGON*>(r);
    out.polygons.push_back({{}, st.pen});
    addPoints(out.polygons.back().points, e->aptl, e->cptl);
    break;
  }
  case EMR_POLYGON16: {
    auto* e = reinterpret_cast<const EMRPOLYGON16*>(r);
    out.polygons.push_back({{}, st.pen});
    addPoints(out.polygons.back().points, e->apts, e->cpts);
    break;
  }
  case EMR_MOVETOEX: {
    auto* e = reinterpret_cast<const EMRMOVETOEX*>(r);
    st.moveTo = POINT{e->ptl.x, e->ptl.y};
    break;
  }
  case EMR_LINETO: {
    auto* e = reinterpret_cast<const EMRLINETO*>(r);
    out.segments.push_back({{st.moveTo, POINT{e->ptl.x, e->ptl.y}}, st.pen});
    st.moveTo = POINT{e->ptl.x, e->ptl.y};
    break;
  }
  case EMR_SETPIXELV: {
    auto* e = reinterpret_cast<const EMRSETPIXELV*>(r);
    out.pixels.push_back({POINT{e->ptlPixel.x, e->ptlPixel.y}, e->crColor});
    break;
  }
  case EMR_SETPOLYFILLMODE:
    out.polyFillModes.push_back(
        static_cast<int>(reinterpret_cast<const EMRSETPOLYFILLMODE*>(r)->iMode));
    break;
  case EMR_SETMAPMODE:
    out.mapModes.push_back(static_cast<int>(reinterpret_cast<const EMRSETMAPMODE*>(r)->iMode));
    break;
  case EMR_SETWINDOWEXTEX:
    out.windowExts.push_back(reinterpret_cast<const EMRSETWINDOWEXTEX*>(r)->szlExtent);
    break;
  case EMR_SETVIEWPORTEXTEX:
    out.viewportExts.push_back(reinterpret_cast<const EMRSETVIEWPORTEXTEX*>(r)->szlExtent);
    break;
  case EMR_SETVIEWPORTORGEX: {
    POINTL o = reinterpret_cast<const EMRSETVIEWPORTORGEX*>(r)->ptlOrigin;
    out.viewportOrgs.push_back(POINT{o.x, o.y});
    break;
  }
  case EMR_EXTSELECTCLIPRGN:
    ++out.clipRegions;
    break;
  case EMR_FILLRGN:
  case EMR_BITBLT:
    ++out.fillRects;
    break;
  default:
    break;
  }
  return 1;
}

} // namespace paint_probe_detail

// A metafile DC wrapped in a CDC (borrowed: finish() closes the metafile).
class MetafileDC {
public:
  MetafileDC() { dc.Attach(CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr)); }
  ~MetafileDC()
  {
    if (dc.m_hDC != nullptr) {
      DeleteEnhMetaFile(CloseEnhMetaFile(dc.Detach()));
    }
  }
  MetafileRecord finish()
  {
    MetafileRecord out;
    HENHMETAFILE emf = CloseEnhMetaFile(dc.Detach());
    paint_probe_detail::ParseState st;
    st.out = &out;
    EnumEnhMetaFile(nullptr, emf, &paint_probe_detail::onRecord, &st, nullptr);
    DeleteEnhMetaFile(emf);
    return out;
  }
  CDC dc;
};

// A popup window of the given client size with the view attached (not shown).
class PreviewWindow {
public:
  PreviewWindow(int width = 278, int height = 252)
  {
    HWND hwnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | SS_BLACKRECT, 0, 0, width, height,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    view.Attach(hwnd);
  }
  ~PreviewWindow()
  {
    HWND hwnd = view.Detach();
    DestroyWindow(hwnd);
  }
  // One paint cycle into a metafile.
  MetafileRecord paint()
  {
    MetafileDC meta;
    view.paintPreview(&meta.dc);
    return meta.finish();
  }
  CBlockView view;
};

// Drawers called one by one in the draw pass with scale `scale` and origin 0:
// a model point (x, y) lands on logical (trunc(x * scale), trunc(y * scale)).
class DrawProbe {
public:
  explicit DrawProbe(double scale = 1000.0)
  {
    window.view.m_measuring = 0;
    window.view.m_scale = scale;
    window.view.m_originX = 0.0;
    window.view.m_originY = 0.0;
    window.view.m_pDC = &meta.dc;
  }
  CBlockView& view() { return window.view; }
  MetafileRecord finish()
  {
    window.view.m_pDC = nullptr;
    return meta.finish();
  }

private:
  PreviewWindow window;
  MetafileDC meta;
};

// A memory DC with a 32-bit DIB section of w x h pixels selected.
class DibCanvas {
public:
  DibCanvas(int w, int h) : width(w), height(h)
  {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc.Attach(CreateCompatibleDC(nullptr));
    bitmap = CreateDIBSection(dc.m_hDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits),
                              nullptr, 0);
    oldBitmap = SelectObject(dc.m_hDC, bitmap);
  }
  ~DibCanvas()
  {
    SelectObject(dc.m_hDC, oldBitmap);
    DeleteObject(bitmap);
  }
  // The pixel as 0x00RRGGBB (DIB byte order).
  DWORD pixel(int x, int y) const { return bits[y * width + x] & 0xFFFFFF; }
  // The box around every non-black pixel: false when there is none.
  bool litBox(RECT& box) const
  {
    box = RECT{width, height, -1, -1};
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (pixel(x, y) != 0) {
          box.left = x < box.left ? x : box.left;
          box.top = y < box.top ? y : box.top;
          box.right = x > box.right ? x : box.right;
          box.bottom = y > box.bottom ? y : box.bottom;
        }
      }
    }
    return box.right >= 0;
  }

  int width;
  int height;
  CDC dc;
  DWORD* bits = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ oldBitmap = nullptr;
};

inline std::string pointText(POINT p)
{
  return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

inline ::testing::AssertionResult pointNear(POINT got, long x, long y, long tol = 1)
{
  if (labs(got.x - x) <= tol && labs(got.y - y) <= tol) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "expected (" << x << ", " << y << "), got " << pointText(got);
}
