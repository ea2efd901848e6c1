// CListBox: a list box control. Each operation sends the LB_* message of the
// same name and returns its answer (LB_ERR, -1, on failure; LB_ERRSPACE, -2,
// when the list box is out of memory).
#pragma once

#include "mfc/CWnd.h"

class CListBox : public CWnd {
public:
  CListBox() = default;
  ~CListBox() override = default;

  // Attributes
  int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
  int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, index)); }
  int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
  int SetTopIndex(int index) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, index)); }
  DWORD_PTR GetItemData(int index) const { return SendMessage(LB_GETITEMDATA, index); }
  int SetItemData(int index, DWORD_PTR data)
  {
    return static_cast<int>(SendMessage(LB_SETITEMDATA, index, static_cast<LPARAM>(data)));
  }
  int GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, index)); }
  // Copies entry `index` into `buffer`, which must hold GetTextLen(index) + 1 bytes.
  int GetText(int index, LPSTR buffer) const
  {
    return static_cast<int>(SendMessage(LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer)));
  }
  // Entry `index`, or empty when there is no such entry.
  void GetText(int index, CString& text) const;

  // Operations
  int AddString(LPCSTR text)
  {
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
  }
  int InsertString(int index, LPCSTR text)
  {
    return static_cast<int>(SendMessage(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text)));
  }
  int DeleteString(UINT index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
  void ResetContent() { SendMessage(LB_RESETCONTENT); }
  // Prefix search, ignoring case, from the entry after `startAfter` (-1: from
  // the top), wrapping round to the top.
  int FindString(int startAfter, LPCSTR text) const
  {
    return static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
  }
  // As FindString, but the whole entry must match (still ignoring case).
  int FindStringExact(int startAfter, LPCSTR text) const
  {
    return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
  }
  // FindString, then selects what it found.
  int SelectString(int startAfter, LPCSTR text)
  {
    return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
  }
};
