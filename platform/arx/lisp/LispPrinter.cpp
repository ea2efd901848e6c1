#include "arx/lisp/LispPrinter.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

void printString(std::string& out, const std::string& text, bool escape)
{
  if (!escape) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    switch (c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\t':
      out += "\\t";
      break;
    case '\x1b':
      out += "\\e";
      break;
    default:
      if (u < 0x20 || u == 0x7F) {
        char octal[8];
        std::snprintf(octal, sizeof octal, "\\%03o", u);
        out += octal;
      } else {
        out += c; // bytes of the ANSI code page pass unchanged
      }
    }
  }
  out += '"';
}

void printValue(std::string& out, const LispRef& v, bool escape, int depth)
{
  if (!v) {
    out += "nil";
    return;
  }
  switch (v->type) {
  case LispType::Int:
    out += std::to_string(v->integer);
    break;
  case LispType::Real:
    out += lispFormatReal(v->real);
    break;
  case LispType::Str:
    printString(out, v->text, escape);
    break;
  case LispType::Sym:
    out += v->text;
    break;
  case LispType::Subr:
    out += "#<SUBR " + v->text + ">";
    break;
  case LispType::Exsubr:
    out += "#<EXSUBR " + v->text + ">";
    break;
  case LispType::Ename: {
    char text[40];
    std::snprintf(text, sizeof text, "<Entity name: %llx>",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(v->module)));
    out += text;
    break;
  }
  case LispType::Cons: {
    if (depth >= kLispMaxPrintDepth) {
      out += "(...)";
      return;
    }
    out += '(';
    const LispObject* cell = v.get();
    for (;;) {
      printValue(out, cell->car, escape, depth + 1);
      const LispRef& rest = cell->cdr;
      if (!rest)
        break;
      if (rest->type != LispType::Cons) {
        out += " . ";
        printValue(out, rest, escape, depth + 1);
        break;
      }
      out += ' ';
      cell = rest.get();
    }
    out += ')';
    break;
  }
  }
}

} // namespace

std::string lispFormatReal(double value)
{
  if (std::isnan(value))
    return "1.#QNAN";
  if (std::isinf(value))
    return value < 0 ? "-1.#INF" : "1.#INF";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6g", value);
  std::string text = buffer;
  std::size_t e = text.find('e');
  std::string mantissa = e == std::string::npos ? text : text.substr(0, e);
  std::string exponent = e == std::string::npos ? "" : text.substr(e);
  if (mantissa.find('.') == std::string::npos)
    mantissa += ".0";
  return mantissa + exponent;
}

std::string lispPrin1(const LispRef& value)
{
  std::string out;
  printValue(out, value, true, 0);
  return out;
}

std::string lispPrinc(const LispRef& value)
{
  std::string out;
  printValue(out, value, false, 0);
  return out;
}
