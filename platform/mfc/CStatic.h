// CStatic: a static control (label, frame, icon or picture). Preview and
// picture controls derive from it and are bound to a dialog's static control
// by subclassing (DDX_Control or SubclassDlgItem).
#pragma once

#include "mfc/CWnd.h"

class CStatic : public CWnd {
public:
  CStatic() = default;
  ~CStatic() override = default;

  // Operations (STM_* messages)
  HICON SetIcon(HICON icon)
  {
    return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon), 0));
  }
  HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON, 0, 0)); }
  HBITMAP SetBitmap(HBITMAP bitmap)
  {
    return reinterpret_cast<HBITMAP>(
        SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  }
};
