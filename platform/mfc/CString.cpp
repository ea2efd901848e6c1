#include "mfc/CString.h"

#include <cstdio>
#include <cstring>
#include <vector>

CString::CString(LPCSTR text, int length)
{
  if (text != nullptr && length > 0)
    m_text.assign(text, strnlen(text, static_cast<size_t>(length)));
}

CString::CString(char ch, int repeat)
{
  if (repeat > 0)
    m_text.assign(static_cast<size_t>(repeat), ch);
}

CString& CString::operator=(LPCSTR text)
{
  m_text = text != nullptr ? text : "";
  return *this;
}

CString& CString::operator=(char ch)
{
  m_text.assign(1, ch);
  return *this;
}

CString& CString::operator+=(const CString& other)
{
  m_text += other.m_text;
  return *this;
}

CString& CString::operator+=(LPCSTR text)
{
  if (text != nullptr)
    m_text += text;
  return *this;
}

CString& CString::operator+=(char ch)
{
  m_text += ch;
  return *this;
}

CString operator+(const CString& a, const CString& b)
{
  CString r(a);
  r += b;
  return r;
}

CString operator+(const CString& a, LPCSTR b)
{
  CString r(a);
  r += b;
  return r;
}

CString operator+(LPCSTR a, const CString& b)
{
  CString r(a);
  r += b;
  return r;
}

CString operator+(const CString& a, char b)
{
  CString r(a);
  r += b;
  return r;
}

int CString::Compare(LPCSTR text) const
{
  // Bytes compare as unsigned, so a double-byte character sorts by its lead byte.
  return std::strcmp(m_text.c_str(), text != nullptr ? text : "");
}

int CString::CompareNoCase(LPCSTR text) const
{
  CString a(*this), b(text);
  a.MakeLower();
  b.MakeLower();
  return a.Compare(b);
}

CString CString::Mid(int first) const
{
  return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
  if (first < 0)
    first = 0;
  if (first >= GetLength() || count <= 0)
    return CString();
  return CString(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)).c_str());
}

CString CString::Left(int count) const
{
  return Mid(0, count);
}

CString CString::Right(int count) const
{
  if (count >= GetLength())
    return *this;
  return Mid(GetLength() - count, count);
}

int CString::Find(char ch) const
{
  const size_t at = m_text.find(ch);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCSTR sub) const
{
  const size_t at = m_text.find(sub != nullptr ? sub : "");
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

void CString::MakeUpper()
{
  AfxChangeCaseMbcs(&m_text[0], CP_ACP, true);
}

void CString::MakeLower()
{
  AfxChangeCaseMbcs(&m_text[0], CP_ACP, false);
}

void CString::TrimLeft()
{
  const size_t first = m_text.find_first_not_of(" \t\r\n");
  m_text.erase(0, first == std::string::npos ? m_text.size() : first);
}

void CString::TrimRight()
{
  const size_t last = m_text.find_last_not_of(" \t\r\n");
  m_text.erase(last == std::string::npos ? 0 : last + 1);
}

void CString::Format(LPCSTR format, ...)
{
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::FormatV(LPCSTR format, va_list args)
{
  va_list probe;
  va_copy(probe, args);
  const int needed = std::vsnprintf(nullptr, 0, format, probe);
  va_end(probe);
  if (needed < 0) {
    m_text.clear();
    return;
  }
  std::vector<char> buffer(static_cast<size_t>(needed) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  m_text.assign(buffer.data(), static_cast<size_t>(needed));
}

LPSTR CString::GetBuffer(int minLength)
{
  if (minLength > GetLength())
    m_text.resize(static_cast<size_t>(minLength));
  return &m_text[0];
}

LPSTR CString::GetBufferSetLength(int length)
{
  m_text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
  if (newLength < 0 || static_cast<size_t>(newLength) > m_text.size())
    newLength = static_cast<int>(strnlen(m_text.c_str(), m_text.size()));
  m_text.resize(static_cast<size_t>(newLength));
}

bool operator==(const CString& a, const CString& b)
{
  return a.Compare(b) == 0;
}
bool operator==(const CString& a, LPCSTR b)
{
  return a.Compare(b) == 0;
}
bool operator==(LPCSTR a, const CString& b)
{
  return b.Compare(a) == 0;
}
bool operator!=(const CString& a, const CString& b)
{
  return !(a == b);
}
bool operator!=(const CString& a, LPCSTR b)
{
  return !(a == b);
}
bool operator!=(LPCSTR a, const CString& b)
{
  return !(a == b);
}
bool operator<(const CString& a, const CString& b)
{
  return a.Compare(b) < 0;
}

void AfxChangeCaseMbcs(char* text, UINT codePage, bool upper)
{
  if (codePage == CP_ACP)
    codePage = GetACP();
  // UTF-8 takes no default-character flag; its bytes above ASCII never convert
  // alone, so they are left as they are below.
  const bool utf = codePage == CP_UTF8 || codePage == CP_UTF7;
  for (char* p = text; *p != 0; ++p) {
    const BYTE b = static_cast<BYTE>(*p);
    // Lead bytes lie above 0x80 in every code page: ASCII needs no look-up.
    if (b >= 0x80 && IsDBCSLeadByteEx(codePage, b)) {
      // A lead byte and its trail byte form one character; a lead byte at the
      // very end (a cut string) is left alone too.
      if (p[1] == 0)
        break;
      ++p;
      continue;
    }
    if (b < 0x80) {
      if (upper && b >= 'a' && b <= 'z')
        *p = static_cast<char>(b - 'a' + 'A');
      else if (!upper && b >= 'A' && b <= 'Z')
        *p = static_cast<char>(b - 'A' + 'a');
      continue;
    }
    // A single-byte character above ASCII (such as 0xE9 in code page 1252):
    // change its case through Unicode and keep the result only if it maps back
    // to one byte of the same code page.
    WCHAR w = 0;
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, p, 1, &w, 1) != 1)
      continue;
    if (upper)
      CharUpperBuffW(&w, 1);
    else
      CharLowerBuffW(&w, 1);
    char out[2] = {0, 0};
    BOOL usedDefault = FALSE;
    if (WideCharToMultiByte(codePage, 0, &w, 1, out, 2, nullptr, utf ? nullptr : &usedDefault) ==
            1 &&
        !usedDefault)
      *p = out[0];
  }
}
