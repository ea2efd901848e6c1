#include "arx/lisp/LispReader.h"

#include "arx/lisp/LispError.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

bool isDelimiter(char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v' || c == '(' ||
         c == ')' || c == '\'' || c == '"' || c == ';';
}

bool isDigit(char c)
{
  return c >= '0' && c <= '9';
}

} // namespace

void LispReader::skipBlank()
{
  while (more()) {
    char c = m_text[m_pos];
    if (c == ';') {
      if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '|') {
        std::size_t end = m_text.find("|;", m_pos + 2);
        m_pos = end == std::string::npos ? m_text.size() : end + 2;
      } else {
        while (more() && m_text[m_pos] != '\n')
          ++m_pos;
      }
    } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
      ++m_pos;
    } else {
      return;
    }
  }
}

bool LispReader::atEnd()
{
  skipBlank();
  return !more();
}

LispRef LispReader::read()
{
  skipBlank();
  if (!more())
    throw LispError("malformed list on input", true);
  return readExpression(0);
}

LispRef LispReader::readExpression(int depth)
{
  skipBlank();
  if (!more())
    throw LispError("malformed list on input", true);
  char c = m_text[m_pos];
  if (c == '(') {
    if (depth >= kMaxDepth)
      throw LispError("list nested too deeply on input");
    ++m_pos;
    return readList(depth + 1);
  }
  if (c == ')') {
    ++m_pos;
    throw LispError("extra right paren on input");
  }
  if (c == '\'') {
    if (depth >= kMaxDepth)
      throw LispError("list nested too deeply on input");
    ++m_pos;
    LispRef quoted = readExpression(depth + 1);
    return lispCons(lispSym("QUOTE"), lispCons(quoted, nullptr));
  }
  if (c == '"')
    return readString();
  return readAtom();
}

LispRef LispReader::readList(int depth)
{
  LispListBuilder items;
  bool any = false;
  for (;;) {
    skipBlank();
    if (!more())
      throw LispError("malformed list on input", true);
    char c = m_text[m_pos];
    if (c == ')') {
      ++m_pos;
      return items.finish();
    }
    // A lone dot after at least one item makes a dotted pair: exactly one more
    // expression, then the closing parenthesis.
    if (c == '.' && any && (m_pos + 1 >= m_text.size() || isDelimiter(m_text[m_pos + 1]))) {
      ++m_pos;
      skipBlank();
      if (more() && m_text[m_pos] == ')')
        throw LispError("misplaced dot on input");
      LispRef tail = readExpression(depth);
      skipBlank();
      if (!more())
        throw LispError("malformed list on input", true);
      if (m_text[m_pos] != ')')
        throw LispError("misplaced dot on input");
      ++m_pos;
      return items.finish(tail);
    }
    items.add(readExpression(depth));
    any = true;
  }
}

LispRef LispReader::readString()
{
  ++m_pos; // opening quote
  std::string text;
  while (more()) {
    char c = m_text[m_pos++];
    if (c == '"')
      return lispStr(text);
    if (c != '\\') {
      text += c;
      continue;
    }
    if (!more())
      break;
    char e = m_text[m_pos++];
    switch (e) {
    case 'n':
      text += '\n';
      break;
    case 'r':
      text += '\r';
      break;
    case 't':
      text += '\t';
      break;
    case 'e':
      text += '\x1b';
      break;
    default:
      if (e >= '0' && e <= '7') {
        // Up to three octal digits.
        int value = e - '0';
        for (int i = 0; i < 2 && more() && m_text[m_pos] >= '0' && m_text[m_pos] <= '7'; ++i)
          value = value * 8 + (m_text[m_pos++] - '0');
        text += static_cast<char>(value & 0xFF);
      } else {
        text += e; // \" \\ and any other character stand for themselves
      }
    }
  }
  throw LispError("malformed string on input", true);
}

LispRef LispReader::readAtom()
{
  std::size_t start = m_pos;
  while (more() && !isDelimiter(m_text[m_pos]))
    ++m_pos;
  std::string token = m_text.substr(start, m_pos - start);
  if (token == ".")
    throw LispError("misplaced dot on input");

  bool hasDigit = false;
  bool integerShape = !token.empty();
  for (std::size_t i = 0; i < token.size(); ++i) {
    char c = token[i];
    if (isDigit(c))
      hasDigit = true;
    else if (!(i == 0 && (c == '+' || c == '-')))
      integerShape = false;
  }
  if (hasDigit && integerShape) {
    errno = 0;
    long long value = std::strtoll(token.c_str(), nullptr, 10);
    if (errno == 0 && value >= INT32_MIN && value <= INT32_MAX)
      return lispInt(static_cast<std::int32_t>(value));
    return lispReal(std::strtod(token.c_str(), nullptr));
  }
  if (hasDigit) {
    char* end = nullptr;
    double value = std::strtod(token.c_str(), &end);
    // Only decimal forms: strtod would also take "0x1p3", "inf" and "nan".
    bool decimal = token.find_first_of("xXnN") == std::string::npos;
    if (decimal && end == token.c_str() + token.size() && std::isfinite(value))
      return lispReal(value);
  }
  std::string name = lispUpper(token);
  if (name == "NIL")
    return nullptr;
  return lispSym(name);
}
