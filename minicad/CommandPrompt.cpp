#include "minicad/CommandPrompt.h"

#include "arx/ads/CommandLine.h"
#include "arx/host/AcApDocument.h"
#include "arx/host/AcEdCommandStack.h"
#include "arx/lisp/LispEnvironment.h"
#include "arx/lisp/LispError.h"
#include "arx/lisp/LispReader.h"

#include <windows.h>

#include <vector>

namespace {

// Piped text arrives as UTF-8; LISP works in the ANSI code page. A console already
// hands out ANSI text, and bytes that are not UTF-8 are taken as they are.
std::string utf8ToAnsi(const std::string& utf8)
{
  DWORD mode = 0;
  if (utf8.empty() || GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode))
    return utf8;
  int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                 static_cast<int>(utf8.size()), nullptr, 0);
  if (wide <= 0)
    return utf8;
  std::vector<wchar_t> buffer(static_cast<std::size_t>(wide));
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), buffer.data(), wide);
  int bytes = WideCharToMultiByte(CP_ACP, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0)
    return utf8;
  std::string ansi(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, buffer.data(), wide, &ansi[0], bytes, nullptr, nullptr);
  return ansi;
}

bool readLine(std::FILE* input, std::string& line)
{
  line.clear();
  int c;
  bool any = false;
  while ((c = std::fgetc(input)) != EOF) {
    any = true;
    if (c == '\n')
      break;
    line += static_cast<char>(c);
  }
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  commandLineLineEnded();
  // Ctrl+Z alone on a line ends console input, as it does for Windows programs.
  return any && line != "\x1a";
}

// True when the text ends inside a list or a string: more lines are needed.
bool isIncomplete(const std::string& text)
{
  try {
    LispReader reader(text);
    while (!reader.atEnd())
      reader.read();
    return false;
  } catch (const LispError& e) {
    return e.incomplete();
  }
}

std::string trim(const std::string& text)
{
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos)
    return std::string();
  std::size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

void runCommand(const std::string& name)
{
  AcEdCommand* command = acedRegCmds()->lookupCmd(name.c_str());
  if (command == nullptr) {
    commandLineWrite("Unknown command \"" + lispUpper(name) + "\".  Press F1 for help.\n");
    return;
  }
  command->function();
}

} // namespace

void evaluateAndPrint(const std::string& text)
{
  AcApDocument* doc = curDoc();
  if (doc == nullptr)
    doc = acDocManager->openDocument(nullptr);
  LispOutcome outcome = doc->lisp().evaluate(text);
  commandLineNewLine();
  commandLineWrite(outcome.printed + "\n");
  commandLineFlush();
}

void runCommandPrompt(std::FILE* input)
{
  std::string line;
  for (;;) {
    commandLineNewLine();
    commandLineWriteUtf8("Command: ");
    commandLineFlush();
    if (!readLine(input, line))
      break;
    std::string text = trim(utf8ToAnsi(line));
    if (text.empty())
      continue;
    if (text[0] == '(' || text[0] == '!') {
      if (text[0] == '!')
        text.erase(0, 1);
      // A list left open goes on over the next lines, as typed.
      bool ended = false;
      while (isIncomplete(text)) {
        if (!readLine(input, line)) {
          ended = true;
          break;
        }
        text += "\n" + utf8ToAnsi(line);
      }
      evaluateAndPrint(text);
      if (ended)
        break;
      continue;
    }
    runCommand(text.substr(0, text.find_first_of(" \t")));
  }
  commandLineWriteUtf8("\n");
  commandLineFlush();
}
