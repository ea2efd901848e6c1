// CDialog: a modal dialog made from a dialog template resource.
//   InitModalIndirect   use a template in memory instead of a resource
//   DoModal        finds the template with AfxFindResourceHandle, runs the
//                  dialog (owner: the parent window, or none) and returns the
//                  value given to EndDialog; -1 when the template is missing
//                  or the dialog cannot be created
//   OnInitDialog   loads the members into the controls (UpdateData(FALSE));
//                  ends the dialog with -1 if that fails
//   OnOK           saves the controls into the members and ends with IDOK; the
//                  dialog stays open when the exchange fails
//   OnCancel       ends with IDCANCEL, exchanging nothing
//   UpdateData     one DoDataExchange pass; FALSE when it failed
// The dialog window is subclassed on WM_INITDIALOG, so its messages go through
// the message map (WM_COMMAND notifications of the controls included) before
// the dialog manager's own handling.
#pragma once

#include "mfc/CDataExchange.h"
#include "mfc/CWnd.h"

class CDialog : public CWnd {
public:
  CDialog() = default;
  explicit CDialog(UINT idTemplate, CWnd* parent = nullptr);
  explicit CDialog(LPCSTR templateName, CWnd* parent = nullptr);
  ~CDialog() override;

  // Attributes
  LPCSTR m_lpszTemplateName = nullptr;          // template name or MAKEINTRESOURCE id
  LPCDLGTEMPLATEA m_lpDialogTemplate = nullptr; // template in memory; used when set
  CWnd* m_pParentWnd = nullptr;                 // owner of the dialog, or null

  // Operations
  // Makes DoModal use `dialogTemplate` (not copied: it must outlive DoModal).
  BOOL InitModalIndirect(LPCDLGTEMPLATEA dialogTemplate, CWnd* parent = nullptr);
  virtual INT_PTR DoModal();
  void EndDialog(int result) { ::EndDialog(m_hWnd, result); }
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  CWnd* GetDlgItem(int id) const { return CWnd::GetDlgItem(id); }

  // Overridables
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

protected:
  virtual void DoDataExchange(CDataExchange* dx);

  static INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};
