// bench_view DATA: one paint of the block "BIG" of big_block.dxf (200,000 mixed
// entities) by the preview control (measure pass, fit, draw pass), against GDI
// doing the same calls once from prepared logical points, both into a 278 x 252
// pixel DIB section (185 x 155 dialog units at the dialog font's 6 x 13 base
// units). Best of five runs each.
//   view_paint: the whole paint: background, both walks, the fit, a new pen and
//     brush at every colour change (as the view must make them) and every drawing call
//   gdi_direct: background, clip and mapping, the same drawing calls from prepared
//     points, and a new pen and brush made, selected and deleted wherever the paint
//     made them (the same GDI object traffic, nothing computed)
//   gdi_direct_prepared_pens: the same, with one pen and brush per colour made
//     beforehand (outside the timing) and only selected at the colour changes
//   view_paint: VALUE ms (goal: <= 1.3 x gdi_direct) ok|MISS
//   gdi_direct: VALUE ms (goal: reference) ok
//   gdi_direct_prepared_pens: VALUE ms (goal: information) ok
//   view_paint_ratio: VALUE x (goal: <= 1.3) ok|MISS
//   view_paint_memory: VALUE bytes (goal: 0) ok|MISS
//   view_paint_gdi_objects: VALUE (goal: 0) ok|MISS
//   view_paint_cut: yes|no (goal: no) ok|MISS   whether the walk budget cut the block short
#include "arx/db/AcDbDatabase.h"
#include "mfc/CDC.h"
#include "quillmark/view/CBlockView.h"
#include "tests/support/ProcessCounters.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

const int kWidth = 278;
const int kHeight = 252;

double nowMs()
{
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Memory the process holds: busy heap blocks and committed private memory (the
// process memory counters answer 0 under Wine).
long long heldBytes()
{
  return static_cast<long long>(counters::heapBytesInUse() + counters::privateCommittedBytes());
}

// A memory DC with a 32-bit DIB section selected: the kind of DC both sides draw into.
class Canvas {
public:
  Canvas()
  {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc.Attach(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc.m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc.m_hDC, bitmap);
  }
  ~Canvas()
  {
    SelectObject(dc.m_hDC, old);
    DeleteObject(bitmap);
  }
  CDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
};

// What one paint sent to GDI, read back from a metafile of it: every call with
// the colour of the pen it was drawn with, in the order of the paint.
struct Call {
  int kind;       // 0 polyline, 1 polygon, 2 segment, 3 pixel, 4 new pen (and brush)
  COLORREF color; // pen colour (the pixel's own colour for a pixel)
  std::vector<POINT> points;
};
struct Prepared {
  std::vector<Call> calls;
  std::map<DWORD, COLORREF> penOfSlot; // metafile handle slot -> pen colour
  COLORREF pen = 0;
  POINT at = {0, 0};
  int count(int kind) const
  {
    int n = 0;
    for (const Call& c : calls)
      n += c.kind == kind ? 1 : 0;
    return n;
  }
};

int CALLBACK collect(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM data)
{
  Prepared& p = *reinterpret_cast<Prepared*>(data);
  switch (r->iType) {
  case EMR_CREATEPEN: {
    auto* e = reinterpret_cast<const EMRCREATEPEN*>(r);
    p.penOfSlot[e->ihPen] = e->lopn.lopnColor;
    // The view makes a brush and then a pen of each new colour: one event for both.
    p.calls.push_back(Call{4, e->lopn.lopnColor, {}});
    break;
  }
  case EMR_SELECTOBJECT: {
    auto it = p.penOfSlot.find(reinterpret_cast<const EMRSELECTOBJECT*>(r)->ihObject);
    if (it != p.penOfSlot.end())
      p.pen = it->second;
    break;
  }
  case EMR_POLYLINE16:
  case EMR_POLYGON16: {
    auto* e = reinterpret_cast<const EMRPOLYLINE16*>(r);
    Call c{r->iType == EMR_POLYGON16 ? 1 : 0, p.pen, {}};
    for (DWORD i = 0; i < e->cpts; ++i)
      c.points.push_back(POINT{e->apts[i].x, e->apts[i].y});
    p.calls.push_back(c);
    break;
  }
  case EMR_POLYLINE:
  case EMR_POLYGON: {
    auto* e = reinterpret_cast<const EMRPOLYLINE*>(r);
    Call c{r->iType == EMR_POLYGON ? 1 : 0, p.pen, {}};
    for (DWORD i = 0; i < e->cptl; ++i)
      c.points.push_back(POINT{e->aptl[i].x, e->aptl[i].y});
    p.calls.push_back(c);
    break;
  }
  case EMR_MOVETOEX:
    p.at = POINT{reinterpret_cast<const EMRMOVETOEX*>(r)->ptl.x,
                 reinterpret_cast<const EMRMOVETOEX*>(r)->ptl.y};
    break;
  case EMR_LINETO: {
    POINT to{reinterpret_cast<const EMRLINETO*>(r)->ptl.x,
             reinterpret_cast<const EMRLINETO*>(r)->ptl.y};
    p.calls.push_back(Call{2, p.pen, {p.at, to}});
    p.at = to;
    break;
  }
  case EMR_SETPIXELV: {
    auto* e = reinterpret_cast<const EMRSETPIXELV*>(r);
    p.calls.push_back(Call{3, e->crColor, {POINT{e->ptlPixel.x, e->ptlPixel.y}}});
    break;
  }
  default:
    break;
  }
  return 1;
}

// GDI alone: the same mapping and the same drawing calls from prepared points.
// With `madeAtChanges` a pen and brush are made, selected and deleted wherever
// the paint made them; otherwise one pen and brush per colour are made
// beforehand (not timed) and selected when the colour changes.
double drawDirect(const Prepared& p, HDC dc, HWND window, bool madeAtChanges)
{
  std::map<COLORREF, std::pair<HPEN, HBRUSH>> tools;
  if (!madeAtChanges)
    for (const Call& c : p.calls)
      if (c.kind != 3 && tools.count(c.color) == 0)
        tools[c.color] = {CreatePen(PS_SOLID, 0, c.color), CreateSolidBrush(c.color)};
  double start = nowMs();
  RECT client;
  GetClientRect(window, &client);
  HBRUSH black = CreateSolidBrush(0);
  FillRect(dc, &client, black);
  DeleteObject(black);
  HRGN clip = CreateRectRgnIndirect(&client);
  SelectClipRgn(dc, clip);
  SetMapMode(dc, MM_ISOTROPIC);
  SetWindowExtEx(dc, 25000, 25000, nullptr);
  SetViewportExtEx(dc, kWidth / 2, -(kHeight / 2), nullptr);
  SetViewportOrgEx(dc, kWidth / 2, kHeight / 2, nullptr);
  HGDIOBJ oldPen = GetCurrentObject(dc, OBJ_PEN);
  HGDIOBJ oldBrush = GetCurrentObject(dc, OBJ_BRUSH);
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  COLORREF current = 0xFFFFFFFF;
  for (const Call& c : p.calls) {
    if (!madeAtChanges && c.kind != 3 && c.kind != 4 && c.color != current) {
      const auto& t = tools.at(c.color);
      SelectObject(dc, t.first);
      SelectObject(dc, t.second);
      current = c.color;
    }
    switch (c.kind) {
    case 0:
      Polyline(dc, c.points.data(), static_cast<int>(c.points.size()));
      break;
    case 1:
      SetPolyFillMode(dc, WINDING);
      Polygon(dc, c.points.data(), static_cast<int>(c.points.size()));
      break;
    case 2:
      MoveToEx(dc, c.points[0].x, c.points[0].y, nullptr);
      LineTo(dc, c.points[1].x, c.points[1].y);
      break;
    case 3:
      SetPixel(dc, c.points[0].x, c.points[0].y, c.color);
      break;
    default:
      if (madeAtChanges) {
        if (brush != nullptr) {
          SelectObject(dc, oldBrush);
          DeleteObject(brush);
          SelectObject(dc, oldPen);
          DeleteObject(pen);
        }
        brush = CreateSolidBrush(c.color);
        SelectObject(dc, brush);
        pen = CreatePen(PS_SOLID, 0, c.color);
        SelectObject(dc, pen);
      }
      break;
    }
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  if (brush != nullptr) {
    DeleteObject(brush);
    DeleteObject(pen);
  }
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
  SetMapMode(dc, MM_TEXT);
  double took = nowMs() - start;
  for (auto& t : tools) {
    DeleteObject(t.second.first);
    DeleteObject(t.second.second);
  }
  return took;
}

const char* verdict(bool ok)
{
  return ok ? "ok" : "MISS";
}

} // namespace

int main(int argc, char** argv)
{
  if (argc < 2) {
    fprintf(stderr, "usage: bench_view DATA-FOLDER\n");
    return 2;
  }
  std::string path = std::string(argv[1]) + "\\big_block.dxf";
  AcDbDatabase db(false);
  if (db.readDwgFile(path.c_str()) != Acad::eOk) {
    fprintf(stderr, "bench_view: cannot read %s: %s\n", path.c_str(), db.readError());
    return 1;
  }
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | SS_BLACKRECT, 0, 0, kWidth, kHeight,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  int status = 0;
  {
    CBlockView view;
    view.Attach(window);
    view.setDatabase(&db);
    view.setBlockName("BIG");

    // The calls one paint makes, prepared once as logical points.
    Prepared prepared;
    {
      CDC meta;
      meta.Attach(CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr));
      view.paintPreview(&meta);
      HENHMETAFILE emf = CloseEnhMetaFile(meta.Detach());
      EnumEnhMetaFile(nullptr, emf, &collect, &prepared, nullptr);
      DeleteEnhMetaFile(emf);
    }
    size_t calls = prepared.calls.size() - static_cast<size_t>(prepared.count(4));
    // Every entity makes one drawing call: the walk budget draws this block whole.
    if (calls < 200000) {
      fprintf(stderr, "bench_view: only %u drawing calls in one paint\n",
              static_cast<unsigned>(calls));
      status = 1;
    }

    Canvas canvas;
    view.paintPreview(&canvas.dc); // the first paint makes what is kept for good
    long long memoryBefore = heldBytes();
    int gdiBefore = counters::gdiObjectCount();
    double bestView = 1e30, bestDirect = 1e30, bestPrepared = 1e30;
    for (int run = 0; run < 5; ++run) {
      double start = nowMs();
      view.paintPreview(&canvas.dc);
      double took = nowMs() - start;
      bestView = took < bestView ? took : bestView;
      double direct = drawDirect(prepared, canvas.dc.m_hDC, window, true);
      bestDirect = direct < bestDirect ? direct : bestDirect;
      direct = drawDirect(prepared, canvas.dc.m_hDC, window, false);
      bestPrepared = direct < bestPrepared ? direct : bestPrepared;
    }
    // Counted after a paint of the view, as before the runs: a paint leaves its clip
    // region selected in the DC (a copy GDI keeps until the next clip), which the direct
    // drawing's clearing of the clip had freed.
    view.paintPreview(&canvas.dc);
    long long memoryAfter = heldBytes();
    int gdiAfter = counters::gdiObjectCount();
    if (getenv("BENCH_VIEW_DETAIL") != nullptr) {
      double start = nowMs();
      view.resetExtents();
      view.drawNamedBlock();
      fprintf(stderr, "measure pass alone: %.1f ms\n", nowMs() - start);
      fprintf(stderr, "calls: %d polylines, %d polygons, %d segments, %d pixels, %d new pens\n",
              prepared.count(0), prepared.count(1), prepared.count(2), prepared.count(3),
              prepared.count(4));
    }
    long long memoryDelta = memoryAfter - memoryBefore;
    long gdiDelta = static_cast<long>(gdiAfter) - static_cast<long>(gdiBefore);
    double ratio = bestView / bestDirect;

    printf("view_paint: %.1f ms (goal: <= 1.3 x gdi_direct) %s\n", bestView, verdict(ratio <= 1.3));
    printf("gdi_direct: %.1f ms (goal: reference) ok\n", bestDirect);
    printf("gdi_direct_prepared_pens: %.1f ms (goal: information) ok\n", bestPrepared);
    printf("view_paint_ratio: %.2f x (goal: <= 1.3) %s\n", ratio, verdict(ratio <= 1.3));
    printf("view_paint_memory: %lld bytes (goal: 0) %s\n", memoryDelta, verdict(memoryDelta <= 0));
    printf("view_paint_gdi_objects: %ld (goal: 0) %s\n", gdiDelta, verdict(gdiDelta == 0));
    printf("view_paint_cut: %s (goal: no) %s\n", view.m_cut ? "yes" : "no", verdict(!view.m_cut));
    view.Detach();
  }
  DestroyWindow(window);
  return status;
}
