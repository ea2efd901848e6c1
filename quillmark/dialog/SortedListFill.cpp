#include "quillmark/dialog/SortedListFill.h"

#include <algorithm>
#include <cstring>

namespace {

// True when every text sorts strictly before the next under the list box's comparison
// (CompareString with the box's locale, ignoring case, as a sorted list box compares).
bool inListOrder(HWND list, const std::vector<CString>& texts)
{
  LCID locale = static_cast<LCID>(::SendMessageA(list, LB_GETLOCALE, 0, 0));
  for (size_t i = 1; i < texts.size(); ++i)
    if (::CompareStringA(locale, NORM_IGNORECASE, texts[i - 1], -1, texts[i], -1) != CSTR_LESS_THAN)
      return false;
  return true;
}

} // namespace

void addToSortedList(CListBox& list, std::vector<CString>& texts)
{
  std::sort(texts.begin(), texts.end(),
            [](const CString& a, const CString& b) { return strcmp(a, b) < 0; });
  HWND box = list.m_hWnd;
  bool append = ::SendMessageA(box, LB_GETCOUNT, 0, 0) == 0 && inListOrder(box, texts);
  ::SendMessageA(box, WM_SETREDRAW, FALSE, 0);
  if (append)
    ::SendMessageA(box, LB_INITSTORAGE, texts.size(), 0);
  for (const CString& text : texts)
    ::SendMessageA(box, append ? LB_INSERTSTRING : LB_ADDSTRING,
                   append ? static_cast<WPARAM>(-1) : 0,
                   reinterpret_cast<LPARAM>(static_cast<const char*>(text)));
  ::SendMessageA(box, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(box, nullptr, TRUE);
}
