// CPaintDC: the device context of one WM_PAINT: BeginPaint on construction,
// EndPaint on destruction.
#pragma once

#include "mfc/CDC.h"

class CWnd;

class CPaintDC : public CDC {
public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;

  HWND m_hWnd;        // the window being painted
  PAINTSTRUCT m_ps{}; // what BeginPaint filled in
};
