"""A virtual X display (Xvfb) with what a person does on it: find a window by its caption,
press keys, click, look at the screen. Keystrokes and clicks go through the XTEST
extension (xdotool), so the program sees them as it sees a real keyboard and mouse.

Every wait is bounded; stop() ends the server whatever happened.
"""
import os
import subprocess
import time

import screenshot


class XSessionError(Exception):
    """A step on the display that could not be done (no server, no window, a tool failed)."""


class XSession:
    def __init__(self, width=1024, height=768):
        self.width = width
        self.height = height
        self.display = None
        self._server = None

    def start(self, timeout=20):
        """Starts Xvfb on a free display number, which the server itself chooses."""
        read_end, write_end = os.pipe()
        self._server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             "%dx%dx24" % (self.width, self.height), "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + timeout
        os.set_blocking(read_end, False)
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            if self._server.poll() is not None:
                break
            try:
                chunk = os.read(read_end, 16)
            except BlockingIOError:
                time.sleep(0.05)
                continue
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        if not number.strip().isdigit():
            self.stop()
            raise XSessionError("Xvfb did not start (no display number within %d s)" % timeout)
        self.display = ":" + number.strip().decode()

    def stop(self):
        if self._server is not None and self._server.poll() is None:
            self._server.terminate()
            try:
                self._server.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self._server.kill()
                self._server.wait()
        self._server = None

    def _xdotool(self, *args, timeout=10):
        result = subprocess.run(["xdotool"] + [str(a) for a in args],
                                env=dict(os.environ, DISPLAY=self.display),
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                timeout=timeout, text=True)
        return result

    def window(self, caption, timeout=20):
        """The id of the one visible window whose caption begins with `caption`."""
        pattern = "^" + "".join("\\" + c if c in ".[]()*+?{}|^$\\" else c for c in caption)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self._xdotool("search", "--onlyvisible", "--name", pattern).stdout.split()
            if len(found) == 1:
                return int(found[0])
            time.sleep(0.2)
        raise XSessionError("no window \"%s\" within %d s" % (caption, timeout))

    def gone(self, window, timeout=10):
        """Waits until `window` is no longer shown; False if it still is after `timeout`."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            shown = self._xdotool("search", "--onlyvisible", "--name", ".").stdout.split()
            if str(window) not in shown:
                return True
            time.sleep(0.2)
        return False

    def geometry(self, window):
        """(left, top, width, height) of the window on the screen."""
        out = self._xdotool("getwindowgeometry", "--shell", window).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        try:
            return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        except KeyError:
            raise XSessionError("no geometry for window %d" % window)

    def focus(self, window):
        """Gives `window` the keyboard, as a click on its title bar would."""
        if self._xdotool("windowfocus", "--sync", window).returncode != 0:
            raise XSessionError("window %d could not take the keyboard focus" % window)
        # Wine activates the window when it reads the focus event: give it the time.
        time.sleep(0.5)

    def keys(self, *keys):
        """Presses each key (xdotool names: "Return", "Tab", "alt+p"), one after the other."""
        for key in keys:
            self._xdotool("key", "--delay", 60, key)
            time.sleep(0.15)

    def type(self, text):
        self._xdotool("type", "--delay", 60, text)
        time.sleep(0.3)

    def double_click(self, x, y):
        self._xdotool("mousemove", x, y, "click", "--repeat", 2, "--delay", 80, 1)
        time.sleep(0.4)

    def screenshot(self):
        return screenshot.take(self.display)
