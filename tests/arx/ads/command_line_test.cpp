// The command line's text on a pipe, as a script or another program reads minicad: it
// comes whole and in order, in batches, and is there to read while a dialog waits.
#include "arx/ads/AcedServices.h"
#include "arx/ads/CommandLine.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <string>

namespace {

// Standard output goes into a pipe for the life of the object.
class PipedOutput {
public:
  PipedOutput()
  {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    CreatePipe(&m_read, &m_write, &inherit, 1 << 20);
    fflush(stdout);
    m_savedFd = _dup(1);
    m_savedHandle = GetStdHandle(STD_OUTPUT_HANDLE);
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(m_write), _O_BINARY);
    _dup2(fd, 1);
    _close(fd);
    SetStdHandle(STD_OUTPUT_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(1)));
  }
  ~PipedOutput()
  {
    commandLineFlush();
    _dup2(m_savedFd, 1);
    _close(m_savedFd);
    SetStdHandle(STD_OUTPUT_HANDLE, m_savedHandle);
    CloseHandle(m_read);
  }
  // Everything in the pipe now (without waiting for more).
  std::string take()
  {
    std::string all;
    DWORD available = 0;
    while (PeekNamedPipe(m_read, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      std::string part(available, '\0');
      DWORD got = 0;
      if (!ReadFile(m_read, &part[0], available, &got, nullptr))
        break;
      all.append(part, 0, got);
    }
    return all;
  }

private:
  HANDLE m_read = nullptr;
  HANDLE m_write = nullptr;
  HANDLE m_savedHandle = nullptr;
  int m_savedFd = -1;
};

TEST(CommandLine, many_short_writes_come_whole_in_order_and_in_batches)
{
  PipedOutput pipe;
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    acutPrintf("PART-%05d\n", i);
    char line[32];
    snprintf(line, sizeof line, "PART-%05d\n", i);
    expected += line;
  }
  std::string before = pipe.take();
  EXPECT_LT(before.size(), expected.size()) << "the last few lines wait for a flush";
  EXPECT_GT(before.size(), expected.size() / 2) << "a batch goes out once it is large";
  commandLineFlush();
  EXPECT_EQ(before + pipe.take(), expected);
}

TEST(CommandLine, text_waiting_longer_than_a_moment_goes_out_with_the_next)
{
  PipedOutput pipe;
  acutPrintf("first");
  EXPECT_EQ(pipe.take(), "");
  Sleep(150);
  acutPrintf(" second\n");
  EXPECT_EQ(pipe.take(), "first second\n");
}

// A modal dialog made from a template in memory: caption "Waiting", no controls,
// ended by any command.
INT_PTR waitingDialog(HWND owner)
{
  struct {
    DLGTEMPLATE head;
    WORD menu, windowClass;
    wchar_t caption[8];
  } dialog = {};
  dialog.head.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
  dialog.head.cx = 100;
  dialog.head.cy = 40;
  lstrcpyW(dialog.caption, L"Waiting");
  return DialogBoxIndirectParamA(
      nullptr, &dialog.head, owner,
      [](HWND window, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND)
          EndDialog(window, IDOK);
        return message == WM_INITDIALOG;
      },
      0);
}

// What a command printed before its dialog opened can be read while the dialog waits:
// the main window, the dialog's owner, writes it out when the dialog goes idle.
TEST(CommandLine, text_printed_before_a_dialog_is_there_while_it_waits)
{
  PipedOutput pipe;
  acutPrintf("\nChoose a block\n");
  struct Watch {
    PipedOutput* pipe;
    std::string seen;
  } watch{&pipe, ""};
  HANDLE watcher = CreateThread(
      nullptr, 0,
      [](void* arg) -> DWORD {
        Watch* w = static_cast<Watch*>(arg);
        for (int i = 0; i < 500; ++i, Sleep(10)) {
          HWND dialog = FindWindowA("#32770", "Waiting");
          if (dialog == nullptr || !IsWindowVisible(dialog))
            continue;
          for (int j = 0; j < 100 && w->seen.empty(); ++j, Sleep(10))
            w->seen = w->pipe->take();
          PostMessageA(dialog, WM_COMMAND, IDOK, 0);
          break;
        }
        return 0;
      },
      &watch, 0, nullptr);
  EXPECT_EQ(waitingDialog(adsw_acadMainWnd()), IDOK);
  WaitForSingleObject(watcher, INFINITE);
  CloseHandle(watcher);
  EXPECT_EQ(watch.seen, "\nChoose a block\n");
}

} // namespace
