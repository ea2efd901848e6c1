#include "arx/dxf/DxfTextCodec.h"

namespace {
// Windows-1252 characters 0x80..0x9F (0 where the code page has none).
const char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int utf8ToUtf16(const unsigned char* in, int size, char16_t* out, int capacity)
{
  int n = 0;
  for (int i = 0; i < size && n < capacity;) {
    unsigned c = in[i];
    unsigned cp;
    int extra;
    if (c < 0x80) {
      cp = c;
      extra = 0;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      extra = 3;
    } else {
      out[n++] = 0xFFFD; // a stray continuation or invalid lead byte
      ++i;
      continue;
    }
    int j = 1;
    for (; j <= extra && i + j < size && (in[i + j] & 0xC0) == 0x80; ++j)
      cp = (cp << 6) | (in[i + j] & 0x3F);
    if (j <= extra || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out[n++] = 0xFFFD; // truncated or invalid sequence
      i += j;
      continue;
    }
    i += j;
    if (cp >= 0x10000) {
      if (n + 2 > capacity)
        break;
      cp -= 0x10000;
      out[n++] = static_cast<char16_t>(0xD800 + (cp >> 10));
      out[n++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out[n++] = static_cast<char16_t>(cp);
    }
  }
  return n;
}

int builtinToUtf16(unsigned codePage, const char* in, int size, char16_t* out, int capacity)
{
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(in);
  if (codePage == 65001)
    return utf8ToUtf16(bytes, size, out, capacity);
  if (codePage != 1252 && codePage != 28591)
    return -1;
  int n = 0;
  for (int i = 0; i < size && n < capacity; ++i) {
    unsigned c = bytes[i];
    char16_t u = static_cast<char16_t>(c);
    if (codePage == 1252 && c >= 0x80 && c < 0xA0)
      u = kCp1252High[c - 0x80] != 0 ? kCp1252High[c - 0x80] : static_cast<char16_t>(c);
    out[n++] = u;
  }
  return n;
}

int builtinToAnsi(const char16_t* in, int size, char* out, int capacity)
{
  int n = 0;
  for (int i = 0; i < size; ++i) {
    char16_t u = in[i];
    int c = -1;
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      c = u;
    } else {
      for (int k = 0; k < 32; ++k)
        if (kCp1252High[k] == u)
          c = 0x80 + k;
      // The five bytes 1252 leaves undefined stand for themselves, as on Windows.
      if (u >= 0x80 && u < 0xA0 && kCp1252High[u - 0x80] == 0)
        c = u;
    }
    if (c >= 0) {
      if (n + 1 > capacity)
        return -1;
      out[n++] = static_cast<char>(c);
    } else {
      if (n + DxfTextCodec::kAnsiBytesPerUnit > capacity)
        return -1;
      n += writeUnicodeEscape(u, out + n);
    }
  }
  return n;
}

unsigned builtinAnsiCodePage()
{
  return 1252;
}

const DxfTextCodec kBuiltin = {builtinToUtf16, builtinToAnsi, builtinAnsiCodePage};
const DxfTextCodec* g_codec = &kBuiltin;
} // namespace

int writeUnicodeEscape(char16_t unit, char* out)
{
  static const char kHex[] = "0123456789ABCDEF";
  out[0] = '\\';
  out[1] = 'U';
  out[2] = '+';
  for (int k = 0; k < 4; ++k)
    out[3 + k] = kHex[(unit >> (12 - 4 * k)) & 0xF];
  return DxfTextCodec::kAnsiBytesPerUnit;
}

void setDxfTextCodec(const DxfTextCodec* codec)
{
  g_codec = codec != nullptr ? codec : &kBuiltin;
}

const DxfTextCodec& dxfTextCodec()
{
  return *g_codec;
}

const DxfTextCodec& builtinDxfTextCodec()
{
  return kBuiltin;
}
