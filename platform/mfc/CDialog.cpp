#include "mfc/CDialog.h"

#include "mfc/AfxModuleState.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT idTemplate, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCEA(idTemplate)), m_pParentWnd(parent)
{
}

CDialog::CDialog(LPCSTR templateName, CWnd* parent)
    : m_lpszTemplateName(templateName), m_pParentWnd(parent)
{
}

CDialog::~CDialog()
{
  // A modal dialog's window is gone when DoModal returns; nothing is left to end.
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEA dialogTemplate, CWnd* parent)
{
  m_lpDialogTemplate = dialogTemplate;
  m_pParentWnd = parent;
  return dialogTemplate != nullptr;
}

INT_PTR CDialog::DoModal()
{
  HINSTANCE module = AfxGetResourceHandle();
  LPCDLGTEMPLATEA dialogTemplate = m_lpDialogTemplate;
  if (dialogTemplate == nullptr && m_lpszTemplateName != nullptr) {
    module = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    HRSRC resource = ::FindResourceA(module, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL loaded = resource != nullptr ? ::LoadResource(module, resource) : nullptr;
    dialogTemplate =
        static_cast<LPCDLGTEMPLATEA>(loaded != nullptr ? ::LockResource(loaded) : nullptr);
  }
  if (dialogTemplate == nullptr)
    return -1;
  HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
  const INT_PTR result = ::DialogBoxIndirectParamA(module, dialogTemplate, owner, AfxDlgProc,
                                                   reinterpret_cast<LPARAM>(this));
  // The window is destroyed by now and WM_NCDESTROY has detached it; a dialog
  // that failed half-way through creation is detached here.
  if (m_hWnd != nullptr)
    UnsubclassWindow();
  return result;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return !dx.m_bFailed;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
  if (!UpdateData(FALSE)) {
    EndDialog(-1);
    return FALSE;
  }
  return TRUE;
}

void CDialog::OnOK()
{
  if (!UpdateData(TRUE))
    return;
  EndDialog(IDOK);
}

void CDialog::OnCancel()
{
  EndDialog(IDCANCEL);
}

INT_PTR CALLBACK CDialog::AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
  // Only WM_INITDIALOG is handled here: it ties the window to its object and
  // subclasses it, so that everything after it arrives through AfxWndProc. The
  // dialog manager calls this procedure for other messages too; FALSE lets it
  // do its default handling.
  if (message != WM_INITDIALOG)
    return FALSE;
  auto* dialog = reinterpret_cast<CDialog*>(lParam);
  if (dialog == nullptr || !dialog->SubclassWindow(hWnd)) {
    ::EndDialog(hWnd, -1);
    return FALSE;
  }
  return dialog->OnInitDialog();
}
