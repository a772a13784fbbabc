#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""windows.py EXE BARE_QT_EXE BARE_WIN32_EXE TOOLS: the Windows program's
start-up under Wine, beside a bare Qt window built with the same Qt and a
bare Win32 window: the time from starting each to its window shown on the X
screen, with Wine's server already running. Each program is started in
turn, so that the machine's load falls alike on all three; medians of
repeated starts. Prints a Markdown table with their sizes."""
import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "gui"))
import driver  # noqa: E402

STARTS = int(os.environ.get("BENCH_STARTS", 11))


def one_start(s, exe, title):
    t0 = time.monotonic()
    p = subprocess.Popen([s.wine, str(exe)], env=s.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Each window an X window of its own (no Wine desktop), seen by Xlib.
    driver.wait(30, lambda: s.windows(title), 'no window "%s"' % title, every=0.005)
    took = time.monotonic() - t0
    p.terminate()
    p.wait()
    driver.wait(10, lambda: not s.windows(title), 'the window "%s" stayed' % title)
    return took * 1000


def main():
    programs = [(Path(a).resolve(), t) for a, t in zip(sys.argv[1:4], ("Lullwick", "Bare", "Bare"))]
    driver.TOOLS = sys.argv[4]
    driver.TABLES.update(driver.layout_tables(driver.TOOLS))
    s = driver.Wine()
    try:
        subprocess.Popen(["wineserver", "-p"], env=s.env).wait()
        one_start(s, programs[2][0], "Bare")        # Wine's own start-up, once
        times = {exe: [] for exe, _ in programs}
        for _ in range(STARTS):
            for exe, title in programs:
                times[exe].append(one_start(s, exe, title))
    finally:
        s.end()
    app, qt, win32 = (statistics.median(times[exe]) for exe, _ in programs)
    print("| Measure | Lullwick.exe | Bare Qt window | Ratio | Bare Win32 window | Ratio |")
    print("|---|---|---|---|---|---|")
    print("| Start to window shown under Wine (ms, median of %d) | %.0f | %.0f | %.2f | %.0f | %.2f |"
          % (STARTS, app, qt, app / qt, win32, app / win32))
    print("| Size (bytes) | {:,} | {:,} | | {:,} | |".format(*(exe.stat().st_size for exe, _ in programs)))


if __name__ == "__main__":
    main()
