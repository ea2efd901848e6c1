// CWnd: a window object over an HWND, as MFC's.
//   m_hWnd                 the window, null when none is attached
//   FromHandle             the object of a window: the permanent one if the window
//                          is attached, else a temporary one (see below)
//   Attach / Detach        tie an object to a window in the permanent map, or untie it
//   SubclassWindow         Attach and replace the window procedure, so that every
//                          message goes through this object's message map first and
//                          then to the original procedure
//   WindowProc / OnWndMsg  the message route; DefWindowProc calls the original
//                          procedure (or ::DefWindowProc when there is none)
//
// Temporary objects wrap windows no object is attached to (the host's main
// window, a chooser's window). They own nothing and route nothing; one is kept
// per window until the window is gone, and is then freed by the next
// FromHandle or by DeleteTempMap.
//
// When an attached window is destroyed, its WM_NCDESTROY restores the original
// procedure, detaches the object and calls PostNcDestroy. An object destroyed
// while its window lives gives the window its original procedure back and
// detaches; it does not destroy a window it was merely given.
//
// The maps belong to the user-interface thread; objects are not shared
// between threads.
#pragma once

#include "mfc/CCmdTarget.h"
#include "mfc/CString.h"

#include <windows.h>

class CWnd : public CCmdTarget {
public:
  CWnd() = default;
  ~CWnd() override;

  // Attributes
  HWND m_hWnd = nullptr; // the attached window
  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }

  // Handle maps
  static CWnd* FromHandle(HWND hWnd);
  static CWnd* FromHandlePermanent(HWND hWnd);
  static void DeleteTempMap();
  BOOL Attach(HWND hWnd);
  HWND Detach();
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();

  // Window state and operations (each is the Win32 call of the same name)
  CWnd* GetDlgItem(int id) const;
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
  void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
  void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
  BOOL RedrawWindow(LPCRECT rectUpdate = nullptr, HRGN rgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
  {
    return ::RedrawWindow(m_hWnd, rectUpdate, rgnUpdate, flags);
  }
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
  {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
  {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }
  void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
  int GetWindowText(LPSTR buffer, int size) const { return ::GetWindowTextA(m_hWnd, buffer, size); }
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
  BOOL ShowWindow(int cmdShow) { return ::ShowWindow(m_hWnd, cmdShow); }
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
  HICON SetIcon(HICON icon, BOOL bigIcon)
  {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  }
  BOOL DestroyWindow();

  // Message route
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void PostNcDestroy() {}
  // The message being handled, passed on to DefWindowProc.
  LRESULT Default();

  // Handlers (used through a message map)
  afx_msg void OnPaint() { Default(); }

  // The window procedure of every subclassed window.
  static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

protected:
  WNDPROC m_pfnSuper = nullptr; // the procedure that subclassing replaced, or null

private:
  void restoreProcedure();
};
