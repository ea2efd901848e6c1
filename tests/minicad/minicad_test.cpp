// minicad as a user runs it: a child process with its standard input and output on
// pipes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct MinicadRun {
  DWORD exitCode = 9999; // the process's exit code
  std::string output;    // everything it wrote on standard output
};

// One argument quoted as the C runtime splits command lines.
std::string quote(const std::string& arg)
{
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"')
      backslashes = backslashes * 2 + 1;
    out.append(backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  return out + "\"";
}

MinicadRun runMinicad(const std::vector<std::string>& args, const std::string& input = "")
{
  MinicadRun run;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE outRead, outWrite, inRead, inWrite;
  if (!CreatePipe(&outRead, &outWrite, &inherit, 0) ||
      !CreatePipe(&inRead, &inWrite, &inherit, 1 << 16)) {
    ADD_FAILURE() << "CreatePipe failed: " << GetLastError();
    return run;
  }
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);

  std::string commandLine = "minicad.exe";
  for (const std::string& a : args)
    commandLine += " " + quote(a);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inRead;
  startup.hStdOutput = outWrite;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                nullptr, &startup, &process);
  CloseHandle(outWrite);
  CloseHandle(inRead);
  if (!started) {
    ADD_FAILURE() << "cannot start " << commandLine << ": " << GetLastError();
    CloseHandle(outRead);
    CloseHandle(inWrite);
    return run;
  }
  DWORD written = 0;
  if (!input.empty())
    WriteFile(inWrite, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
  CloseHandle(inWrite);
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(outRead, buffer, sizeof buffer, &got, nullptr) && got > 0)
    run.output.append(buffer, got);
  CloseHandle(outRead);
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 99);
    ADD_FAILURE() << "minicad did not end: " << commandLine;
  }
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return run;
}

bool contains(const std::string& text, const std::string& part)
{
  return text.find(part) != std::string::npos;
}

// The UTF-8 form of ANSI code page text, as the terminal should receive it.
std::string ansiAsUtf8(const char* ansi)
{
  wchar_t wide[64];
  int n = MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 64);
  char utf8[256];
  WideCharToMultiByte(CP_UTF8, 0, wide, n, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

TEST(Minicad, expressions_are_evaluated_in_order_and_printed_as_the_command_line_does)
{
  MinicadRun run =
      runMinicad({"--load", "TESTMOD.ARX", "-e", "(setq a \"say \\\"hi\\\"\")", "-e", "(tm-str a)",
                  "-e", "(foo)", "-e", "(list a 1.5 nil)", "-e", "(tm-nothing)"});
  EXPECT_EQ(0u, run.exitCode) << run.output;
  std::size_t first = run.output.find("\"say \\\"hi\\\"\"\n");
  std::size_t second = run.output.find("\"say \\\"hi\\\"\"\n", first + 1);
  std::size_t error = run.output.find("; error: no function definition: FOO\n");
  std::size_t list = run.output.find("(\"say \\\"hi\\\"\" 1.5 nil)\n");
  std::size_t nil = run.output.find("nil\n", list + 20);
  EXPECT_NE(std::string::npos, second) << run.output;
  EXPECT_LT(second, error) << run.output;
  EXPECT_LT(error, list) << run.output;
  EXPECT_NE(std::string::npos, nil) << run.output;
  EXPECT_FALSE(contains(run.output, "Command:")) << "no prompt with -e";
}

TEST(Minicad, refused_definition_and_module_text_reach_the_terminal_as_utf8)
{
  MinicadRun run = runMinicad({"--load", "TESTMOD.ARX", "-e", "(tm-korean)"});
  EXPECT_EQ(0u, run.exitCode);
  EXPECT_TRUE(contains(run.output, "defun refused: TM BAD\n")) << run.output;
  std::string korean = ansiAsUtf8("\xC7\xD1\xB1\xDB");
  if (GetACP() == 949) { // as under ctest: the module's Korean text

    EXPECT_EQ("\xED\x95\x9C\xEA\xB8\x80", korean);
  }
  EXPECT_TRUE(contains(run.output, "\n" + korean + "!\nnil\n")) << run.output;
  MinicadRun split = runMinicad({"--load", "TESTMOD.ARX", "-e", "(tm-split)"});
  EXPECT_TRUE(contains(split.output, "\n" + ansiAsUtf8("\xC7\xD1") + "|\nnil\n"))
      << "a character printed in two calls is converted whole\n"
      << split.output;
}

TEST(Minicad, prompt_loop_reads_lisp_and_commands_until_input_ends)
{
  MinicadRun run = runMinicad({"--load", "TESTMOD.ARX"},
                              "(setq a 1)\r\n(list a\n  '(2 . 3))\n\ntmcmd\nnosuch\n!a\n(car\n");
  EXPECT_EQ(0u, run.exitCode);
  EXPECT_TRUE(contains(run.output, "Command: 1\n")) << run.output;
  EXPECT_TRUE(contains(run.output, "Command: (1 (2 . 3))\n")) << "a list over two lines";
  EXPECT_TRUE(contains(run.output, "Command: tmcmd ran\n")) << run.output;
  EXPECT_TRUE(contains(run.output, "Command: Unknown command \"NOSUCH\".  Press F1 for help.\n"));
  EXPECT_TRUE(contains(run.output, "Command: 1\nCommand: ; error: malformed list on input\n"))
      << "! prints a value; input ending inside a list is an error\n"
      << run.output;
}

TEST(Minicad, unreadable_drawing_is_named_and_the_others_still_open)
{
  const char* damaged = "minicad_test_damaged.dxf";
  {
    std::ofstream file(damaged);
    file << "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 1x\nbad\n";
  }
  std::string sample = QUILL_SOURCE_DIR "/samples/furniture.dxf";
  MinicadRun run = runMinicad({damaged, "missing.dxf", sample, "-e", "(car (tblnext \"BLOCK\"))"});
  std::remove(damaged);
  EXPECT_EQ(0u, run.exitCode);
  std::size_t firstLine = run.output.find('\n');
  EXPECT_TRUE(contains(run.output.substr(0, firstLine), damaged)) << run.output;
  EXPECT_TRUE(contains(run.output, "Cannot open drawing: missing.dxf")) << run.output;
  EXPECT_TRUE(contains(run.output, "(0 . \"BLOCK\")\n")) << "the readable drawing is current";
}

TEST(Minicad, failures_of_modules_and_options_give_failing_exit_codes)
{
  MinicadRun missing = runMinicad({"--load", "no-such.arx", "-e", "1"});
  EXPECT_EQ(1u, missing.exitCode);
  EXPECT_TRUE(contains(missing.output, "Unable to load \"no-such.arx\"")) << missing.output;
  EXPECT_TRUE(contains(missing.output, "1\n")) << "the expressions still run";
  EXPECT_EQ(2u, runMinicad({"--bogus"}).exitCode);
  EXPECT_EQ(2u, runMinicad({"-e"}).exitCode);
  EXPECT_EQ(1u, runMinicad({"--ui", "no-such-script.txt", "-e", "1"}).exitCode);
  MinicadRun aborted = runMinicad({"--load", "TESTMOD.ARX", "-e", "(tm-abort)", "-e", "(princ 7)"});
  EXPECT_NE(0u, aborted.exitCode);
  EXPECT_TRUE(contains(aborted.output, "fatal 42\n")) << aborted.output;
  EXPECT_FALSE(contains(aborted.output, "7")) << "the process ended at the abort";
}

} // namespace
