// DxfTagReader: splits an ASCII DXF text (held in memory) into group-code / value
// pairs. The text is untrusted: a group code that is not a number in -5..1071, a
// value that does not fit its group code's type, or a file that ends between a
// group code and its value stops the reader with an error naming the line and the
// code (`invalid group code "1x"`). 999 comments are passed over. LF and CRLF line
// ends are both accepted. A line longer than kMaxLine bytes (DXF values are far
// shorter) is an error naming its line, so reading a file never holds more than its
// buffer. Nothing is allocated per pair.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// The type of value a group code carries.
enum class DxfValueType { kString, kReal, kInteger };

DxfValueType dxfValueType(int code);

struct DxfTag {
  int code = 0;           // group code
  const char* text = "";  // value text, not terminated (points into the input)
  std::size_t length = 0; // bytes of text
  double real = 0.0;      // the value, for real codes
  long long integer = 0;  // the value, for integer codes
  long line = 0;          // line of the group code, counted from 1

  bool equals(const char* s) const; // the value text equals s
  // The same for a string constant, whose length is known without a count.
  template <std::size_t N> bool is(const char (&s)[N]) const
  {
    return length == N - 1 && std::memcmp(s, text, N - 1) == 0;
  }
  std::string str() const { return std::string(text, length); }
};

class DxfTagReader {
public:
  // The longest line read, without its end (64 KiB).
  static constexpr std::size_t kMaxLine = 65536;

  // Reads a text held in memory.
  DxfTagReader(const char* data, std::size_t size);
  // Reads a file as it goes, through a buffer of `bufferSize` bytes that grows to
  // hold the longest line, kMaxLine at most (the file stays open and is read from its
  // current position). The default, twice the longest line, is never outgrown and
  // holds little memory while the drawing's own grows.
  explicit DxfTagReader(std::FILE* file, std::size_t bufferSize = 128 * 1024);

  // Reads the next pair into `tag`. False at the end of the text (error() empty)
  // or at a fault (error() says what and where).
  bool next(DxfTag& tag);
  const std::string& error() const { return m_error; }
  // The line the reader has reached.
  long line() const { return m_line; }
  // True when reading the file failed (not merely ended).
  bool readFailed() const { return m_readFailed; }
  // Bytes of the text or file read so far.
  std::size_t offset() const
  {
    return m_consumed + static_cast<std::size_t>(m_pos - (m_file ? m_buffer.data() : m_start));
  }
  // Bytes of file buffer held.
  std::size_t bufferSize() const { return m_buffer.size(); }

private:
  // The next line without its end; false at the end of the text.
  bool readLine(const char*& start, std::size_t& length);
  bool fail(long line, const std::string& what);
  // Moves the unread bytes to the front of the buffer and reads more after them.
  void refill();

  const char* m_start = nullptr; // start of a text in memory
  std::size_t m_consumed = 0;    // file bytes moved out of the buffer
  const char* m_pos;             // next unread byte
  const char* m_end;             // end of the text (of the buffered part, when reading a file)
  std::FILE* m_file = nullptr;   // the file read, or null for a text in memory
  std::vector<char> m_buffer;    // the buffered part of the file
  bool m_eof = false;            // the file has no more bytes
  bool m_readFailed = false;     // reading the file failed
  bool m_tooLong = false;        // the reader stopped at a line longer than kMaxLine
  long m_line = 0;               // lines read so far
  std::string m_error;           // the fault, empty while there is none
};
