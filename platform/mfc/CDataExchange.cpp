#include "mfc/CDataExchange.h"

#include "mfc/CWnd.h"

CDataExchange::CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd), m_hWndLastControl(nullptr),
      m_bEditLastControl(FALSE), m_bFailed(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int id)
{
  if (m_bFailed)
    return nullptr;
  HWND control = m_pDlgWnd != nullptr ? ::GetDlgItem(m_pDlgWnd->m_hWnd, id) : nullptr;
  if (control == nullptr) {
    Fail();
    return nullptr;
  }
  m_hWndLastControl = control;
  m_bEditLastControl = FALSE;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
  HWND control = PrepareCtrl(id);
  if (control != nullptr)
    m_bEditLastControl = TRUE;
  return control;
}

void CDataExchange::Fail()
{
  m_bFailed = TRUE;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
  if (control.m_hWnd != nullptr)
    return;
  HWND hWnd = dx->PrepareCtrl(id);
  if (hWnd != nullptr && !control.SubclassWindow(hWnd))
    dx->Fail();
}

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
  HWND control = dx->PrepareEditCtrl(id);
  if (control == nullptr)
    return;
  const int length = ::GetWindowTextLengthA(control);
  CString current;
  ::GetWindowTextA(control, current.GetBufferSetLength(length), length + 1);
  current.ReleaseBuffer();
  if (dx->m_bSaveAndValidate)
    value = current;
  else if (current != value)
    ::SetWindowTextA(control, value);
}

void DDX_LBString(CDataExchange* dx, int id, CString& value)
{
  HWND control = dx->PrepareCtrl(id);
  if (control == nullptr)
    return;
  if (!dx->m_bSaveAndValidate) {
    ::SendMessageA(control, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
    return;
  }
  const LRESULT index = ::SendMessageA(control, LB_GETCURSEL, 0, 0);
  const LRESULT length =
      index == LB_ERR ? LB_ERR : ::SendMessageA(control, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) {
    value.Empty();
    return;
  }
  const LRESULT copied =
      ::SendMessageA(control, LB_GETTEXT, index,
                     reinterpret_cast<LPARAM>(value.GetBufferSetLength(static_cast<int>(length))));
  value.ReleaseBuffer(copied == LB_ERR ? 0 : static_cast<int>(copied));
}
