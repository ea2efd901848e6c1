// acutPrintf, acedPrompt and acrx_abort, and the conversion of their ANSI text for
// the terminal (UTF-8 on a pipe or file, UTF-16 to a console). A console is written
// at once; a pipe or file gets the text in batches (see commandLineFlush).
#include "arx/ads/CommandLine.h"

#include "arx/ads/AcedServices.h"
#include "arx/host/HostTestHooks.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Text for a pipe or file waits here until this much has gathered, or this long.
const std::size_t kBatchBytes = 8192;
const ULONGLONG kBatchMs = 100;

struct Output {
  Output() { InitializeCriticalSection(&lock); }
  bool capturing = false;  // text goes to `captured` instead of standard output
  std::string captured;    // ANSI bytes collected while capturing
  std::string pending;     // a lead byte whose second byte has not been written yet
  bool atLineStart = true; // the last byte written was a new line (or none was written)
  // Standard output as last looked at (GetConsoleMode asks Wine's server each time).
  HANDLE checked = nullptr;
  bool console = false;
  std::string batch;        // UTF-8 bytes not yet written to a pipe or file
  ULONGLONG batchStart = 0; // when the oldest of them was put there
  CRITICAL_SECTION lock;    // over `batch`: a script thread may flush it
};

Output& output()
{
  static Output o;
  return o;
}

// Writes out the batch; the caller holds the lock.
void flushBatch(Output& o)
{
  if (!o.batch.empty())
    std::fwrite(o.batch.data(), 1, o.batch.size(), stdout);
  o.batch.clear();
  std::fflush(stdout);
}

std::wstring toWide(UINT codePage, const std::string& text)
{
  if (text.empty())
    return std::wstring();
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0)
    return std::wstring();
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

// Adds UTF-8 bytes to the batch for a pipe or file, writing it out when it is due.
void appendToBatch(Output& o, const char* bytes, std::size_t length)
{
  EnterCriticalSection(&o.lock);
  const ULONGLONG now = GetTickCount64();
  if (o.batch.empty())
    o.batchStart = now;
  o.batch.append(bytes, length);
  if (o.batch.size() >= kBatchBytes || now - o.batchStart >= kBatchMs)
    flushBatch(o);
  LeaveCriticalSection(&o.lock);
}

// True when standard output is a console (looked at again only when its handle changes).
bool toConsole(Output& o)
{
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != o.checked) {
    DWORD mode = 0;
    o.checked = out;
    o.console = out != nullptr && out != INVALID_HANDLE_VALUE && GetConsoleMode(out, &mode);
  }
  return o.console;
}

// A terminal seen through Wine's console takes UTF-16 (WriteConsoleW) and shows it
// in the terminal's own encoding; a pipe or file gets UTF-8 bytes.
void writeWide(const std::wstring& wide)
{
  if (wide.empty())
    return;
  Output& o = output();
  if (toConsole(o)) {
    EnterCriticalSection(&o.lock);
    flushBatch(o);
    DWORD written = 0;
    WriteConsoleW(o.checked, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    LeaveCriticalSection(&o.lock);
    return;
  }
  int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                  0, nullptr, nullptr);
  if (bytes <= 0)
    return;
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], bytes,
                      nullptr, nullptr);
  appendToBatch(o, utf8.data(), utf8.size());
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
  // Plain ASCII is the same bytes in every ANSI code page and in UTF-8: for a pipe or
  // file it goes straight into the batch.
  if (o.pending.empty() && !toConsole(o) && std::all_of(text, text + length, [](char c) {
        return static_cast<unsigned char>(c) < 0x80;
      })) {
    appendToBatch(o, text, length);
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
  writeWide(toWide(CP_ACP, ansi));
}

void commandLineFlush()
{
  Output& o = output();
  EnterCriticalSection(&o.lock);
  flushBatch(o);
  LeaveCriticalSection(&o.lock);
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
    writeWide(toWide(CP_UTF8, text));
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
  commandLineFlush();
  ExitProcess(3);
}
