// DxfTextDecoder: turns a text value of a DXF file into the process's narrow text:
// from the file's code page (or UTF-8), with "\U+XXXX" escapes resolved, through
// the DxfTextCodec in force. Pure ASCII without escapes is copied as it is. Escapes
// are resolved before the conversion, so a character the file escapes but the ANSI
// code page holds shows as itself; one it lacks comes back as "\U+XXXX".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class DxfTextDecoder {
public:
  // The code page of the text that follows (65001 for UTF-8).
  void setCodePage(unsigned codePage) { m_codePage = codePage; }
  unsigned codePage() const { return m_codePage; }
  // The text, converted; the result stays valid until the next call.
  const std::string& decode(const char* text, std::size_t length);

private:
  unsigned m_codePage = 1252;   // code page of the file's text
  std::string m_out;            // the last result
  std::vector<char16_t> m_wide; // scratch: the text in UTF-16
};

// The code page that a $DWGCODEPAGE value names ("ANSI_1252" -> 1252, "DOS437" -> 437);
// 0 when it names none.
unsigned dxfCodePageOf(const std::string& name);
