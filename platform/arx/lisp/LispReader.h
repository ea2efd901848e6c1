// LispReader: reads AutoLISP text into values, one expression at a time.
//   integers (a literal too large for 32 bits reads as a real), reals, strings with
//   \" \\ \n \r \t \e and \nnn escapes, symbols (upper-cased), lists, dotted pairs,
//   'x for (QUOTE x), nil; comments from ; to the end of the line and ;| ... |;.
// Any input is safe: malformed text gives a LispError, never a crash.
#pragma once

#include "arx/lisp/LispValue.h"

#include <cstddef>
#include <string>

class LispReader {
public:
  explicit LispReader(const std::string& text) : m_text(text) {}

  // True when only white space and comments remain.
  bool atEnd();
  // Reads the next expression. Throws LispError: "malformed list on input" (input ends
  // inside a list: incomplete), "malformed string on input" (inside a string:
  // incomplete), "extra right paren on input", "misplaced dot on input", or
  // "list nested too deeply on input".
  LispRef read();

  static const int kMaxDepth = 256; // deepest list nesting accepted

private:
  LispRef readExpression(int depth);
  LispRef readList(int depth);
  LispRef readString();
  LispRef readAtom();
  void skipBlank();
  bool more() const { return m_pos < m_text.size(); }

  std::string m_text;    // the input
  std::size_t m_pos = 0; // next byte to read
};
