#!/usr/bin/env python3
"""Puts small faults into the code one at a time and reports which the tests miss.

    mutate.py ROOT [--list FILE] [--only WORD]... [--wine-only] [--skip-check]

Each fault of the list (tools/faults.tsv by default) is a file, an exact text that
occurs once in it, and the text that replaces it. For each fault in turn the file
is changed, the tests are rebuilt and run, and the file is put back as it was
(also when the run is interrupted). A fault in the portable core (platform/arx/
rx ge db dxf hatch lisp dwg) is tried first against the native build of the core's
tests, which is quick; when they miss it, and for every other fault, against the
Windows build under Wine. The run stops at the first failing test: one is enough.

A fault is "caught" when a test fails, "MISSED" when every test passes, and
"no build" when the changed code does not compile (the fault is then useless and
should be mended in the list). The last run's report is kept in out/mutate.txt.
"""
import argparse
import os
import signal
import subprocess
import sys
import time

PORTABLE = ("platform/arx/rx/", "platform/arx/ge/", "platform/arx/db/", "platform/arx/dxf/",
            "platform/arx/hatch/", "platform/arx/lisp/", "platform/arx/dwg/")


def read_faults(path):
    """The faults of a list: lines of 'kind<TAB>file<TAB>text<TAB>replacement';
    '#' starts a comment line; in the texts, \\t stands for a tab and \\n for a new line."""
    faults = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 4:
                sys.exit(f"{path}:{number}: expected 4 tab-separated fields, got {len(fields)}")
            kind, name, text, replacement = (
                x.replace("\\n", "\n").replace("\\t", "\t") for x in fields)
            faults.append({"line": number, "kind": kind, "file": name, "text": text,
                           "replacement": replacement})
    return faults


def run(command, cwd, log, timeout=None):
    """Runs `command`; its output goes to `log`. True when it exits with 0."""
    with open(log, "a", encoding="utf-8", errors="replace") as out:
        out.write(f"\n$ {' '.join(command)}\n")
        out.flush()
        try:
            return subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout).returncode == 0
        except subprocess.TimeoutExpired:
            out.write("(timed out)\n")
            return False


def failed_tests(log):
    """The names ctest reported as failing in the last run written to `log`."""
    names = []
    with open(log, encoding="utf-8", errors="replace") as f:
        lines = f.read().split("\n$ ")[-1].splitlines()
    for line in lines:
        # ctest: "  1/22 Test  #3: test_arx_dxf .....***Failed    0.20 sec"
        if ("***" in line or "(Failed)" in line or "Timeout" in line) and "Test" in line:
            parts = line.split(":", 1)
            if len(parts) == 2:
                names.append(parts[1].split()[0])
    return names


class Suite:
    """One build of the tests: configure once, then build and run per fault."""

    def __init__(self, root, name, build_dir, configure, jobs, log):
        self.root, self.name, self.dir = root, name, build_dir
        self.configure, self.jobs, self.log = configure, jobs, log

    def prepare(self):
        if not os.path.exists(os.path.join(self.dir, "CMakeCache.txt")):
            if not run(self.configure, self.root, self.log):
                sys.exit(f"mutate: configuring the {self.name} build failed; see {self.log}")

    def build(self):
        return run(["cmake", "--build", self.dir, "-j", str(self.jobs)], self.root, self.log)

    def passes(self):
        """True when every test passes."""
        return run(["ctest", "--stop-on-failure", "-j", str(self.jobs), "--timeout", "300"],
                   self.dir, self.log)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("root")
    parser.add_argument("--list", default=None, help="the list of faults")
    parser.add_argument("--only", action="append", default=[],
                        help="only faults whose file or kind contains WORD (repeatable)")
    parser.add_argument("--wine-only", action="store_true",
                        help="try every fault against the Windows build only")
    parser.add_argument("--skip-check", action="store_true",
                        help="do not first check that the tests pass on the unchanged code")
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    faults = read_faults(args.list or os.path.join(root, "tools", "faults.tsv"))
    if args.only:
        faults = [f for f in faults if any(w in f["file"] or w in f["kind"] for w in args.only)]
    out = os.path.join(root, "out")
    os.makedirs(out, exist_ok=True)
    log = os.path.join(out, "mutate.log")
    open(log, "w").close()
    jobs = os.cpu_count() or 2
    env_build = os.environ.get("QUILL_BUILD", os.path.join(root, "build"))
    wine = Suite(root, "Windows", env_build,
                 ["cmake", "-S", root, "-B", env_build,
                  f"-DCMAKE_TOOLCHAIN_FILE={root}/cmake/mingw-w64.cmake",
                  "-DCMAKE_BUILD_TYPE=Release"], jobs, log)
    native_dir = os.path.join(root, "build-mutate")
    native = Suite(root, "native", native_dir,
                   ["cmake", "-S", root, "-B", native_dir, "-DQUILL_NATIVE=ON",
                    "-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_C_COMPILER=clang",
                    "-DCMAKE_CXX_COMPILER=clang++"], jobs, log)

    # A fault whose text no longer occurs exactly once (the code has changed) is
    # reported as stale and left out: mend its line in the list.
    for f in faults:
        path = os.path.join(root, f["file"])
        count = 0
        if os.path.exists(path):
            with open(path, encoding="utf-8", newline="") as src:
                count = src.read().count(f["text"])
        f["stale"] = count != 1
        if f["stale"]:
            print(f"faults list line {f['line']}: stale, the text occurs {count} times in "
                  f"{f['file']}: {f['text']!r}", flush=True)

    for suite in (native, wine):
        suite.prepare()
    if not args.skip_check and not (native.build() and native.passes() and wine.build()
                                    and wine.passes()):
        sys.exit(f"mutate: the tests do not pass on the unchanged code; see {log}")

    current = {}  # the file being changed and its original text, to put back

    def restore(*_):
        if current:
            with open(current["path"], "w", encoding="utf-8", newline="") as dst:
                dst.write(current["text"])
            current.clear()

    def interrupted(signum, _frame):
        restore()
        sys.exit(f"mutate: interrupted (signal {signum}); the code is as it was")

    signal.signal(signal.SIGINT, interrupted)
    signal.signal(signal.SIGTERM, interrupted)

    report = []
    caught = missed = broken = 0
    try:
        for n, f in enumerate(faults, 1):
            if f["stale"]:
                continue
            path = os.path.join(root, f["file"])
            with open(path, encoding="utf-8", newline="") as src:
                original = src.read()
            current.update(path=path, text=original)
            with open(path, "w", encoding="utf-8", newline="") as dst:
                dst.write(original.replace(f["text"], f["replacement"], 1))
            started = time.time()
            suites = [wine] if args.wine_only or not f["file"].startswith(PORTABLE) \
                else [native, wine]
            verdict, where = "MISSED", ""
            for suite in suites:
                if not suite.build():
                    verdict, where = "no build", suite.name
                    break
                if not suite.passes():
                    verdict = "caught"
                    where = f"{suite.name}: {', '.join(failed_tests(log)) or 'a test'}"
                    break
            restore()
            caught += verdict == "caught"
            missed += verdict == "MISSED"
            broken += verdict == "no build"
            line = (f"{n:3} {verdict:8} {f['kind']:<18} {f['file']}:"
                    f" {f['text'].strip()!r} -> {f['replacement'].strip()!r}"
                    + (f"  [{where}]" if where else "") + f"  ({time.time() - started:.0f} s)")
            print(line, flush=True)
            report.append(line)
    finally:
        restore()
        # Leave both builds made from the code as it is.
        native.build()
        wine.build()

    stale = sum(f["stale"] for f in faults)
    summary = f"caught {caught} of {caught + missed} faults" + (
        f"; {broken} did not build" if broken else "") + (f"; {stale} stale" if stale else "")
    print(summary)
    with open(os.path.join(out, "mutate.txt"), "w", encoding="utf-8") as f:
        f.write("\n".join(report + [summary]) + "\n")
    return 0 if missed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
