#!/usr/bin/python3
"""compare_peers.py BINDIR PEERDIR DATADIR: minicad beside three other DXF readers,
each run as a whole process on the same drawings (big_block.dxf, many_blocks.dxf):

  minicad  under Wine (the loader's start included): reads the drawing, loads
           QUILMARK.ARX and opens (BLOCK-LIST), whose dialog lists the blocks in its
           list box; the --ui script closes the dialog as soon as it shows
  libdime  PEERDIR/dime_read: the file into libdime's model, its blocks listed
  dxflib   PEERDIR/dxflib_read: the file into a model built from dxflib's callbacks
  ezdxf    bench/peers/ezdxf_read.py: ezdxf.readfile, its blocks listed

Every reader must list the drawing's blocks (BIG, or PART-00000 ... PART-09999),
else its figures are not printed and the comparison is a MISS: the other readers print
them; minicad's list box is read back in one more run that is not timed (the script's
thread reads it entry by entry through Wine's server, which is no part of the reading). Time is wall time
from the start of the process to its end; peak memory is the largest resident set
of the process (its maximum RSS, as the kernel reports it at its end). minicad,
libdime and dxflib are each the best of seven runs, the readers taking turns (one
run of each, then the next of each); ezdxf, which takes tens of times longer, runs once.

Wine's server, services and desktop run throughout, as a Windows machine's kernel,
services and desktop run before any program starts: an idle minicad waiting at its
prompt is kept open in the same prefix for the whole comparison, so that no timed
run pays for starting the wineserver and the services (a second or more, once per
prefix start) or Wine's desktop process (explorer, about 50 ms, started by the
first window of a process when none runs and gone a moment after the last), and
each run pays for its own process: the loader, its DLLs, the drawing, the module
and the dialog. The first line printed says so.

minicad runs on the first CPU (taskset -c 0), and so do Wine's server and services,
started there by the idle minicad: a Wine program asks its server for most of what
Windows' kernel does in a system call, some 2,500 requests a minicad run, and on this
two-CPU virtual machine a request that wakes the other CPU costs tens of microseconds
and varies from run to run with the host, where a switch on one CPU costs a few. The
other readers are single processes that ask no server: they run where the system puts
them (pinned to one CPU they were no faster, and taskset's own start is theirs to pay
then).

One line per figure, NAME: VALUE UNIT (goal: GOAL) ok|MISS:
  peer_FILE_READER: time and peak memory of one reader (goal: reference)
  minicad_vs_libdime_FILE, minicad_vs_dxflib_FILE: minicad's time over theirs (<= 0.5)
  minicad_vs_ezdxf_FILE: minicad's time over ezdxf's (<= 0.05)
  minicad_memory_FILE: minicad's peak memory, with libdime's (goal: at most libdime's)
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

DRAWINGS = {
    "big_block": {"BIG"},
    "many_blocks": {"PART-%05d" % i for i in range(10000)},
}
RUNS = {"minicad": 7, "libdime": 7, "dxflib": 7, "ezdxf": 1}


def run(reader, command, expected):
    """(seconds, peak bytes) of one run of `command`, or None (with the reason on
    stderr) when it failed or did not print every name of `expected`."""
    with tempfile.TemporaryFile() as out:
        start = time.perf_counter()
        try:
            process = subprocess.Popen(command, stdout=out, stderr=subprocess.DEVNULL,
                                       stdin=subprocess.DEVNULL)
        except OSError as error:
            print("compare_peers: %s: %s" % (reader, error), file=sys.stderr)
            return None
        _, status, usage = os.wait4(process.pid, 0)
        seconds = time.perf_counter() - start
        out.seek(0)
        text = out.read().decode("latin-1")
    listed = {re.sub(r"^list: ", "", line).strip().upper() for line in text.splitlines()}
    missing = expected - listed
    code = os.waitstatus_to_exitcode(status)
    if code != 0 or missing:
        print("compare_peers: %s: exit status %d, %d of %d blocks not listed"
              % (reader, code, len(missing), len(expected)), file=sys.stderr)
        return None
    return seconds, usage.ru_maxrss * 1024


def best_of_each(jobs):
    """For each reader of `jobs` (reader -> (command, expected, runs)), the shortest time
    and the largest peak of its runs, or None if one failed. The readers take turns,
    one run each, so that a slow spell of a shared machine falls on all of them alike
    rather than on whichever reader's series it meets."""
    results = {reader: [] for reader in jobs}
    for turn in range(max(runs for _, _, runs in jobs.values())):
        for reader, (command, expected, runs) in jobs.items():
            if turn < runs and None not in results[reader]:
                results[reader].append(run(reader, command, expected))
    return {reader: None if None in r else (min(x[0] for x in r), max(x[1] for x in r))
            for reader, r in results.items()}


def one_cpu():
    """The command prefix that runs a program on the first CPU, or [] without taskset."""
    taskset = shutil.which("taskset")
    return [taskset, "-c", "0"] if taskset and (os.cpu_count() or 1) > 1 else []


def keep_wine_up(wine, minicad, pin):
    """Starts an idle minicad (its main window made, reading commands from a pipe)
    that holds Wine's server, services and desktop up until keeper.stdin is closed;
    None when it cannot be started. (Each drawing's first minicad run, which is not
    timed, finds them started.) With `pin`, the server it starts, and so the services,
    runs where the keeper runs: the server of the earlier benchmarks is let go first."""
    server = shutil.which("wineserver")
    if pin and server:
        try:
            subprocess.run([server, "-w"], timeout=60, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
        except (OSError, subprocess.TimeoutExpired):
            print("compare_peers: Wine's server is still busy; it stays where it runs",
                  file=sys.stderr)
    try:
        keeper = subprocess.Popen(pin + [wine, minicad], stdin=subprocess.PIPE,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    except OSError as error:
        print("compare_peers: cannot start Wine: %s" % error, file=sys.stderr)
        return None
    return keeper


def let_wine_go(keeper):
    if keeper is None:
        return
    try:
        keeper.stdin.close()
        keeper.wait(30)
    except (OSError, subprocess.TimeoutExpired):
        keeper.kill()
        keeper.wait()


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def line(name, value, unit, goal, ok):
    print("%s: %s %s (goal: %s) %s" % (name, value, unit, goal, "ok" if ok else "MISS"),
          flush=True)


def main():
    if len(sys.argv) != 4:
        print("usage: compare_peers.py BINDIR PEERDIR DATADIR", file=sys.stderr)
        return 2
    bindir, peerdir, datadir = sys.argv[1:]
    wine = "/usr/lib/wine/wine64"
    if not os.access(wine, os.X_OK):
        wine = "wine64"
    here = os.path.dirname(os.path.abspath(__file__))
    scripts = {}
    for kind, steps in (("open", ""), ("list", "list 1061\n")):
        with tempfile.NamedTemporaryFile("w", suffix=".ui", delete=False) as script:
            script.write('wait "Quillmark : Version 1.0 Beta2"\n%sclick 2\n' % steps)
            scripts[kind] = script.name
    pin = one_cpu()
    keeper = keep_wine_up(wine, os.path.join(bindir, "minicad.exe"), pin)
    print("compare_peers: minicad's runs find Wine's server, services and desktop up (an "
          "idle minicad is kept open at its prompt, as a Windows machine's services and "
          "desktop run before any program); each run is a whole minicad process: the "
          "loader, its DLLs, the drawing, the module and the dialog; minicad and Wine's "
          "server run on %s, the other readers where the system puts them"
          % ("the first CPU" if pin else "any CPU"), flush=True)
    try:
        for drawing, expected in DRAWINGS.items():
            path = os.path.join(datadir, drawing + ".dxf")
            def minicad(script):
                return [wine, os.path.join(bindir, "minicad.exe"), "--load",
                        winpath(os.path.join(bindir, "QUILMARK.ARX")), "--ui",
                        winpath(scripts[script]), "-e", "(BLOCK-LIST)", winpath(path)]
            listed = run("minicad", pin + minicad("list"), expected) is not None
            commands = {
                "minicad": pin + minicad("open"),
                "libdime": [os.path.join(peerdir, "dime_read"), path],
                "dxflib": [os.path.join(peerdir, "dxflib_read"), path],
                "ezdxf": ["/usr/bin/python3", os.path.join(here, "peers", "ezdxf_read.py"), path],
            }
            # minicad's timed runs print only the dialog's answer, nil (cancelled).
            jobs = {reader: (command, {"NIL"} if reader == "minicad" else expected, RUNS[reader])
                    for reader, command in commands.items() if listed or reader != "minicad"}
            figures = best_of_each(jobs)
            for reader in commands:
                figures.setdefault(reader, None)
                if figures[reader] is None:
                    line("peer_%s_%s" % (drawing, reader), "n/a", "s", "reference", False)
                else:
                    seconds, peak = figures[reader]
                    line("peer_%s_%s" % (drawing, reader),
                         "%.2f" % seconds, "s, peak %.1f MB" % (peak / 1e6), "reference", True)
            ours = figures["minicad"]
            for reader, goal in (("libdime", 0.5), ("dxflib", 0.5), ("ezdxf", 0.05)):
                theirs = figures[reader]
                name = "minicad_vs_%s_%s" % (reader, drawing)
                if ours is None or theirs is None:
                    line(name, "n/a", "x", "<= %g" % goal, False)
                    continue
                ratio = ours[0] / theirs[0]
                line(name, "%.3f" % ratio, "x", "<= %g" % goal, ratio <= goal)
            dime = figures["libdime"]
            name = "minicad_memory_%s" % drawing
            if ours is None or dime is None:
                line(name, "n/a", "MB", "<= libdime", False)
            else:
                line(name, "%.1f" % (ours[1] / 1e6), "MB",
                     "<= libdime's %.1f MB" % (dime[1] / 1e6), ours[1] <= dime[1])
    finally:
        let_wine_go(keeper)
        for name in scripts.values():
            os.unlink(name)
    return 0


if __name__ == "__main__":
    sys.exit(main())
