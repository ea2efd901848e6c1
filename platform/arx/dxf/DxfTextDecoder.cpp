#include "arx/dxf/DxfTextDecoder.h"

#include "arx/dxf/DxfTextCodec.h"

#include <climits>
#include <cstring>

namespace {
bool isPlainAscii(const char* text, std::size_t length)
{
  for (std::size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80 || (c == '\\' && i + 2 < length && (text[i + 1] == 'U' || text[i + 1] == 'u') &&
                      text[i + 2] == '+'))
      return false;
  }
  return true;
}

int hexValue(char16_t c)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}
} // namespace

const std::string& DxfTextDecoder::decode(const char* text, std::size_t length)
{
  const DxfTextCodec& codec = dxfTextCodec();
  if (isPlainAscii(text, length) || length > INT_MAX / DxfTextCodec::kAnsiBytesPerUnit) {
    m_out.assign(text, length);
    return m_out;
  }
  const int size = static_cast<int>(length);
  m_wide.resize(length + 1);
  int n = codec.toUtf16(m_codePage, text, size, m_wide.data(), size + 1);
  if (n < 0) {
    // A code page the codec does not know: keep ASCII, mark the rest unshowable.
    n = 0;
    for (int i = 0; i < size; ++i) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      m_wide[n++] = c < 0x80 ? c : u'?';
    }
  }
  // "\U+XXXX": the character of that code point.
  int w = 0;
  for (int r = 0; r < n; ++w) {
    if (m_wide[r] == '\\' && r + 6 < n && (m_wide[r + 1] == 'U' || m_wide[r + 1] == 'u') &&
        m_wide[r + 2] == '+') {
      int a = hexValue(m_wide[r + 3]), b = hexValue(m_wide[r + 4]), c = hexValue(m_wide[r + 5]),
          d = hexValue(m_wide[r + 6]);
      if (a >= 0 && b >= 0 && c >= 0 && d >= 0) {
        m_wide[w] = static_cast<char16_t>((a << 12) | (b << 8) | (c << 4) | d);
        r += 7;
        continue;
      }
    }
    m_wide[w] = m_wide[r++];
  }
  m_out.resize(static_cast<std::size_t>(w) * DxfTextCodec::kAnsiBytesPerUnit + 1);
  int bytes = codec.toAnsi(m_wide.data(), w, &m_out[0], static_cast<int>(m_out.size()));
  m_out.resize(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
  return m_out;
}

unsigned dxfCodePageOf(const std::string& name)
{
  std::size_t i = name.size();
  while (i > 0 && name[i - 1] >= '0' && name[i - 1] <= '9')
    --i;
  if (name.size() - i < 3 || name.size() - i > 5)
    return 0;
  return static_cast<unsigned>(std::stoul(name.substr(i)));
}
