// CBlockDialog: the modal block dialog (template 145). It lists the block names of a
// drawing that match a wildcard pattern, selects by type-ahead, and previews the
// selected block in its CBlockView; the preview always shows what OK returns.
//   openDrawing(null)   browse the host's current drawing (never deleted here)
//   openDrawing(path)   read a drawing file into a private database, owned by the
//                       dialog and deleted when it is destroyed
// After DoModal returns IDOK, m_blockName holds the selected name (upper case), or
// is empty when nothing was selected.
#pragma once

#include "mfc/CDialog.h"
#include "mfc/CListBox.h"
#include "mfc/CString.h"
#include "mfc/CStringList.h"
#include "quillmark/view/CBlockView.h"

class AcDbDatabase;

class CBlockDialog : public CDialog {
public:
  explicit CBlockDialog(CWnd* parent = nullptr);
  ~CBlockDialog() override;

  // Operations
  void openDrawing(const char* path);
  void closeDrawing();
  void refillList();

  // Data
  CBlockView m_preview;     // the preview control, bound to control 1063
  CListBox m_list;          // the block list, bound to control 1061
  CString m_pattern;        // wildcard pattern of edit 1066 (upper-cased after each change)
  CString m_selection;      // text of the type-ahead edit 1067
  CString m_blockName;      // text of the selected list entry; empty when none
  AcDbDatabase* m_database; // the database listed and previewed
  CString m_path;           // the drawing file read into m_database; empty for the current
                            // drawing (m_database is then the host's, not ours)

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  // Handlers
  // afx_msg void OnAbout();                BN_CLICKED from 3
  afx_msg void OnAbout();
  // afx_msg void OnSelchangeBlockList();   LBN_SELCHANGE from 1061
  afx_msg void OnSelchangeBlockList();
  // afx_msg void OnChangePattern();        EN_CHANGE from 1066
  afx_msg void OnChangePattern();
  // afx_msg void OnChangeSelection();      EN_CHANGE from 1067
  afx_msg void OnChangeSelection();

  DECLARE_MESSAGE_MAP()

private:
  // True while OnInitDialog's first data exchange writes the pattern into its edit: the
  // change that writing makes is not the user's, and the list is filled once after it.
  bool m_initialExchange;

  // The index LB_FINDSTRING or LB_FINDSTRINGEXACT gives for `text`, searching the
  // whole list from its first entry; LB_ERR when none matches.
  LRESULT findEntry(UINT message, const CString& text);
};

// Fills `list` (emptied first when `reset` is 1) with the names that do not begin with
// '*' and, upper-cased, match `pattern` (acutWcMatch); the list box sorts them.
void fillList(CListBox& list, const CStringList& names, CString pattern, int reset);
