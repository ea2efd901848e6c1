// CBrush: an owned GDI brush.
#pragma once

#include "mfc/CGdiObject.h"

class CBrush : public CGdiObject {
public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }

  static CBrush* FromHandle(HBRUSH handle) { return fromHandleAs<CBrush>(handle); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

  BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
  BOOL CreateStockObject(int index) { return Attach(::GetStockObject(index)); }
};
