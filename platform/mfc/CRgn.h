// CRgn: an owned GDI region.
#pragma once

#include "mfc/CGdiObject.h"

class CRgn : public CGdiObject {
public:
  CRgn() = default;

  static CRgn* FromHandle(HRGN handle) { return fromHandleAs<CRgn>(handle); }
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }

  BOOL CreateRectRgn(int x1, int y1, int x2, int y2)
  {
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
  }
  BOOL CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }
};
