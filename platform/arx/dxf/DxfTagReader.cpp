#include "arx/dxf/DxfTagReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {
constexpr DxfValueType classify(int code)
{
  if ((code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
      (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059))
    return DxfValueType::kReal;
  if ((code >= 60 && code <= 99) || (code >= 160 && code <= 179) || (code >= 270 && code <= 299) ||
      (code >= 370 && code <= 389) || (code >= 400 && code <= 409) ||
      (code >= 420 && code <= 429) || (code >= 440 && code <= 459) ||
      (code >= 1060 && code <= 1071))
    return DxfValueType::kInteger;
  return DxfValueType::kString;
}

// The type of every group code, -5 to 1071, worked out when compiling.
struct ValueTypes {
  DxfValueType of[1071 + 5 + 1];
  constexpr ValueTypes() : of()
  {
    for (int code = -5; code <= 1071; ++code)
      of[code + 5] = classify(code);
  }
};
constexpr ValueTypes kValueTypes;
} // namespace

DxfValueType dxfValueType(int code)
{
  return code >= -5 && code <= 1071 ? kValueTypes.of[code + 5] : classify(code);
}

bool DxfTag::equals(const char* s) const
{
  return std::strlen(s) == length && std::memcmp(s, text, length) == 0;
}

DxfTagReader::DxfTagReader(const char* data, std::size_t size)
    : m_start(data), m_pos(data), m_end(data + size)
{
}

DxfTagReader::DxfTagReader(std::FILE* file, std::size_t bufferSize)
    : m_pos(nullptr), m_end(nullptr), m_file(file), m_buffer(bufferSize > 0 ? bufferSize : 1)
{
}

void DxfTagReader::refill()
{
  const std::size_t keep = static_cast<std::size_t>(m_end - m_pos);
  if (m_pos != nullptr)
    m_consumed += static_cast<std::size_t>(m_pos - m_buffer.data());
  if (keep > 0 && m_pos != m_buffer.data())
    std::memmove(m_buffer.data(), m_pos, keep);
  // A buffer smaller than the longest line grows, never past a line and its end.
  if (keep == m_buffer.size() && m_buffer.size() < kMaxLine + 2)
    m_buffer.resize(std::min(m_buffer.size() * 2, kMaxLine + 2));
  const std::size_t n = std::fread(m_buffer.data() + keep, 1, m_buffer.size() - keep, m_file);
  if (n == 0) {
    m_eof = true;
    m_readFailed = std::ferror(m_file) != 0;
  }
  m_pos = m_buffer.data();
  m_end = m_pos + keep + n;
}

bool DxfTagReader::fail(long line, const std::string& what)
{
  m_error = "line " + std::to_string(line) + ": " + what;
  m_pos = m_end;
  m_eof = true; // nothing more is read after a fault
  return false;
}

namespace {
// The first '\n' in [p, limit), or null. DXF lines are short, and a library call
// per line costs more than the search (Wine's memchr goes byte by byte): eight
// bytes are tested at once (one is '\n' when it is zero after the exclusive or).
const char* findLineEnd(const char* p, const char* limit)
{
  const std::uint64_t ones = 0x0101010101010101ull;
  while (limit - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    const std::uint64_t x = word ^ (ones * '\n');
    const std::uint64_t found = (x - ones) & ~x & (ones * 0x80);
    if (found != 0) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
      // The lowest flag is the first '\n' (those above it may be false).
      return p + (__builtin_ctzll(found) >> 3);
#else
      break;
#endif
    }
    p += 8;
  }
  for (; p < limit; ++p)
    if (*p == '\n')
      return p;
  return nullptr;
}
} // namespace

bool DxfTagReader::readLine(const char*& start, std::size_t& length)
{
  // The line end is looked for within a line's greatest length (and its CR LF).
  const void* nl = nullptr;
  for (;;) {
    const std::size_t seen = static_cast<std::size_t>(m_end - m_pos);
    if (seen > 0)
      nl = findLineEnd(m_pos, m_pos + std::min(seen, kMaxLine + 2));
    if (nl != nullptr || seen >= kMaxLine + 2 || m_file == nullptr || m_eof)
      break;
    refill();
  }
  if (m_pos >= m_end)
    return false;
  if (nl == nullptr && static_cast<std::size_t>(m_end - m_pos) > kMaxLine) {
    m_tooLong = true;
    return fail(m_line + 1, "a line longer than " + std::to_string(kMaxLine) + " bytes");
  }
  start = m_pos;
  const char* stop = nl != nullptr ? static_cast<const char*>(nl) : m_end;
  m_pos = nl != nullptr ? stop + 1 : m_end;
  if (stop > start && stop[-1] == '\r')
    --stop;
  length = static_cast<std::size_t>(stop - start);
  if (length > kMaxLine) {
    m_tooLong = true;
    return fail(m_line + 1, "a line longer than " + std::to_string(kMaxLine) + " bytes");
  }
  ++m_line;
  return true;
}

namespace {
// The text with blanks trimmed at both ends.
void trim(const char*& s, std::size_t& n)
{
  while (n > 0 && (*s == ' ' || *s == '\t')) {
    ++s;
    --n;
  }
  while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\t' || s[n - 1] == '\r'))
    --n;
}

std::string quoted(const char* s, std::size_t n)
{
  std::string out = "\"";
  for (std::size_t i = 0; i < n && i < 40; ++i)
    out += (static_cast<unsigned char>(s[i]) < 0x20 || s[i] == 0x7F) ? '?' : s[i];
  if (n > 40)
    out += "...";
  return out + "\"";
}

// Digits after blanks, as writers put group codes and most integers ("  0", "330",
// " -1"): read here without the general parser; anything else is left to it.
bool quickInteger(const char* s, std::size_t n, long long& value)
{
  std::size_t i = 0;
  while (i < n && s[i] == ' ')
    ++i;
  const bool negative = i < n && s[i] == '-';
  if (negative)
    ++i;
  if (i == n || n - i > 18) // (18 digits cannot overflow)
    return false;
  long long v = 0;
  for (; i < n; ++i) {
    const unsigned digit = static_cast<unsigned char>(s[i]) - static_cast<unsigned>('0');
    if (digit > 9)
      return false;
    v = v * 10 + digit;
  }
  value = negative ? -v : v;
  return true;
}

bool parseInteger(const char* s, std::size_t n, long long& value)
{
  if (quickInteger(s, n, value))
    return true;
  trim(s, n);
  if (n > 0 && *s == '+') {
    ++s;
    --n;
  }
  if (n == 0)
    return false;
  auto r = std::from_chars(s, s + n, value);
  return r.ec == std::errc() && r.ptr == s + n;
}

// A plain decimal of at most 15 digits ("-12.3456", "0.0"), read without the general
// parser: its digits make an integer below 2^53 and its scale a power of ten up to
// 10^15, both exact doubles, so the one division is the correctly rounded value, the
// same the general parser gives. Anything else (exponents, more digits) is left to it.
bool quickReal(const char* s, std::size_t n, double& value)
{
  static const double kPowers[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::size_t i = 0;
  while (i < n && s[i] == ' ')
    ++i;
  const bool negative = i < n && s[i] == '-';
  if (negative)
    ++i;
  unsigned long long digits = 0;
  const std::size_t first = i; // of the digits
  for (; i < n && static_cast<unsigned>(s[i] - '0') <= 9; ++i)
    digits = digits * 10 + static_cast<unsigned>(s[i] - '0');
  std::size_t count = i - first;
  std::size_t decimals = 0;
  if (i < n && s[i] == '.') {
    const std::size_t point = ++i;
    for (; i < n && static_cast<unsigned>(s[i] - '0') <= 9; ++i)
      digits = digits * 10 + static_cast<unsigned>(s[i] - '0');
    decimals = i - point;
    count += decimals;
  }
  if (i != n || count == 0 || count > 15)
    return false;
  const double magnitude = static_cast<double>(digits) / kPowers[decimals];
  value = negative ? -magnitude : magnitude;
  return true;
}

bool parseReal(const char* s, std::size_t n, double& value)
{
  if (quickReal(s, n, value))
    return true;
  trim(s, n);
  if (n > 0 && *s == '+') {
    ++s;
    --n;
  }
  if (n == 0)
    return false;
  auto r = std::from_chars(s, s + n, value, std::chars_format::general);
  return r.ec == std::errc() && r.ptr == s + n && std::isfinite(value);
}
} // namespace

bool DxfTagReader::next(DxfTag& tag)
{
  for (;;) {
    const char* s;
    std::size_t n;
    if (!readLine(s, n))
      return false;
    const long codeLine = m_line;
    long long code = 0;
    if (!quickInteger(s, n, code) || code < -5 || code > 1071) {
      // Not digits after blanks: the general reading, and its fault.
      const char* codeText = s;
      std::size_t codeLength = n;
      trim(codeText, codeLength);
      if (!parseInteger(codeText, codeLength, code) || code < -5 || code > 1071)
        return fail(codeLine, "invalid group code " + quoted(codeText, codeLength));
    }
    if (!readLine(s, n)) {
      if (m_tooLong)
        return fail(codeLine + 1, "group code " + std::to_string(code) + ": a value longer than " +
                                      std::to_string(kMaxLine) + " bytes");
      return fail(codeLine,
                  "group code " + std::to_string(code) + ": the file ends before the value");
    }
    if (code == 999)
      continue; // a comment
    tag.code = static_cast<int>(code);
    tag.text = s;
    tag.length = n;
    tag.line = codeLine;
    switch (dxfValueType(tag.code)) {
    case DxfValueType::kReal:
      if (!parseReal(s, n, tag.real))
        return fail(m_line,
                    "group code " + std::to_string(code) + ": invalid number " + quoted(s, n));
      break;
    case DxfValueType::kInteger:
      if (!parseInteger(s, n, tag.integer)) {
        // Some writers put integers with a decimal part ("1.0"); accept whole values.
        double d = 0.0;
        if (!parseReal(s, n, d) || d != std::floor(d) || std::fabs(d) > 9.2e18)
          return fail(m_line,
                      "group code " + std::to_string(code) + ": invalid integer " + quoted(s, n));
        tag.integer = static_cast<long long>(d);
      }
      break;
    case DxfValueType::kString:
      break;
    }
    return true;
  }
}
