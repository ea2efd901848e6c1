// CommandLine: where acutPrintf and acedPrompt text goes. The text is in the
// process's ANSI code page; the terminal gets it as UTF-8. A console shows each text
// at once; a pipe or file gets it in batches, each written once 8 KB have gathered or
// a write comes a tenth of a second after its first, and at every commandLineFlush.
#pragma once

#include <cstddef>
#include <string>

// Writes ANSI code page bytes to the command line (or to the capture buffer).
void commandLineWrite(const char* text, std::size_t length);
inline void commandLineWrite(const std::string& text)
{
  commandLineWrite(text.data(), text.size());
}
// Writes out what waits for a pipe or file. The host calls it when it waits for the
// user: before reading a command, when a modal window it owns is idle, at the end.
// Any thread may call it.
void commandLineFlush();
// Starts a new line unless the last text written ended one (or nothing was written).
void commandLineNewLine();
// The user ended a typed line (the terminal has moved to a new line).
void commandLineLineEnded();
// Writes text that is already UTF-8 (the host's own messages about files, ...).
void commandLineWriteUtf8(const std::string& text);
