#include "MinicadRun.h"

#include <windows.h>

#include <cstdio>

namespace {

std::string programFolder()
{
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of('\\'));
}

// Quotes one argument so that the C runtime's command-line parser gives it back unchanged.
std::string quoteArgument(const std::string& arg)
{
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"')
      quoted.append(backslashes * 2 + 1, '\\');
    else
      quoted.append(backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

void removeTree(const std::string& folder)
{
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..")
        continue;
      std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        removeTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

} // namespace

TempFolder::TempFolder()
{
  static int counter = 0;
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  m_path = std::string(base) + "quill-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter);
  CreateDirectoryA(m_path.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
  removeTree(m_path);
}

std::string TempFolder::write(const std::string& name, const std::string& text) const
{
  std::string path = m_path + "\\" + name;
  for (size_t slash = path.find('\\', m_path.size() + 1); slash != std::string::npos;
       slash = path.find('\\', slash + 1))
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
  FILE* file = fopen(path.c_str(), "wb");
  if (file) {
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
  }
  return path;
}

std::vector<std::string> MinicadRun::linesAfter(const std::string& prefix) const
{
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.compare(0, prefix.size(), prefix) == 0)
      found.push_back(line.substr(prefix.size()));
  return found;
}

int MinicadRun::find(const std::string& text, bool contains) const
{
  for (size_t i = 0; i < lines.size(); ++i)
    if (contains ? lines[i].find(text) != std::string::npos : lines[i] == text)
      return static_cast<int>(i);
  return -1;
}

std::vector<std::string> MinicadRun::results() const
{
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line == "nil" || (line.size() >= 2 && line.front() == '"' && line.back() == '"'))
      found.push_back(line);
  return found;
}

MinicadRun runMinicad(const TempFolder& folder, const std::string& script,
                      const std::vector<std::string>& expressions,
                      const std::vector<std::string>& drawings, unsigned timeoutMs)
{
  std::string bin = programFolder();
  std::string scriptPath = folder.write("steps.ui", script);
  std::string command = quoteArgument(bin + "\\minicad.exe") + " --load " +
                        quoteArgument(bin + "\\QUILMARK.ARX") + " --ui " +
                        quoteArgument(scriptPath);
  for (const std::string& e : expressions)
    command += " -e " + quoteArgument(e);
  for (const std::string& d : drawings)
    command += " " + quoteArgument(d);

  MinicadRun run;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
    return run;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  HANDLE input =
      CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  // A crash must end minicad at once. Wine ignores the error mode here and starts its
  // debugger, which waits for a user and keeps our pipe open; disabling the debugger's
  // program in the inherited environment makes that start fail instead.
  char overrides[1024] = "";
  GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
  std::string childOverrides = overrides;
  if (childOverrides.find("winedbg.exe") == std::string::npos) {
    childOverrides += childOverrides.empty() ? "winedbg.exe=d" : ";winedbg.exe=d";
    SetEnvironmentVariableA("WINEDLLOVERRIDES", childOverrides.c_str());
  }
  PROCESS_INFORMATION process = {};
  std::vector<char> commandLine(command.begin(), command.end());
  commandLine.push_back('\0');
  BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                folder.path().c_str(), &startup, &process);
  CloseHandle(writeEnd);
  CloseHandle(input);
  if (!started) {
    run.output = "cannot start " + command;
    CloseHandle(readEnd);
    return run;
  }
  DWORD start = GetTickCount();
  for (;;) {
    DWORD available = 0;
    if (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      char buffer[4096];
      DWORD got = 0;
      if (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr))
        run.output.append(buffer, got);
      continue;
    }
    if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) {
      // Drain what is left once the process has ended.
      char buffer[4096];
      DWORD got = 0;
      while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
             ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        run.output.append(buffer, got);
      break;
    }
    if (GetTickCount() - start > timeoutMs) {
      run.timedOut = true;
      TerminateProcess(process.hProcess, 1);
      WaitForSingleObject(process.hProcess, INFINITE);
      break;
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  run.exitCode = run.timedOut ? -1 : static_cast<int>(code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(readEnd);

  size_t begin = 0;
  while (begin < run.output.size()) {
    size_t end = run.output.find('\n', begin);
    if (end == std::string::npos)
      end = run.output.size();
    std::string line = run.output.substr(begin, end - begin);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    run.lines.push_back(line);
    begin = end + 1;
  }
  return run;
}

std::string dxfWithBlocks(const std::vector<std::string>& names, const char* version)
{
  std::string dxf = std::string("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\n") + version +
                    "\n0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n";
  for (const std::string& name : names) {
    bool anonymous = !name.empty() && name[0] == '*';
    dxf += "0\nBLOCK\n8\n0\n2\n" + name + "\n70\n" + (anonymous ? "1" : "0") +
           "\n10\n0.0\n20\n0.0\n30\n0.0\n3\n" + name + "\n";
    dxf += "0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n11\n10.0\n21\n5.0\n31\n0.0\n";
    dxf += "0\nENDBLK\n8\n0\n";
  }
  dxf += "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n";
  return dxf;
}
