#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""windows.py EXE BARE_EXE TOOLS: the Windows program's start-up under Wine,
beside a bare Win32 window: the time from starting it to its window shown
on the X screen, with Wine's server already running. Median of repeated
starts; prints a Markdown table with the exe's size."""
import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "gui"))
import driver  # noqa: E402

STARTS = int(os.environ.get("BENCH_STARTS", 7))


def one_start(s, exe, title):
    t0 = time.monotonic()
    p = subprocess.Popen([s.wine, str(exe)], env=s.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    driver.wait(30, lambda: s.has(title), 'no window "%s"' % title, every=0.005)
    shown = time.monotonic() - t0
    p.terminate()
    p.wait()
    driver.wait(10, lambda: not s.has(title), 'the window "%s" stayed' % title)
    return shown * 1000


def main():
    exe, bare = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    driver.TABLES.update(driver.layout_tables(sys.argv[3]))
    s = driver.Wine()
    try:
        subprocess.Popen(["wineserver", "-p"], env=s.env).wait()
        one_start(s, bare, "Bare")              # Wine's own start-up, once
        times = {e: [one_start(s, e, t) for _ in range(STARTS)] for e, t in ((exe, "Lullwick"), (bare, "Bare"))}
    finally:
        s.end()
    app, base = (statistics.median(times[e]) for e in (exe, bare))
    print("| Measure | Lullwick.exe | Bare Win32 window | Ratio |\n|---|---|---|---|")
    print("| Start to window shown under Wine (ms, median of %d) | %.0f | %.0f | %.2f |" % (STARTS, app, base, app / base))
    print("| Size (bytes) | %d | %d | |" % (exe.stat().st_size, bare.stat().st_size))


if __name__ == "__main__":
    main()
