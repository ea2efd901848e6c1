// Dialog data exchange: CDataExchange carries one pass of a dialog's
// DoDataExchange, either from the controls into the members (saving,
// UpdateData(TRUE)) or from the members into the controls (loading).
//   DDX_Control    binds a member window object to a control by subclassing it,
//                  once: a bound object is left as it is
//   DDX_Text       a CString member and the text of an (edit) control; on load
//                  the text is set only when it differs, so an unchanged edit
//                  sends no EN_CHANGE
//   DDX_LBString   a CString member and a list box's selection: on save the
//                  selected entry's text, empty when nothing is selected; on
//                  load the first entry that begins with the string (case
//                  ignored) is selected, and the selection stays as it is
//                  when no entry does
// A control id the dialog does not have fails the pass: Fail() marks it,
// later exchanges of the pass do nothing, and UpdateData returns FALSE.
#pragma once

#include "mfc/CString.h"

#include <windows.h>

class CWnd;

class CDataExchange {
public:
  CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate);

  BOOL m_bSaveAndValidate; // TRUE: controls to members; FALSE: members to controls
  CWnd* m_pDlgWnd;         // the dialog whose controls are exchanged
  HWND m_hWndLastControl;  // the control of the last exchange
  BOOL m_bEditLastControl; // whether that control is an edit
  BOOL m_bFailed;          // set by Fail: the pass has failed

  // The control `id` of the dialog, or null (and the pass failed) if it has none.
  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  void Fail();
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_LBString(CDataExchange* dx, int id, CString& value);
