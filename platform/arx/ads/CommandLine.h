// CommandLine: where acutPrintf and acedPrompt text goes. The text is in the
// process's ANSI code page; the terminal gets it as UTF-8.
#pragma once

#include <cstddef>
#include <string>

// Writes ANSI code page bytes to the command line (or to the capture buffer).
void commandLineWrite(const char* text, std::size_t length);
inline void commandLineWrite(const std::string& text)
{
  commandLineWrite(text.data(), text.size());
}
// Starts a new line unless the last text written ended one (or nothing was written).
void commandLineNewLine();
// The user ended a typed line (the terminal has moved to a new line).
void commandLineLineEnded();
// Writes text that is already UTF-8 (the host's own messages about files, ...).
void commandLineWriteUtf8(const std::string& text);
