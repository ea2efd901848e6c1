"""The block dialog and the drawing-file chooser on a real X display, used as a person
uses them: `./quill cad` and `./quill browse` show their windows on a virtual display
(Xvfb); keystrokes and clicks come from xdotool; what minicad prints and what the screen
shows are checked.

    python3 keystroke_test.py ROOT [PICTURES]

ROOT is the source tree (its ./quill runs minicad from $QUILL_BUILD or ROOT/build);
PICTURES, when given, receives a screenshot of each step that looks at the screen.
Minicad runs in a Wine prefix of its own for this test (~/.quill/wine-x11-test, or
$QUILL_WINEPREFIX-x11-test when QUILL_WINEPREFIX names another prefix, so that two source
trees tested at once do not share it; made on first use), whose wineserver is ended at the
end with the display, whatever happened.
The last line says "N passed, N failed"; the exit code is 1 when a case failed.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

from x_session import XSession, XSessionError

DIALOG = "Quillmark : Version 1.0 Beta2"
CHOOSER = "Select Drawing File"
WINE_PREFIX = (os.environ["QUILL_WINEPREFIX"].rstrip("/") + "-x11-test"
               if os.environ.get("QUILL_WINEPREFIX") else
               os.path.join(os.path.expanduser("~"), ".quill", "wine-x11-test"))


class Minicad:
    """One `./quill cad ...` or `./quill browse ...` running in the background."""

    def __init__(self, test, *args):
        self._test = test
        self._log = tempfile.TemporaryFile()
        self._process = subprocess.Popen(
            [os.path.join(test.root, "quill")] + list(args), cwd=test.root, env=test.env,
            stdin=subprocess.DEVNULL, stdout=self._log, stderr=subprocess.STDOUT,
            start_new_session=True)

    def finish(self, timeout=20):
        """What it printed once it has ended; it is killed when it runs past `timeout`,
        after a screenshot of what it still shows (when the test keeps pictures)."""
        try:
            self._process.wait(timeout=timeout)
            ended = True
        except subprocess.TimeoutExpired:
            try:
                self._test.snap("unended")
            except (XSessionError, subprocess.SubprocessError, ValueError):
                pass
            self.kill()
            ended = False
        self._log.seek(0)
        output = self._log.read().decode("utf-8", "replace")
        self._log.close()
        if not ended:
            raise AssertionError("minicad did not end within %d s; it printed:\n%s"
                                 % (timeout, output))
        return output

    def kill(self):
        if self._process.poll() is None:
            os.killpg(self._process.pid, signal.SIGKILL)
            self._process.wait()


def result_of(output):
    """The value minicad printed last, as the command line shows it ("X" or nil)."""
    lines = [line for line in output.splitlines() if line.strip()]
    return lines[-1] if lines else ""


def preview_area(shot, window):
    """(left, top, right, bottom) of the preview: the widest black area inside the dialog.

    Found on the screen, not computed from dialog units, so that a font with other
    metrics moves it without breaking the test."""
    left, top, width, height = window
    rows = []
    for y in range(top, top + height):
        run_start, best = None, (0, 0, 0)
        row = shot.rows[y]
        for x in range(left, left + width + 1):
            black = x < left + width and row[x] == (0, 0, 0)
            if black and run_start is None:
                run_start = x
            elif not black and run_start is not None:
                if x - run_start > best[0]:
                    best = (x - run_start, run_start, x)
                run_start = None
        if best[0] >= width // 3:
            rows.append((y, best[1], best[2]))
    if len(rows) < height // 3:
        raise AssertionError("no black preview found in the dialog at %s" % (window,))
    # Two pixels in from the edge, past any frame that shares the black.
    return (max(r[1] for r in rows) + 2, rows[0][0] + 2,
            min(r[2] for r in rows) - 2, rows[-1][0] - 2)


def lit_pixels(shot, area):
    left, top, right, bottom = area
    return sum(1 for y in range(top, bottom) for x in range(left, right)
               if shot.rows[y][x] != (0, 0, 0))


def highlighted_row(shot, window):
    """Centre (x, y) of the selected list entry: the selection colour's bar in the window."""
    left, top, width, height = window
    points = [(x, y) for y in range(top, top + height) for x in range(left, left + width)
              if shot.rows[y][x][2] - shot.rows[y][x][0] > 100 and shot.rows[y][x][2] > 200]
    if not points:
        raise AssertionError("no selected entry is shown")
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return (min(xs) + max(xs)) // 2, (min(ys) + max(ys)) // 2


class KeystrokeTest:
    def __init__(self, root, pictures):
        self.root = root
        self.pictures = pictures
        self.session = XSession()
        self.env = None

    def snap(self, name, window=None):
        shot = self.session.screenshot()
        if self.pictures:
            part = shot
            if window:
                left, top, width, height = window
                part = shot.crop(left, top, left + width, top + height)
            part.save_png(os.path.join(self.pictures, name + ".png"))
        return shot

    def open(self, caption, *args):
        """Runs ./quill ARGS and waits for its window CAPTION, which then has the keyboard."""
        run = Minicad(self, *args)
        try:
            window = self.session.window(caption)
            self.session.focus(window)
        except XSessionError:
            run.kill()
            raise
        return run, window

    # The cases. Each leaves no window open: minicad has ended when it returns.

    def block_dialog_previews_the_typed_name_and_enter_returns_it(self):
        run, window = self.open(DIALOG, "cad", "--load", self.module, "-e", "(BLOCK-LIST)",
                                "samples/furniture.dxf")
        geometry = self.session.geometry(window)
        area = preview_area(self.snap("dialog-opened", geometry), geometry)
        before = lit_pixels(self.session.screenshot(), area)
        self.session.type("chair")
        after = lit_pixels(self.snap("dialog-chair", geometry), area)
        self.session.keys("Return")
        output = run.finish()
        assert before == 0, "the preview shows %d lit pixels before a block is chosen" % before
        # The chair (an arc and rounded outline) lights far more than a stray pixel.
        assert after > 300, "the preview shows %d lit pixels after typing \"chair\"" % after
        assert result_of(output) == '"CHAIR"', "expected \"CHAIR\", minicad printed:\n" + output

    def block_dialog_mnemonics_move_between_pattern_and_selection(self):
        # Alt+P then "t*" filters to TABLE-ROUND and TITLE-BLOCK; Alt+S then "ti" picks
        # TITLE-BLOCK. Text typed into the wrong edit matches no block, and gives nil.
        run, _ = self.open(DIALOG, "cad", "--load", self.module, "-e", "(BLOCK-LIST)",
                           "samples/furniture.dxf")
        self.session.keys("alt+p")
        self.session.type("t*")
        self.session.keys("alt+s")
        self.session.type("ti")
        self.session.keys("Return")
        output = run.finish()
        assert result_of(output) == '"TITLE-BLOCK"', \
            "expected \"TITLE-BLOCK\", minicad printed:\n" + output

    def block_dialog_tab_order_and_escape(self):
        # From the selection edit: Tab to the pattern ("s*": SOFA, SYMBOLS), Tab to the
        # list (End: SYMBOLS), Tab past About to OK, Space presses it.
        run, _ = self.open(DIALOG, "cad", "--load", self.module, "-e", "(BLOCK-LIST)",
                           "-e", "(BLOCK-LIST)", "samples/furniture.dxf")
        self.session.keys("Tab")
        self.session.type("s*")
        # (Wine's list box takes the first End after focusing an unselected list to the top
        # entry, so Home comes first.)
        self.session.keys("Tab", "Home", "End", "Tab", "Tab", "space")
        # The second dialog: a block is chosen, yet Escape cancels.
        window = self.session.window(DIALOG)
        self.session.focus(window)
        self.session.type("chair")
        self.session.keys("Escape")
        output = run.finish()
        results = [line for line in output.splitlines() if line in ('"SYMBOLS"', "nil")]
        assert results == ['"SYMBOLS"', "nil"], \
            "expected \"SYMBOLS\" then nil, minicad printed:\n" + output

    def chooser_escape_returns_nil(self):
        run, window = self.open(CHOOSER, "browse", "samples")
        self.snap("chooser", self.session.geometry(window))
        self.session.keys("Escape")
        output = run.finish()
        assert result_of(output) == "nil", "expected nil, minicad printed:\n" + output

    def chooser_enter_and_double_click_open_folders_and_choose_a_file(self):
        # top.dxf and inner\ (one.dxf and deep\ (two.dxf)) in a fresh folder.
        folder = tempfile.mkdtemp(prefix="quill-browse-")
        try:
            drawing = os.path.join(self.root, "samples", "furniture.dxf")
            os.makedirs(os.path.join(folder, "inner", "deep"))
            for name in ("top.dxf", "inner/one.dxf", "inner/deep/two.dxf"):
                shutil.copy(drawing, os.path.join(folder, name))
            run, window = self.open(CHOOSER, "browse", folder)
            geometry = self.session.geometry(window)
            # The list holds [..], [inner], top.dxf. Choosing top.dxf names it; Enter on
            # [inner] then opens the folder rather than choose the file still named.
            self.session.keys("Tab")
            self.session.type("t")
            self.session.keys("Up", "Return")
            if self.session.gone(window, timeout=1.5):
                raise AssertionError("Enter on [inner] closed the chooser; minicad printed:\n"
                                     + run.finish())
            # Now [..], [deep], one.dxf: a double click on [deep] opens it.
            self.session.keys("Home", "Down")
            self.session.double_click(*highlighted_row(self.session.screenshot(), geometry))
            # Now [..], two.dxf; typing a letter selects the entry it begins, and a
            # double click on a file chooses it.
            self.session.type("t")
            self.session.double_click(*highlighted_row(self.session.screenshot(), geometry))
            output = run.finish()
        finally:
            shutil.rmtree(folder, ignore_errors=True)
        assert result_of(output).endswith('\\\\inner\\\\deep\\\\two.dxf"'), \
            "expected the path of inner\\deep\\two.dxf, minicad printed:\n" + output

    def chooser_name_blocks_and_enter(self):
        # Alt+N to the file name, Alt+B shows its blocks (Escape closes them), Enter
        # chooses the file.
        run, _ = self.open(CHOOSER, "browse", "samples")
        self.session.keys("alt+n")
        self.session.type("furniture.dxf")
        self.session.keys("alt+b")
        window = self.session.window(DIALOG)
        self.session.focus(window)
        self.session.type("sofa")
        self.snap("chooser-blocks", self.session.geometry(window))
        self.session.keys("Escape")
        if not self.session.gone(window):
            run.kill()
            raise AssertionError("Escape left the block dialog open")
        self.session.focus(self.session.window(CHOOSER))
        self.session.keys("Return")
        output = run.finish()
        assert result_of(output).endswith('\\\\samples\\\\furniture.dxf"'), \
            "expected the path of samples\\furniture.dxf, minicad printed:\n" + output

    CASES = [
        block_dialog_previews_the_typed_name_and_enter_returns_it,
        block_dialog_mnemonics_move_between_pattern_and_selection,
        block_dialog_tab_order_and_escape,
        chooser_escape_returns_nil,
        chooser_enter_and_double_click_open_folders_and_choose_a_file,
        chooser_name_blocks_and_enter,
    ]

    def run(self):
        build = os.environ.get("QUILL_BUILD", os.path.join(self.root, "build"))
        self.module = os.path.join(build, "bin", "QUILMARK.ARX")
        self.session.start()
        self.env = dict(os.environ, DISPLAY=self.session.display, QUILL_WINEPREFIX=WINE_PREFIX)
        self.env.pop("WAYLAND_DISPLAY", None)
        print("keystrokes: display %s, Wine prefix %s" % (self.session.display, WINE_PREFIX),
              flush=True)
        # The first run makes the prefix (tens of seconds) and starts its wineserver.
        started = time.monotonic()
        output = Minicad(self, "cad", "-e", "nil").finish(timeout=180)
        if result_of(output) != "nil":
            raise XSessionError("minicad did not start on the display; it printed:\n" + output)
        print("keystrokes: minicad started in %.1f s" % (time.monotonic() - started), flush=True)
        passed = failed = 0
        for case in self.CASES:
            started = time.monotonic()
            try:
                case(self)
                passed += 1
                print("keystrokes: ok   %s (%.1f s)" % (case.__name__, time.monotonic() - started),
                      flush=True)
            except (AssertionError, XSessionError, subprocess.SubprocessError) as error:
                failed += 1
                try:  # what the screen showed when the case failed
                    self.snap("failed-" + case.__name__)
                except (XSessionError, subprocess.SubprocessError, ValueError):
                    pass
                print("keystrokes: FAIL %s: %s" % (case.__name__, error), flush=True)
        return passed, failed

    def stop(self):
        self.session.stop()
        # The prefix's wineserver and every Wine process it serves.
        server = "/usr/lib/wine/wineserver64"
        if not os.path.exists(server):
            server = "wineserver"
        subprocess.run([server, "-k"], env=dict(os.environ, WINEPREFIX=WINE_PREFIX),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    pictures = sys.argv[2] if len(sys.argv) > 2 else None
    if pictures:
        os.makedirs(pictures, exist_ok=True)
    # An outer `timeout` sends SIGTERM: end through the clean-up below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    test = KeystrokeTest(os.path.abspath(sys.argv[1]), pictures)
    passed = failed = 0
    try:
        passed, failed = test.run()
    except Exception:  # the set-up itself failed: report it as one failure
        traceback.print_exc()
        failed += 1
    finally:
        test.stop()
    print("keystrokes: %d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
