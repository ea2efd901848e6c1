// acutPrintf, acedPrompt and acrx_abort, and the conversion of their ANSI text to
// the UTF-8 the terminal shows.
#include "arx/ads/CommandLine.h"

#include "arx/ads/AcedServices.h"
#include "arx/host/HostTestHooks.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct Output {
  bool capturing = false;  // text goes to `captured` instead of standard output
  std::string captured;    // ANSI bytes collected while capturing
  std::string pending;     // a lead byte whose second byte has not been written yet
  bool atLineStart = true; // the last byte written was a new line (or none was written)
};

Output& output()
{
  static Output o;
  return o;
}

void writeUtf8(const std::string& utf8)
{
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

std::string ansiToUtf8(const std::string& ansi)
{
  if (ansi.empty())
    return std::string();
  int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  if (wide <= 0)
    return ansi;
  std::vector<wchar_t> buffer(static_cast<std::size_t>(wide));
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), buffer.data(), wide);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0)
    WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, &utf8[0], bytes, nullptr, nullptr);
  return utf8;
}

std::string vformat(const char* format, va_list args)
{
  if (format == nullptr)
    return std::string();
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length <= 0)
    return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::vsnprintf(&text[0], text.size(), format, args);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

} // namespace

void commandLineWrite(const char* text, std::size_t length)
{
  Output& o = output();
  if (length > 0)
    o.atLineStart = text[length - 1] == '\n';
  if (o.capturing) {
    o.captured.append(text, length);
    return;
  }
  std::string ansi = o.pending + std::string(text, length);
  o.pending.clear();
  // A two-byte character split between two calls is converted when whole.
  std::size_t i = 0;
  while (i < ansi.size()) {
    if (IsDBCSLeadByte(static_cast<BYTE>(ansi[i]))) {
      if (i + 1 >= ansi.size()) {
        o.pending = ansi.substr(i);
        ansi.resize(i);
        break;
      }
      i += 2;
    } else {
      ++i;
    }
  }
  writeUtf8(ansiToUtf8(ansi));
}

void commandLineNewLine()
{
  if (!output().atLineStart)
    commandLineWrite("\n", 1);
}

void commandLineLineEnded()
{
  output().atLineStart = true;
}

void commandLineWriteUtf8(const std::string& text)
{
  Output& o = output();
  if (!text.empty())
    o.atLineStart = text.back() == '\n';
  if (o.capturing)
    o.captured += text;
  else
    writeUtf8(text);
}

void hostCaptureOutput(bool capture)
{
  output().capturing = capture;
}

std::string hostTakeOutput()
{
  std::string text;
  text.swap(output().captured);
  return text;
}

int acutPrintf(const char* format, ...)
{
  va_list args;
  va_start(args, format);
  std::string text = vformat(format, args);
  va_end(args);
  commandLineWrite(text);
  return static_cast<int>(text.size());
}

int acedPrompt(const char* text)
{
  if (text == nullptr)
    return RTERROR;
  commandLineWrite(text, std::strlen(text));
  return RTNORM;
}

void acrx_abort(const char* format, ...)
{
  va_list args;
  va_start(args, format);
  std::string text = vformat(format, args);
  va_end(args);
  output().capturing = false;
  commandLineWrite("\n" + text + "\n");
  std::fflush(stdout);
  ExitProcess(3);
}
