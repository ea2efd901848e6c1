// Running minicad.exe as a user would, for the end-to-end tests: a temporary folder
// with drawings and scripts, the command line, and what minicad printed.
#pragma once

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with its files.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  const std::string& path() const { return m_path; }
  // Writes `text` to `name` (may contain sub-folders, created as needed); returns the full path.
  std::string write(const std::string& name, const std::string& text) const;

private:
  std::string m_path;
};

struct MinicadRun {
  int exitCode = -1;              // minicad's exit code (-1 when it had to be killed)
  bool timedOut = false;          // it did not end within the time limit
  std::string output;             // standard output and error, interleaved as written
  std::vector<std::string> lines; // `output` split into lines, "\r" removed

  // The lines that start with `prefix`, in order (the prefix removed).
  std::vector<std::string> linesAfter(const std::string& prefix) const;
  // Index of the first line equal to `line` (or that contains it when `contains`), or -1.
  int find(const std::string& line, bool contains = false) const;
  // The results of the -e expressions as the command line printed them ("X" or nil).
  std::vector<std::string> results() const;
};

// Runs minicad.exe (beside this test program) in `folder` with QUILMARK.ARX loaded,
// the script `script` (written to the folder) and the given expressions and drawings.
MinicadRun runMinicad(const TempFolder& folder, const std::string& script,
                      const std::vector<std::string>& expressions,
                      const std::vector<std::string>& drawings, unsigned timeoutMs = 30000);

// A drawing (R12 DXF, or the $ACADVER `version`) whose BLOCKS section holds one block
// per name, each with one line; names beginning with '*' are anonymous blocks.
std::string dxfWithBlocks(const std::vector<std::string>& names, const char* version = "AC1009");
