// CPen: an owned GDI pen.
#pragma once

#include "mfc/CGdiObject.h"

class CPen : public CGdiObject {
public:
  CPen() = default;
  CPen(int penStyle, int width, COLORREF color) { CreatePen(penStyle, width, color); }

  static CPen* FromHandle(HPEN handle) { return fromHandleAs<CPen>(handle); }
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }

  BOOL CreatePen(int penStyle, int width, COLORREF color)
  {
    return Attach(::CreatePen(penStyle, width, color));
  }
};
