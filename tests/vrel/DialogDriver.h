// Drives a modal dialog of the calling thread from a helper thread, as a user would:
// the test runs the dialog, the driver waits for it and plays the given steps.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class DialogDriver {
public:
  // Starts a thread that waits (5 s at most) for a visible dialog of this thread whose
  // caption begins with `caption`, then calls `steps` with it. When the dialog never
  // appears, `steps` is not called and found() is false.
  DialogDriver(const std::string& caption, std::function<void(HWND)> steps);
  // Waits for the thread.
  ~DialogDriver();
  void join();
  bool found() const { return m_found; }

  // Helpers for the steps (from the driver thread).
  static std::string text(HWND dialog, int id);
  static std::string listEntries(HWND dialog, int id);             // entries, each followed by '\n'
  static void selectEntry(HWND dialog, int id, const char* entry); // with LBN_SELCHANGE
  static void click(HWND dialog, int id);                          // without waiting for it
  static void settle(HWND dialog);                                 // wait until handled

private:
  static DWORD WINAPI run(void* self);
  std::string m_caption;
  std::function<void(HWND)> m_steps;
  DWORD m_thread;
  HANDLE m_handle = nullptr;
  bool m_found = false;
};
