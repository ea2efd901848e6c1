#include "DialogDriver.h"

#include <vector>

DialogDriver::DialogDriver(const std::string& caption, std::function<void(HWND)> steps)
    : m_caption(caption), m_steps(std::move(steps)), m_thread(GetCurrentThreadId())
{
  m_handle = CreateThread(nullptr, 0, run, this, 0, nullptr);
}

DialogDriver::~DialogDriver()
{
  join();
}

void DialogDriver::join()
{
  if (m_handle) {
    WaitForSingleObject(m_handle, INFINITE);
    CloseHandle(m_handle);
    m_handle = nullptr;
  }
}

DWORD WINAPI DialogDriver::run(void* self)
{
  DialogDriver* driver = static_cast<DialogDriver*>(self);
  struct Search {
    const std::string* caption;
    HWND found;
  } search{&driver->m_caption, nullptr};
  for (int i = 0; i < 500 && !search.found; ++i) {
    EnumThreadWindows(
        driver->m_thread,
        [](HWND window, LPARAM param) -> BOOL {
          Search* s = reinterpret_cast<Search*>(param);
          char text[256];
          GetWindowTextA(window, text, sizeof text);
          if (IsWindowVisible(window) && IsWindowEnabled(window) &&
              std::string(text).compare(0, s->caption->size(), *s->caption) == 0) {
            s->found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found)
      Sleep(10);
  }
  if (search.found) {
    driver->m_found = true;
    driver->m_steps(search.found);
  }
  return 0;
}

std::string DialogDriver::text(HWND dialog, int id)
{
  char buffer[1024] = "";
  SendMessageA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::string DialogDriver::listEntries(HWND dialog, int id)
{
  HWND list = GetDlgItem(dialog, id);
  std::string all;
  LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::vector<char> entry(SendMessageA(list, LB_GETTEXTLEN, i, 0) + 1);
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
    all += std::string(entry.data()) + "\n";
  }
  return all;
}

void DialogDriver::selectEntry(HWND dialog, int id, const char* entry)
{
  HWND list = GetDlgItem(dialog, id);
  SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void DialogDriver::click(HWND dialog, int id)
{
  // Not sent: a button may open a modal window, whose loop would hold this thread.
  SendNotifyMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void DialogDriver::settle(HWND dialog)
{
  SendMessageA(dialog, WM_NULL, 0, 0);
}
