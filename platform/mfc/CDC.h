// CDC: a device context and the drawing calls the preview makes on it.
//   m_hDC            the output handle; owned when the CDC made it (CreateDC,
//                    CreateCompatibleDC): the destructor deletes an attached DC
//   SelectObject     selects a pen, brush or region and returns the wrapper of
//                    what was selected before (a temporary one when nobody
//                    attached that handle, as MFC does)
// Coordinates are logical; points are Win32 POINT and SIZE values.
#pragma once

#include "mfc/CBrush.h"
#include "mfc/CGdiObject.h"
#include "mfc/CPen.h"
#include "mfc/CRgn.h"

#include <windows.h>

class CDC {
public:
  CDC() = default;
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // Attributes
  HDC m_hDC = nullptr;
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }

  // Construction
  BOOL Attach(HDC hdc);
  HDC Detach();
  BOOL DeleteDC();
  BOOL CreateCompatibleDC(CDC* dc);
  static CDC* FromHandle(HDC hdc);
  static void DeleteTempMap();

  // Selection
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  int SelectObject(CRgn* region); // a region is copied in: returns the region type
  CGdiObject* SelectObject(CGdiObject* object);
  CGdiObject* SelectStockObject(int index);
  int SelectClipRgn(CRgn* region);

  // Mapping
  int SetMapMode(int mode);
  SIZE SetWindowExt(int cx, int cy);
  SIZE SetViewportExt(int cx, int cy);
  POINT SetViewportOrg(int x, int y);
  POINT SetWindowOrg(int x, int y);

  // Drawing
  POINT MoveTo(int x, int y);
  BOOL LineTo(int x, int y);
  BOOL Polyline(const POINT* points, int count);
  BOOL Polygon(const POINT* points, int count);
  int SetPolyFillMode(int mode);
  void FillRect(LPCRECT rect, CBrush* brush);
  COLORREF SetPixel(int x, int y, COLORREF color);
  COLORREF GetPixel(int x, int y) const;
};
