// LispError: an error of reading or evaluating; the command line prints it as
// "; error: " followed by the message, and goes on.
#pragma once

#include <stdexcept>
#include <string>

class LispError : public std::runtime_error {
public:
  // `incomplete`: the input ended inside a list or string (more lines may complete it).
  explicit LispError(const std::string& message, bool incomplete = false)
      : std::runtime_error(message), m_incomplete(incomplete)
  {
  }
  bool incomplete() const { return m_incomplete; }

private:
  bool m_incomplete;
};
