#include "quillmark/dialog/SortedListFill.h"

#include <algorithm>
#include <cstring>

namespace {

// `text` widened into `out` when it is plain ASCII (which every ANSI code page maps to
// the same UTF-16 values); false for any other text.
bool widenAscii(const char* text, std::vector<WCHAR>& out)
{
  out.clear();
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text);; ++p) {
    if (*p >= 0x80)
      return false;
    out.push_back(*p);
    if (*p == 0)
      return true;
  }
}

// The longest run of texts last found in list order, with the locale they were compared
// in. The comparison is a total order, so texts that appear among them in the same order
// are in list order too: a refill after a pattern change, a subset of the names the
// dialog listed first, is checked by comparing bytes instead of collating again.
struct VerifiedOrder {
  LCID locale = 0;
  std::vector<CString> texts;
};

VerifiedOrder& verifiedOrder()
{
  static VerifiedOrder verified; // UI thread only
  return verified;
}

// True when `texts` appear in `verified`, in this order (each text once).
bool isSubsequence(const std::vector<CString>& texts, const std::vector<CString>& verified)
{
  size_t j = 0;
  for (const CString& text : texts) {
    while (j < verified.size() && strcmp(verified[j], text) != 0)
      ++j;
    if (j == verified.size())
      return false;
    ++j;
  }
  return true;
}

// True for two different ASCII texts, `first` before `second` in byte order, whose
// parts after their common beginning are digits only (either may be empty): numbered
// names such as "DOOR-07" and "DOOR-12". Whatever the locale, such texts are in the
// list box's order too: the common beginning weighs the same in both, the first digits
// that differ decide as their values do, and a text sorts before a longer one it
// begins. (So the thousands of names of a numbered library need no collating.)
bool numberedInByteOrder(const char* first, const char* second)
{
  std::size_t k = 0;
  while (first[k] != '\0' && first[k] == second[k])
    ++k;
  if (first[k] == '\0' && second[k] == '\0')
    return false; // the same text
  for (const char* rest : {first + k, second + k})
    for (const char* p = rest; *p != '\0'; ++p)
      if (*p < '0' || *p > '9')
        return false;
  return true;
}

// True when every text sorts strictly before the next under the list box's comparison
// (CompareString with the box's locale, ignoring case, as a sorted list box compares).
// ASCII texts are compared as UTF-16 directly, which is what CompareStringA does after
// converting them, without its conversions.
bool inListOrder(HWND list, const std::vector<CString>& texts)
{
  LCID locale = static_cast<LCID>(::SendMessageA(list, LB_GETLOCALE, 0, 0));
  VerifiedOrder& verified = verifiedOrder();
  if (verified.locale == locale && isSubsequence(texts, verified.texts))
    return true;
  std::vector<WCHAR> a, b;
  bool wideA = !texts.empty() && widenAscii(texts[0], a);
  for (size_t i = 1; i < texts.size(); ++i) {
    bool wideB = widenAscii(texts[i], b);
    if (wideA && wideB && numberedInByteOrder(texts[i - 1], texts[i])) {
      a.swap(b);
      continue;
    }
    int order = wideA && wideB
                    ? ::CompareStringW(locale, NORM_IGNORECASE, a.data(), -1, b.data(), -1)
                    : ::CompareStringA(locale, NORM_IGNORECASE, texts[i - 1], -1, texts[i], -1);
    if (order != CSTR_LESS_THAN)
      return false;
    a.swap(b);
    wideA = wideB;
  }
  if (verified.locale != locale || texts.size() > verified.texts.size()) {
    verified.locale = locale;
    verified.texts = texts;
  }
  return true;
}

} // namespace

void addToSortedList(CListBox& list, std::vector<CString>& texts)
{
  // Names read from a table usually come in byte order already: checking costs one
  // comparison per name where sorting would cost a dozen.
  auto byteOrder = [](const CString& a, const CString& b) { return strcmp(a, b) < 0; };
  if (!std::is_sorted(texts.begin(), texts.end(), byteOrder))
    std::sort(texts.begin(), texts.end(), byteOrder);
  HWND box = list.m_hWnd;
  bool append = ::SendMessageA(box, LB_GETCOUNT, 0, 0) == 0 && inListOrder(box, texts);
  ::SendMessageA(box, WM_SETREDRAW, FALSE, 0);
  if (append) {
    ::SendMessageA(box, LB_INITSTORAGE, texts.size(), 0);
    // Appended through the list box's own procedure, in UTF-16 as it keeps them: the
    // dialog's subclass handles no LB_ message, and a message sent through it passes the
    // message maps and a conversion from ANSI text, which for thousands of entries
    // takes longer than the list box itself. (The conversion is the one a sent
    // LB_INSERTSTRING makes.)
    const WNDPROC own = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(box, GCLP_WNDPROC));
    std::vector<WCHAR> wide;
    for (const CString& text : texts) {
      if (!widenAscii(text, wide)) {
        int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
        wide.assign(n > 0 ? static_cast<std::size_t>(n) : 1, L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
      }
      ::CallWindowProcW(own, box, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(wide.data()));
    }
  } else {
    for (const CString& text : texts)
      ::SendMessageA(box, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(static_cast<const char*>(text)));
  }
  ::SendMessageA(box, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(box, nullptr, TRUE);
}
