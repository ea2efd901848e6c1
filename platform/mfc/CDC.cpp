#include "mfc/CDC.h"

#include <memory>
#include <unordered_map>

namespace {

// Temporary CDC wrappers of handles nobody attached (user-interface thread only).
std::unordered_map<HDC, std::unique_ptr<CDC>>& tempDCs()
{
  static std::unordered_map<HDC, std::unique_ptr<CDC>> m;
  return m;
}

} // namespace

CDC::~CDC()
{
  DeleteDC();
}

BOOL CDC::Attach(HDC hdc)
{
  if (hdc == nullptr || m_hDC != nullptr) {
    return FALSE;
  }
  m_hDC = hdc;
  return TRUE;
}

HDC CDC::Detach()
{
  HDC hdc = m_hDC;
  m_hDC = nullptr;
  return hdc;
}

BOOL CDC::DeleteDC()
{
  if (m_hDC == nullptr) {
    return FALSE;
  }
  return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
  return Attach(::CreateCompatibleDC(dc != nullptr ? dc->m_hDC : nullptr));
}

CDC* CDC::FromHandle(HDC hdc)
{
  if (hdc == nullptr) {
    return nullptr;
  }
  std::unique_ptr<CDC>& slot = tempDCs()[hdc];
  if (!slot) {
    slot.reset(new CDC);
    slot->m_hDC = hdc;
  }
  return slot.get();
}

void CDC::DeleteTempMap()
{
  for (auto& entry : tempDCs()) {
    entry.second->m_hDC = nullptr; // borrowed: not deleted
  }
  tempDCs().clear();
}

CPen* CDC::SelectObject(CPen* pen)
{
  return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen->GetSafeHandle())));
}

CBrush* CDC::SelectObject(CBrush* brush)
{
  return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush->GetSafeHandle())));
}

int CDC::SelectObject(CRgn* region)
{
  // For a region SelectObject answers the region type, not a handle.
  return static_cast<int>(
      reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, region->GetSafeHandle())));
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
  return CGdiObject::FromHandle(::SelectObject(m_hDC, object->GetSafeHandle()));
}

CGdiObject* CDC::SelectStockObject(int index)
{
  return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index)));
}

int CDC::SelectClipRgn(CRgn* region)
{
  return ::SelectClipRgn(m_hDC, region != nullptr ? static_cast<HRGN>(*region) : nullptr);
}

int CDC::SetMapMode(int mode)
{
  return ::SetMapMode(m_hDC, mode);
}

SIZE CDC::SetWindowExt(int cx, int cy)
{
  SIZE old = {0, 0};
  ::SetWindowExtEx(m_hDC, cx, cy, &old);
  return old;
}

SIZE CDC::SetViewportExt(int cx, int cy)
{
  SIZE old = {0, 0};
  ::SetViewportExtEx(m_hDC, cx, cy, &old);
  return old;
}

POINT CDC::SetViewportOrg(int x, int y)
{
  POINT old = {0, 0};
  ::SetViewportOrgEx(m_hDC, x, y, &old);
  return old;
}

POINT CDC::SetWindowOrg(int x, int y)
{
  POINT old = {0, 0};
  ::SetWindowOrgEx(m_hDC, x, y, &old);
  return old;
}

POINT CDC::MoveTo(int x, int y)
{
  POINT old = {0, 0};
  ::MoveToEx(m_hDC, x, y, &old);
  return old;
}

BOOL CDC::LineTo(int x, int y)
{
  return ::LineTo(m_hDC, x, y);
}

BOOL CDC::Polyline(const POINT* points, int count)
{
  return ::Polyline(m_hDC, points, count);
}

BOOL CDC::Polygon(const POINT* points, int count)
{
  return ::Polygon(m_hDC, points, count);
}

int CDC::SetPolyFillMode(int mode)
{
  return ::SetPolyFillMode(m_hDC, mode);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
  ::FillRect(m_hDC, rect, static_cast<HBRUSH>(brush->GetSafeHandle()));
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
  return ::SetPixel(m_hDC, x, y, color);
}

COLORREF CDC::GetPixel(int x, int y) const
{
  return ::GetPixel(m_hDC, x, y);
}
