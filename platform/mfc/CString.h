// CString: a narrow (multibyte ANSI) string with MFC's interface. The text is
// always zero-terminated; operator LPCSTR gives it to Win32 calls directly.
//   MakeUpper / MakeLower   change case character by character; the bytes of a
//                           double-byte character of the ANSI code page are left
//                           as they are (MFC's _mbsupr in an MBCS build)
//   Compare                 byte-wise comparison, <0, 0 or >0 as strcmp
//   GetBuffer/ReleaseBuffer write access for Win32 calls that fill a buffer
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>

class CString {
public:
  // Construction
  CString() = default;
  CString(const CString& other) = default;
  CString(CString&& other) noexcept = default;
  CString(LPCSTR text) : m_text(text != nullptr ? text : "") {}
  CString(LPCSTR text, int length);
  CString(char ch, int repeat = 1);
  ~CString() = default;

  // Attributes
  int GetLength() const { return static_cast<int>(m_text.size()); }
  BOOL IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }
  char GetAt(int index) const { return m_text[static_cast<size_t>(index)]; }
  char operator[](int index) const { return GetAt(index); }
  void SetAt(int index, char ch) { m_text[static_cast<size_t>(index)] = ch; }
  operator LPCSTR() const { return m_text.c_str(); }

  // Assignment and concatenation
  CString& operator=(const CString& other) = default;
  CString& operator=(CString&& other) noexcept = default;
  CString& operator=(LPCSTR text);
  CString& operator=(char ch);
  CString& operator+=(const CString& other);
  CString& operator+=(LPCSTR text);
  CString& operator+=(char ch);
  friend CString operator+(const CString& a, const CString& b);
  friend CString operator+(const CString& a, LPCSTR b);
  friend CString operator+(LPCSTR a, const CString& b);
  friend CString operator+(const CString& a, char b);

  // Comparison
  int Compare(LPCSTR text) const;
  int CompareNoCase(LPCSTR text) const;

  // Extraction and search
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Left(int count) const;
  CString Right(int count) const;
  int Find(char ch) const;
  int Find(LPCSTR sub) const;

  // Changes
  void MakeUpper();
  void MakeLower();
  void TrimLeft();
  void TrimRight();
  void Format(LPCSTR format, ...);
  void FormatV(LPCSTR format, va_list args);

  // Buffer access: at least `minLength` writable bytes plus a terminator; the
  // length is fixed by ReleaseBuffer (-1: up to the first zero byte).
  LPSTR GetBuffer(int minLength);
  LPSTR GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);

private:
  std::string m_text; // the characters, without the terminator
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCSTR b);
bool operator==(LPCSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCSTR b);
bool operator!=(LPCSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);

// Upper-cases (`upper` true) or lower-cases the zero-terminated `text` in place
// in code page `codePage`: a lead byte of that code page and its trail byte are
// kept as they are; every other character changes case as the code page's
// single-byte table says. This is CString::MakeUpper/MakeLower's worker, which
// passes the ANSI code page.
void AfxChangeCaseMbcs(char* text, UINT codePage, bool upper);
