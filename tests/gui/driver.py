#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The whole-program tests' one driver: driver.py CASE PROGRAM [TOOLS]
(or driver.py screenshots PROGRAM FOLDER [TOOLS]).

It owns the sessions the real program runs in (a private Xvfb server under a
window manager, sway on its headless backend, the X session manager xsm, the
accessibility bus) and the few verbs every case uses, each waiting on a
condition. A case is a short function registered under its CTest name. Our
own windows are found by title and measured from the layout tables the
program builds itself from, as TOOLS/layout_tables prints them (TOOLS: the
tests' build folder, build/tests by default, which also holds smclient);
other programs' windows by their window tree.
LULLWICK_TEST_WM names the X11 window manager: openbox (the default),
xfwm4, "mutter --x11" or kwin_x11. Exit status: 0 pass, 1 fail, 77 skip.
"""
import glob
import os
import random
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib
from pathlib import Path

SOURCE = Path(__file__).resolve().parents[2]
RUN = "Installing Microsoft Windows Service Pack"
# What a release may lack, said once: a case that needs it is skipped there.
OPTIONAL = {"gui_contrast-dark": ("/usr/lib/*/qt6/plugins/styles/adwaita.so",
                                  "Qt's Adwaita style (adwaita-qt6)")}


class Failed(Exception):
    pass


def fail(what):
    raise Failed(what)


def wait(limit, condition, failure=None, every=0.05):
    """condition() until it is true, up to limit seconds; failure, if
    given, is the message of the failure when it never is."""
    end = time.monotonic() + limit
    while True:
        result = condition()
        if result or time.monotonic() > end:
            if not result and failure:
                fail(failure)
            return result
        time.sleep(every)


def settle():
    """What must not happen (a refused close, a cancelled Cancel) is given
    half a second to show itself."""
    time.sleep(0.5)


def need(*tools):
    for tool in tools:
        if not shutil.which(tool) and not os.access(tool, os.X_OK):
            fail("%s is not installed (make test installs it)" % tool)


# --- The layout tables, as the program builds its windows from them ------------

def layout_tables(tools):
    """form -> name -> (container, [left, top, width, height] in pixels at
    96 dpi); "ClientArea" the form's own."""
    import json
    program = Path(tools) / "layout_tables"
    if not os.access(program, os.X_OK):
        fail("no %s: it is built with the tests (cmake --build build)" % program)
    tables = json.loads(subprocess.run([program], capture_output=True, check=True, text=True).stdout)
    return {form: dict({name: (row["container"], row["rect"]) for name, row in t["Controls"].items()},
                       ClientArea=("", t["ClientArea"])) for form, t in tables.items()}


TABLES = {}


def place(form, name, inset=0):
    """Where control name lies in its window's client area (below any menu
    bar), with inset pixels taken off each side."""
    container, (x, y, w, h) = TABLES[form][name]
    while container != form:
        container, (cx, cy, _, _) = TABLES[form][container]
        x, y = x + cx, y + cy
    return x + inset, y + inset, w - 2 * inset, h - 2 * inset


# --- Pictures -----------------------------------------------------------------

class Picture:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    @staticmethod
    def from_ppm(data):
        # "P6\nW H\n255\n" then the pixels, whose first bytes may look like
        # white space.
        _, size, _, pixels = data.split(b"\n", 3)
        width, height = (int(v) for v in size.split())
        return Picture(width, height, pixels[:width * height * 3])

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return self.rgb[i:i + 3]

    def pixels(self):
        return [self.rgb[i:i + 3] for i in range(0, len(self.rgb), 3)]

    def colours(self):
        return len(set(self.pixels()))

    def fill(self, y, x0, x1):
        """Pixels of row y from x0 to x1 that differ from the one at x1: a
        bar's fill against its empty groove."""
        empty = self.pixel(x1, y)
        return sum(1 for x in range(x0, x1) if self.pixel(x, y) != empty)

    def differ(self, other):
        """The share of pixels, in per cent, that differ from other's."""
        if (other.width, other.height) != (self.width, self.height):
            fail("pictures of %dx%d and %dx%d" % (self.width, self.height, other.width, other.height))
        return 100.0 * sum(a != b for a, b in zip(self.pixels(), other.pixels())) / (self.width * self.height)

    def contrast(self):
        """WCAG contrast of the text with its background: the most common
        colour against the furthest of those making up 0.2 % or more (each
        shade of anti-aliased edges is rarer)."""
        counts = {}
        for p in self.pixels():
            counts[p] = counts.get(p, 0) + 1
        background = max(counts, key=counts.get)
        common = [c for c, n in counts.items() if n * 500 >= len(self.rgb) // 3 and c != background]
        return max((contrast(c, background) for c in common), default=1.0)

    def save_png(self, path):
        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
        stride = self.width * 3
        raw = b"".join(b"\0" + self.rgb[y * stride:(y + 1) * stride] for y in range(self.height))
        Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0))
                               + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def contrast(a, b):
    def luminance(rgb):
        lin = [c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4 for c in (v / 255 for v in rgb)]
        return 0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2]
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


# --- Sessions -----------------------------------------------------------------

class Session:
    """What every session shares: its files, its processes (each in a group
    of its own, ended with the session), and the program with its status."""

    def __init__(self):
        self.tmp = Path(tempfile.mkdtemp(prefix="lullwick-test-"))
        self.env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY", "DISPLAY")}
        # A home and runtime folder of the session's own: what the window
        # manager, Qt and Wine keep goes there, and goes with the session.
        (self.tmp / "home").mkdir()
        (self.tmp / "runtime").mkdir(mode=0o700)
        self.env.update(HOME=str(self.tmp / "home"), XDG_RUNTIME_DIR=str(self.tmp / "runtime"))
        self.processes = []
        self.app = None

    def spawn(self, args, log, env=None, **kw):
        with open(self.tmp / (log + ".log"), "ab") as out:
            p = subprocess.Popen(args, stdout=out, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                                 env=env or self.env, start_new_session=True, **kw)
        self.processes.append(p)
        return p

    def end(self):
        for p in reversed(self.processes):
            if p.poll() is None:
                os.killpg(p.pid, signal.SIGTERM)
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    os.killpg(p.pid, signal.SIGKILL)
                    p.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def log(self, name):
        path = self.tmp / (name + ".log")
        return path.read_text(errors="replace") if path.exists() else ""

    # The program.
    def command(self, program):
        return [str(program)]

    def start(self, program, *args, **env):
        self.app = self.spawn(self.command(program) + list(args), "app", dict(self.env, **env))

    def open_main(self, *args, **env):
        """The program started, its configuration window shown and focused."""
        self.start(PROGRAM, *args, **env)
        return self.expect("Lullwick")

    def running(self):
        return self.app.poll() is None

    def wait_exit(self, limit):
        wait(limit, lambda: not self.running(), "the program did not end within %g s" % limit)
        return self.app.returncode

    def ended_well(self, limit):
        if self.wait_exit(limit) != 0:
            fail("exit status %d" % self.app.returncode)

    # Windows, by title.
    def client(self, title):
        """The client area of the window titled title: x, y, width, height."""
        found = self.windows(title)
        if not found:
            fail('no window "%s"' % title)
        return self.area(found[0])

    def has(self, title):
        return bool(self.windows(title))

    def expect(self, title, limit=10):
        wait(limit, lambda: self.has(title), 'no window "%s" appeared' % title)
        # The window manager gives it the focus before keys are sent.
        wait(5, lambda: self.focused(title), 'the window "%s" did not get the focus' % title)
        return self.windows(title)[0]

    def gone(self, title, limit=5):
        wait(limit, lambda: not self.has(title), 'the window "%s" stayed' % title)

    def still_running(self, title):
        settle()
        if not (self.running() and self.has(title)):
            fail('the program or its window "%s" is gone' % title)

    def confirm_kept(self):
        """After Esc or a close on Confirm: Confirm is still there."""
        self.still_running("Confirm")

    def shot(self, title, form, name, inset=0, height=None):
        """The picture of a control of our window titled title, or of its
        top height pixels."""
        x, y, w, h = self.client(title)
        menu = h - TABLES[form]["ClientArea"][1][3]
        cx, cy, cw, ch = place(form, name, inset)
        return self.picture(x + cx, y + menu + cy, cw, height or ch)

    def settled(self, take):
        """take()'s picture once two in a row are the same: the window has
        been painted (a compositing window manager may show it before)."""
        shots = [take()]
        wait(5, lambda: shots.append(take()) or shots[-1].rgb == shots[-2].rgb,
             "the picture was still changing after 5 s", every=0.1)
        return shots[-1]

    # The verbs the cases share.
    def open_about(self):
        self.keys("alt+h")
        self.menu_open()
        self.keys("Up", "Return")       # the last item of Help
        return self.expect("About Lullwick", 5)

    def close_about(self):
        self.keys("Escape")
        self.gone("About Lullwick")

    def start_run(self, minutes):
        """From the configuration window as it opens: the duration, then
        Start. self.pressed is when Enter was pressed on it (monotonic),
        self.pressed_at the same on the wall clock."""
        self.keys("Tab", "ctrl+a")
        self.type(minutes)
        self.keys("Tab", "Tab")             # Quit, then Start
        self.pressed, self.pressed_at = time.monotonic(), time.time()
        self.keys("Return")
        return self.expect(RUN, 5)

    def refused(self, field):
        """Start refused: a message box titled like the window, and while it
        is open field, and no other field, painted yellow; OK closes it."""
        wait(5, lambda: len(self.windows("Lullwick")) == 2, "no message box")
        # The box is the one not as wide as the window; moved off the fields.
        width = TABLES["frmMain"]["ClientArea"][1][2]
        main, box = sorted(self.windows("Lullwick"), key=lambda w: self.area(w)[2] != width)
        if isinstance(self, X11):
            self.tool("xdotool", "windowmove", str(box), "0", "0")

        def yellow(name):
            x, y, _, h = self.area(main)
            cx, cy, cw, ch = place("frmMain", name, inset=4)
            inside = self.picture(x + cx, y + h - TABLES["frmMain"]["ClientArea"][1][3] + cy, cw, ch)
            return inside.pixels().count(b"\xff\xff\x00") * 2 > len(inside.pixels())
        wait(5, lambda: yellow(field), "%s is not painted yellow under the message box" % field)
        for other in {"txtMessage", "cmbTime"} - {field}:
            if yellow(other):
                fail("%s is painted yellow, not %s" % (other, field))
        self.keys("Return")
        wait(5, lambda: len(self.windows("Lullwick")) == 1, "the message box stayed")
        self.still_running("Lullwick")
        if self.has(RUN):
            fail("a run started")

    def cancel_no_then_yes(self):
        """With the focus on Cancel: Cancel asks Confirm, which must be
        answered (Esc and a close do nothing) and cannot be resized; No goes
        on, Cancel then Yes ends the program with status 0."""
        self.keys("space")
        self.expect("Confirm", 5)
        if isinstance(self, X11) and not self.fixed_size("Confirm"):
            fail("the Confirm box can be resized")
        self.keys("Escape")
        self.confirm_kept()
        self.close("Confirm")
        self.confirm_kept()
        self.keys("Tab", "space")       # No
        self.gone("Confirm")
        self.still_running(RUN)
        self.keys("space")
        self.expect("Confirm", 5)
        start = time.monotonic()
        self.keys("Return")             # Yes, the default
        self.ended_well(5)
        print("Cancel then Yes ended the program after %d ms" % ((time.monotonic() - start) * 1000))


class X11(Session):
    """Xvfb on a free display with a window manager; keys through XTEST."""

    def __init__(self, wm=None, screen="1024x768"):
        super().__init__()
        from Xlib import X, display, error
        self.X, self.XError = X, error.XError
        self.wm = (os.environ.get("LULLWICK_TEST_WM") or wm or "openbox").split()
        need("Xvfb", "xdotool", "wmctrl", "xmessage", self.wm[0])
        # xfwm4, mutter and KWin read their settings over D-Bus: each gets a
        # session bus of its own. Xvfb has no GL for xfwm4 to composite with.
        wm_command = {"xfwm4": ["xfwm4", "--compositor=off"], "openbox": self.wm}.get(
            self.wm[0], self.wm + ["--replace"])
        if self.wm[0] != "openbox":
            wm_command = ["dbus-run-session", "--"] + wm_command
        for attempt in (1, 2, 3):
            # Each try on a display of its own: the server refuses one in use.
            self.env["DISPLAY"] = ":%d" % random.randint(100, 899)
            xvfb = self.spawn(["Xvfb", self.env["DISPLAY"], "-screen", "0", screen + "x24", "-nolisten", "tcp",
                               "-noreset"], "xvfb")
            step = "%s taking connections" % self.env["DISPLAY"]
            if wait(10, lambda: xvfb.poll() is not None or self.connect(display)) and xvfb.poll() is None:
                wm_process = self.spawn(wm_command, "wm")
                step = "%s managing the display" % self.wm[0]
                if wait(20, lambda: self.tool_ok("wmctrl", "-m")):
                    # A window manager may answer before it takes windows: a
                    # probe window is shown before the session is used.
                    step = "%s showing windows" % self.wm[0]
                    if self.probe_shown():
                        break
                    wm_process.kill()
            print("X session, try %d: no %s\n%s%s" % (attempt, step, self.log("xvfb"), self.log("wm")), file=sys.stderr)
            xvfb.kill()
            if attempt == 3:
                fail("no X session with %s could be started" % self.wm[0])
        self.env["QT_QPA_PLATFORM"] = "xcb"

    def connect(self, display):
        try:
            self.dpy = display.Display(self.env["DISPLAY"])
        except Exception:
            return False
        self.root = self.dpy.screen().root
        return True

    def tool_ok(self, *args):
        return subprocess.run(args, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0

    def tool(self, *args):
        if subprocess.run(args, env=self.env, stdout=subprocess.DEVNULL).returncode:
            fail("%s failed" % " ".join(args))

    def probe_shown(self):
        probe = self.spawn(["xmessage", "-name", "lullwick-probe", "probe"], "probe")

        def shown():
            ids = subprocess.run(["xdotool", "search", "--classname", "^lullwick-probe$"], env=self.env,
                                 capture_output=True, text=True).stdout.split()
            for w in ids:
                if self.dpy.create_resource_object("window", int(w)).get_attributes().map_state == self.X.IsViewable:
                    return True
                self.tool_ok("xdotool", "windowmap", w)     # asked again until shown
            return False
        shown = wait(10, shown)
        probe.kill()
        return shown

    def prop(self, win, name):
        try:
            p = self.dpy.create_resource_object("window", win).get_full_property(self.dpy.intern_atom(name), 0)
        except self.XError:
            return None
        return p.value if p else None

    def name(self, w):
        value = self.prop(w.id, "_NET_WM_NAME") or self.prop(w.id, "WM_NAME")
        return value.decode("utf-8", "replace") if isinstance(value, bytes) else value

    def shown(self, parent=None):
        """Every viewable window below parent (the root), depth first."""
        try:
            children = (parent or self.root).query_tree().children
        except self.XError:
            return
        for c in children:
            try:
                viewable = c.get_attributes().map_state == self.X.IsViewable
            except self.XError:
                continue
            if viewable:
                yield c
                yield from self.shown(c)

    def windows(self, title):
        match = title.fullmatch if isinstance(title, re.Pattern) else title.__eq__
        return [w.id for w in self.shown() if (self.name(w) or "") and match(self.name(w))]

    def focused(self, title):
        active = self.prop(self.root.id, "_NET_ACTIVE_WINDOW")
        return bool(active) and active[0] in self.windows(title)

    def area(self, win):
        w = self.dpy.create_resource_object("window", win)
        at, g = self.root.translate_coords(w, 0, 0), w.get_geometry()
        return at.x, at.y, g.width, g.height

    def frame(self, title):
        """The window with its frame: client area and the manager's extents."""
        x, y, w, h = self.client(title)
        left, right, top, bottom = self.prop(self.windows(title)[0], "_NET_FRAME_EXTENTS") or (0, 0, 0, 0)
        return x - left, y - top, w + left + right, h + top + bottom

    def fixed_size(self, title):
        """The window tells the window manager that it has one size only."""
        hints = self.dpy.create_resource_object("window", self.windows(title)[0]).get_wm_normal_hints()
        return bool(hints) and hints.flags & 0x30 == 0x30 and (hints.min_width, hints.min_height) == (
            hints.max_width, hints.max_height)

    def states(self, win):
        return [self.dpy.get_atom_name(a) for a in self.prop(win, "_NET_WM_STATE") or []]

    def popups(self):
        """The shown windows that no window manager frames: menus."""
        found = set()
        for w in self.root.query_tree().children:
            try:
                a = w.get_attributes()
            except self.XError:
                continue
            if a.override_redirect and a.map_state == self.X.IsViewable:
                found.add(w.id)
        return found

    def menu_open(self):
        wait(5, self.popups, "no menu opened")

    def picture(self, x, y, w, h):
        data = self.root.get_image(x, y, w, h, self.X.ZPixmap, 0xFFFFFFFF).data
        rgb = bytearray(w * h * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = data[2::4], data[1::4], data[0::4]
        return Picture(w, h, rgb)

    def keys(self, *keys):
        self.tool("xdotool", "key", "--delay", "40", *keys)

    def type(self, text):
        self.tool("xdotool", "type", "--delay", "30", text)

    def close(self, title):
        """The window manager's close, as its title bar's button asks it."""
        self.tool("wmctrl", "-i", "-c", str(self.windows(title)[0]))

    def click(self, win, x=None, y=None, action=("click", "1")):
        """The pointer on window win (at its middle), then action."""
        _, _, w, h = self.area(win)
        self.tool("xdotool", "mousemove", "--sync", "--window", str(win),
                  str(w // 2 if x is None else x), str(h // 2 if y is None else y), *action)


class Wine(X11):
    """The Windows program (PROGRAM is its Lullwick.exe) under Wine in an X11
    session, with Windows' animations off (no pulsing default button: a
    window's picture settles): Wine's windows are X11 windows, framed by the
    window manager; its registry is real."""

    def __init__(self, wm=None, screen="1024x768"):
        super().__init__(wm, screen)
        self.wine = "/usr/lib/wine/wine64" if os.path.exists("/usr/lib/wine/wine64") else "wine"
        need(self.wine, "wineboot", "wineserver")
        self.env.update(WINEPREFIX=str(self.tmp / "prefix"), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        if self.run_wine(["wineboot", "-i"], 300)[0]:
            fail("wineboot could not make a prefix")
        self.run_wine(["wineserver", "-w"], 120)
        if self.ask("still")[0]:
            fail("the probe could not turn Windows' animations off")

    def command(self, program):
        return [self.wine, str(program)]

    def run_wine(self, args, limit=60):
        """A Wine command's status and output. The output goes through a
        file, not a pipe: the Wine services and the desktop that a command
        may start inherit its handles and would hold a pipe open for good."""
        with tempfile.TemporaryFile() as out:
            p = subprocess.Popen(args, stdout=out, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, env=self.env)
            try:
                p.wait(limit)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()
                fail("%s did not end within %d s" % (" ".join(args), limit))
            out.seek(0)
            return p.returncode, out.read().decode("utf-8", "replace")

    def ask(self, *args):
        """TOOLS/probe.exe run in this Wine session, which asks and tells
        Windows what no X11 tool can: its status and output."""
        probe = Path(TOOLS) / "probe.exe"
        need(str(probe))
        return self.run_wine([self.wine, str(probe)] + list(args))

    def registry(self, *args):
        """reg.exe in the prefix: add or delete a key or value."""
        if self.run_wine([self.wine, "reg"] + list(args))[0]:
            fail("reg %s failed" % " ".join(args))

    def confirm_kept(self):
        """Wine's own Yes/No box, unlike Windows', ends on Esc and on a close
        as if it had a Cancel button: the program takes that as No, the run
        goes on, and Cancel (still focused) asks again. Never as Yes."""
        settle()
        if self.has("Confirm"):
            return
        self.still_running(RUN)
        print("Wine's box ended as No")
        self.keys("space")
        self.expect("Confirm", 5)

    def end(self):
        subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True)
        super().end()


class WineDesktop(Wine):
    """Wine with a desktop of its own (a virtual desktop), where Wine, not an
    X window manager, frames every window, draws it and answers as Windows
    does. Windows are found and measured by TOOLS/probe.exe, which asks
    Windows in the same desktop; keys go to the desktop, which hands them on."""

    def __init__(self, wm=None, screen="1024x768"):
        # Openbox would close the whole desktop, and with it the Windows
        # session, on Alt+F4: it binds no keys here.
        super().__init__(wm or "openbox --config-file %s" % (SOURCE / "tests/gui/openbox-no-keys.xml"), screen)
        # Wine draws the caption buttons with its Marlett font, which it does
        # not find where fonts-wine puts it (letters are drawn instead): it
        # goes into the prefix's own fonts.
        shutil.copy("/usr/share/wine/fonts/marlett.ttf", self.tmp / "prefix/drive_c/windows/Fonts/")
        self.registry("add", r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/d", "Default", "/f")
        self.registry("add", r"HKCU\Software\Wine\Explorer\Desktops", "/v", "Default", "/d", screen, "/f")
        # The desktop that reg.exe's start made is Wine's usual one: it goes
        # first, so that the program's start makes one of its own.
        self.run_wine(["wineserver", "-w"])

    def listed(self):
        """Every shown window as Windows describes it."""
        # A probe that did not run says nothing of the windows: asked again,
        # never read as "none shown" (which would pass every wait for a
        # window to go).
        def ran():
            status, out = self.ask("list")
            return [out] if status == 0 else None
        listing, = wait(10, ran, "the probe could not list the windows")
        found = []
        for line in listing.splitlines():
            f = line.rstrip("\r").split("\t")
            if len(f) == 9:
                found.append(dict(title=f[0], cls=f[1], style=int(f[2], 16), exstyle=int(f[3], 16), owner=f[4],
                                  client=tuple(int(v) for v in f[5].split()),
                                  frame=tuple(int(v) for v in f[6].split()), foreground=f[7] == "1", themed=f[8]))
        return found

    def windows(self, title):
        match = title.fullmatch if isinstance(title, re.Pattern) else title.__eq__
        return [w for w in self.listed() if match(w["title"])]

    def described(self, title):
        found = self.windows(title)
        if not found:
            fail('no window "%s"' % title)
        return found[0]

    def focused(self, title):
        return any(w["foreground"] for w in self.windows(title))

    # Places and pictures in Windows' own coordinates, on the desktop as
    # Windows draws it: the probe copies the pixels from the screen there.
    def area(self, w):
        return w["client"]

    def frame(self, title):
        return self.described(title)["frame"]

    def picture(self, x, y, w, h):
        shot = self.tmp / "shot.ppm"
        if self.ask("shot", str(x), str(y), str(w), str(h), str(shot))[0]:
            fail("the probe could not copy the screen at %d,%d %dx%d" % (x, y, w, h))
        return Picture.from_ppm(shot.read_bytes())

    def fixed_size(self, title):
        return not self.described(title)["style"] & WS_THICKFRAME

    def close(self, title):
        """The close box's request: the system menu's Close."""
        if self.ask("sysclose", title)[0]:
            fail('the probe found no window "%s" to close' % title)


# Window styles, as Windows reports them.
WS_CAPTION, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00080000, 0x00040000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_EX_DLGMODALFRAME = 0x00020000, 0x00010000, 0x00000001


class Sway(Session):
    """sway on its headless backend, with wtype for keys and grim for pixels.
    sway will not run as root: then the compositor, the tools and the program
    all run as the unprivileged user nobody."""

    def __init__(self, config=""):
        super().__init__()
        need("sway", "swaymsg", "wtype", "grim")
        runtime = self.tmp / "runtime"
        runtime.chmod(0o700)
        os.chmod(self.tmp, 0o755)
        self.user = []
        if os.getuid() == 0:
            shutil.chown(runtime, "nobody", "nogroup")
            self.user = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]
        self.env = {"PATH": "/usr/bin:/bin", "HOME": str(runtime), "XDG_RUNTIME_DIR": str(runtime),
                    "WAYLAND_DISPLAY": "wayland-1", "SWAYSOCK": str(runtime / "sway.sock"), "LANG": "C.UTF-8"}
        conf = self.tmp / "sway.conf"
        conf.write_text("output HEADLESS-1 resolution 1024x768\ndefault_border normal\nxwayland disable\n"
                        'for_window [app_id=".*"] floating enable\n' + config + "\n")
        conf.chmod(0o644)
        self.spawn(self.user + ["sway", "-c", str(conf)], "sway",
                   dict(self.env, WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman"))
        wait(10, lambda: (runtime / "sway.sock").exists() and not self.run("swaymsg", "-t", "get_version").returncode,
             "sway did not start:\n" + self.log("sway"))
        # Each wtype that exits takes the seat's keyboard away: one idles throughout.
        self.spawn(self.user + ["wtype", "-s", "100000000"], "wtype")

    def run(self, *args):
        return subprocess.run(self.user + list(args), env=self.env, capture_output=True)

    def command(self, program):
        # Copied where the session's user can run it.
        shutil.copy(program, self.tmp / "lullwick")
        return self.user + [str(self.tmp / "lullwick")]

    def tree(self):
        import json
        found = []

        def walk(n):
            if n.get("pid"):
                found.append(n)
            for c in n.get("nodes", []) + n.get("floating_nodes", []):
                walk(c)
        walk(json.loads(self.run("swaymsg", "-r", "-t", "get_tree").stdout or b"{}"))
        return found

    def windows(self, title):
        return [n for n in self.tree() if n.get("name") == title]

    def focused(self, title):
        return any(n.get("focused") for n in self.windows(title))

    def area(self, node):
        r, c = node["rect"], node["window_rect"]
        return r["x"] + c["x"], r["y"] + c["y"], c["width"], c["height"]

    def frame(self, title):
        r = self.windows(title)[0]["rect"]
        return r["x"], r["y"], r["width"], r["height"]

    def menu_open(self):
        pass                            # wtype paces its keys itself

    def picture(self, x, y, w, h):
        shot = self.run("grim", "-t", "ppm", "-g", "%d,%d %dx%d" % (x, y, w, h), "-")
        if shot.returncode:
            fail("grim could not read the screen")
        return Picture.from_ppm(shot.stdout)

    def keys(self, *keys):
        for k in keys:
            mod, _, key = k.rpartition("+")
            self.run("wtype", "-s", "120", *(["-M", mod, "-k", key, "-m", mod] if mod else ["-k", key]))

    def type(self, text):
        self.run("wtype", "-s", "120", text)

    def close(self, title):
        self.run("swaymsg", '[title="^%s$"] kill' % re.escape(title))


class Accessibility:
    """The session's accessibility bus, read from here as a screen reader
    reads it. Started before the program, which then always offers itself."""

    def __init__(self, session):
        need("dbus-daemon", "/usr/libexec/at-spi-bus-launcher")
        env = session.env
        env.update(HOME=str(session.tmp), XDG_RUNTIME_DIR=str(session.tmp), QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        address = session.tmp / "bus"
        session.spawn(["dbus-daemon", "--session", "--nofork", "--address=unix:path=%s" % address], "dbus")
        wait(10, address.exists, "no session bus")
        env["DBUS_SESSION_BUS_ADDRESS"] = os.environ["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=%s" % address
        session.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], "atspi", env)
        import pyatspi
        from gi.repository import Atspi, GLib
        self.pyatspi, self.Atspi, self.context = pyatspi, Atspi, GLib.MainContext.default()

    def pump(self):
        while self.context.pending():
            self.context.iteration(False)

    def app(self):
        self.pump()
        for a in self.pyatspi.Registry.getDesktop(0):
            if a is not None and a.name == "Lullwick":
                a.set_cache_mask(self.Atspi.Cache.NONE)   # every question asked anew
                return a
        return None

    def walk(self, node):
        yield node
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                yield from self.walk(child)

    def window(self, title, roles=None):
        def find():
            for w in self.app() or []:
                if (w is not None and w.name == title and w.getState().contains(self.pyatspi.STATE_SHOWING)
                        and (roles is None or w.getRoleName() in roles)):
                    return w
        return wait(5, find, 'no window "%s" (%s) on the accessibility bus' % (title, "/".join(roles or ["any role"])))

    def named(self, node, role):
        return [n.name for n in self.walk(node) if n.getRoleName() == role]

    def buttons(self, node):
        # By the role itself: newer AT-SPI names it "button", older "push button".
        return [n.name for n in self.walk(node) if n.getRole() == self.pyatspi.ROLE_PUSH_BUTTON]

    def labelled_by(self, node):
        for r in node.getRelationSet():
            if r.getRelationType() == self.pyatspi.RELATION_LABELLED_BY:
                return [r.getTarget(i).name for i in range(r.getNTargets())]
        return []

    def box(self, title, prompt):
        w = self.window(title, ("dialog", "alert"))
        print("%s %r says %r" % (w.getRoleName(), title, self.named(w, "label")))
        if prompt not in self.named(w, "label"):
            fail("the box does not say %r" % prompt)
        return w

    def message_box(self):
        for n in self.walk(self.window("Lullwick", ("frame",))):
            if n.getRoleName() == "text" and n.name == "Installation Display Message:":
                return n
        fail("no text box named by its label")

    def message_editable(self):
        return self.message_box().getState().contains(self.pyatspi.STATE_EDITABLE)

    def value(self):
        app = self.app()
        bars = [n for n in self.walk(app) if n.getRoleName() == "progress bar"] if app else []
        return bars[0].queryValue().currentValue if bars else None

    def focus(self, window):
        return [n for n in self.walk(window) if n.getState().contains(self.pyatspi.STATE_FOCUSED)]


def start_xsm(s):
    """xsm on the session, a second well-behaved client of it (SMCLIENT) and
    the program: SESSION_MANAGER is set for the program from then on."""
    smclient = str(Path(TOOLS) / "smclient")
    need("xsm", "iceauth", smclient)      # the last built with libSM (libsm-dev)
    home = s.tmp / "home"
    home.mkdir(exist_ok=True)
    (home / ".xsmstartup").write_text("sh -c 'echo $SESSION_MANAGER >%s/sm'\n" % s.tmp)
    s.env.update(HOME=str(home), ICEAUTHORITY=str(home / ".ICEauthority"))
    s.xsm = s.spawn(["xsm"], "xsm")
    wait(10, lambda: (s.tmp / "sm").exists() and (s.tmp / "sm").read_text().strip(), "xsm did not start")
    s.env["SESSION_MANAGER"] = (s.tmp / "sm").read_text().strip().split(",")[0]    # its local socket
    s.xsm_window = wait(10, lambda: (s.windows(re.compile("xsm: .*")) or [None])[0], "no xsm window")
    # Out of the way of the centred windows, so its buttons are never covered.
    s.tool("xdotool", "windowmove", "--sync", str(s.xsm_window), "0", "0")
    s.spawn([smclient, str(s.tmp / "client.log")], "client")
    wait(5, lambda: "registered" in s.log("client"), "the second client did not register")


def widget(s, win, row, col):
    """xsm's widget at row, col of window win: its one form's child windows,
    in rows top to bottom, then left to right (Xt's Form keeps that order,
    whatever size the fonts give each widget)."""
    form = max(s.dpy.create_resource_object("window", win).query_tree().children,
               key=lambda c: len(c.query_tree().children))
    boxes = sorted((g.y, g.x, g.height, c.id) for c in form.query_tree().children for g in [c.get_geometry()])
    rows = []
    for y, x, h, wid in boxes:
        if not rows or y >= rows[-1][0] + rows[-1][1] / 2:
            rows.append((y, h, []))
        rows[-1][2].append((x, wid))
    try:
        return sorted(rows[row - 1][2])[col - 1][1]
    except IndexError:
        fail("no widget %d, %d in xsm's window" % (row, col))


# --- The cases ------------------------------------------------------------------

CASES = {}


def case(*names, **options):
    def register(f):
        for name in names:
            CASES[name] = (f, options)
        return f
    return register


def client_size(s, title, form):
    """The client area is the table's, a menu bar below 40 pixels allowed."""
    _, _, w, h = s.client(title)
    _, _, want_w, want_h = TABLES[form]["ClientArea"][1]
    if w != want_w or not want_h <= h < want_h + 40:
        fail("client area %dx%d, not %dx%d (and a menu bar)" % (w, h, want_w, want_h))


def centred(s, title):
    x, y, w, h = s.frame(title)
    off = (x * 2 + w - 1024) // 2, (y * 2 + h - 768) // 2
    return abs(off[0]) <= 2 and abs(off[1]) <= 2


def looks_the_same(s, how, args=(), env=None):
    """The configuration window started plainly, then with args and env:
    under 1 % of its pixels may differ between the two."""
    shots = []
    for a, e in (((), {}), (args, env or {})):
        s.open_main(*a, **e)
        s.keys(*["Tab"] * 6)            # round the tab order: no text cursor blinks
        shots.append(s.settled(lambda: s.picture(*s.client("Lullwick"))))
        s.close("Lullwick")
        s.ended_well(5)
    changed = shots[0].differ(shots[1])
    print("%s, %.2f %% of the configuration window's pixels change" % (how, changed))
    if changed >= 1:
        fail("%s, %.2f %% of the window changed" % (how, changed))


@case("gui_startup", "wayland_startup")
def startup(s):
    s.open_main()
    if len(s.windows("Lullwick")) != 1:
        fail("more than one window")
    client_size(s, "Lullwick", "frmMain")
    if isinstance(s, Sway):
        if s.windows("Lullwick")[0].get("app_id") != "io.github.lullwick.Lullwick":
            fail("app id %s" % s.windows("Lullwick")[0].get("app_id"))
        painted(s, "Lullwick")
        return
    wait(3, lambda: centred(s, "Lullwick"), "the window is not centred: %s" % (s.frame("Lullwick"),))
    icons, sizes = list(s.prop(s.windows("Lullwick")[0], "_NET_WM_ICON") or []), set()
    while icons:
        sizes.add((icons[0], icons[1]))
        icons = icons[2 + icons[0] * icons[1]:]
    if not {(16, 16), (32, 32)} <= sizes:
        fail("window icons %s" % sorted(sizes))


@case("gui_hidpi")
def hidpi(s):
    # Twice the pixels per inch: everything, fonts included, scales together.
    s.open_main(QT_SCALE_FACTOR="2")
    if s.client("Lullwick")[2] != 2 * TABLES["frmMain"]["ClientArea"][1][2]:
        fail("client width %d at scale 2" % s.client("Lullwick")[2])


@case("gui_run", "wayland_run")
def run(s):
    s.open_main()
    s.start_run("0.05")                 # 3 seconds
    start = s.pressed
    if s.has("Lullwick"):
        fail("the configuration window is still there")
    if isinstance(s, X11):
        wait(3, lambda: centred(s, RUN), "the progress window is not centred: %s" % (s.frame(RUN),))
    s.ended_well(10)
    took = (time.monotonic() - start) * 1000
    print("run of 3 ticks ended after %d ms (key delay included)" % took)
    # wtype on Wayland presses a key some 120 ms after it is asked.
    if not 2900 <= took < (4000 if isinstance(s, X11) else 4500):
        fail("the run of 3 ticks took %d ms" % took)


@case("gui_refuse-close", "wayland_refuse-close", "wine_refuse-close")
def refuse_close(s):
    s.open_main()
    s.start_run("0.5")                  # 30 seconds
    s.close(RUN)
    s.still_running(RUN)
    s.keys("alt+F4")
    s.still_running(RUN)
    # A refused close changes nothing the user can reach: Enter after it
    # opens no Confirm box (the focus did not move to Cancel).
    s.keys("Return")
    settle()
    if s.has("Confirm"):
        fail("Enter after a refused close opened the Confirm box")
    s.keys("Tab")                       # Cancel
    s.cancel_no_then_yes()


@case("gui_close-hidden", "wine_close-hidden")
def close_hidden(s):
    # During a run, a close sent to the hidden configuration window by
    # another program (on X11 the window manager's delete message, on
    # Windows taskkill without /f) is refused: the run goes on.
    s.open_main()
    s.start_run("0.5")
    if isinstance(s, Wine):
        s.run_wine([s.wine, "taskkill", "/im", "Lullwick.exe"])
    else:
        from Xlib.protocol import event
        hidden = [w for w in s.root.query_tree().children if s.name(w) == "Lullwick"]
        if not hidden:
            fail("no hidden configuration window")
        protocols, delete = (s.dpy.intern_atom(a) for a in ("WM_PROTOCOLS", "WM_DELETE_WINDOW"))
        for w in hidden:
            w.send_event(event.ClientMessage(window=w, client_type=protocols, data=(32, [delete, 0, 0, 0, 0])))
        s.dpy.flush()
    s.still_running(RUN)


@case("gui_bad-duration")
def bad_duration(s):
    s.open_main()
    s.keys("Tab", "ctrl+a")
    s.type("abc")
    s.keys("Tab", "Tab", "Return")
    s.refused("cmbTime")


@case("gui_empty-message")
def empty_message(s):
    s.open_main()
    s.keys(*["Tab"] * 5, *["Down"] * 5)          # the message choice: Custom Message
    s.keys(*["Tab"] * 4, "Return")               # round to Start
    s.refused("txtMessage")


@case("gui_about", "wayland_about", "wine_about")
def about(s):
    s.open_main()
    s.open_about()
    if isinstance(s, Sway):
        painted(s, "About Lullwick")
    else:
        # Its client area where the box was designed to be, from the screen's top left.
        x, y, _, _ = TABLES["frmAbout"]["ClientArea"][1]
        wait(3, lambda: s.client("About Lullwick")[:2] == (x, y),
             "the About box's client area is at %s, not %s" % (s.client("About Lullwick")[:2], (x, y)))
    s.close_about()
    s.still_running("Lullwick")


@case("gui_close-main")
def close_main(s):
    s.open_main()
    s.close("Lullwick")
    s.ended_well(5)


@case("gui_no-display")
def no_display(s):
    # A display named but not there, X11 or Wayland: one line, status 1.
    free = next(n for n in range(1000, 2000) if not os.path.exists("/tmp/.X11-unix/X%d" % n))
    import socket
    stale = str(s.tmp / "wayland-gone")
    socket.socket(socket.AF_UNIX).bind(stale)       # a socket no one listens on
    env = {k: v for k, v in s.env.items() if k not in ("DISPLAY", "QT_QPA_PLATFORM")}
    for name, value in (("DISPLAY", ":%d" % free), ("WAYLAND_DISPLAY", stale)):
        out = subprocess.run([PROGRAM], env=dict(env, **{name: value}), capture_output=True, text=True, timeout=30)
        print("%s=%s: status %d, %r" % (name, value, out.returncode, out.stderr))
        if (out.returncode, out.stderr) != (1, "lullwick: no display found; run it on a desktop, or under xvfb-run\n"):
            fail("with %s=%s: status %d and %r" % (name, value, out.returncode, out.stderr))


@case("gui_arguments")
def arguments(s):
    # The program takes no command line: Qt's own options are not read. The
    # window looks as it does when started without them (-reverse would
    # mirror it, -platform offscreen hide it).
    looks_the_same(s, "with Qt's options", ("-platform", "offscreen", "-reverse", "-style", "windows", "--help"))


@case("gui_help-key", "wine_help-key")
def help_key(s):
    # F1 in each window shows the application's help file: here it is
    # missing, and a message box titled Lullwick says so.
    def help_box(where, window):
        before = len(s.windows("Lullwick"))
        s.keys("F1")
        wait(5, lambda: len(s.windows("Lullwick")) == before + 1, "F1 in %s showed nothing" % where)
        s.keys("Return")
        wait(5, lambda: len(s.windows("Lullwick")) == before, "the help message stayed")
        s.still_running(window)
    s.open_main()
    help_box("the configuration window", "Lullwick")
    s.open_about()
    help_box("the About box", "About Lullwick")
    s.close_about()
    s.start_run("0.5")
    help_box("the progress window", RUN)


@case("gui_long-word")
def long_word(s):
    # A custom message of one word wider than the label breaks inside it:
    # the label's second line is written on.
    s.open_main()
    s.keys(*["Tab"] * 5, *["Down"] * 5, "shift+Tab")    # Custom Message, then its box
    s.type("W" * 60)
    s.keys("shift+Tab", "Return")                       # Start
    s.expect(RUN, 5)
    def second_line_written():
        label = s.shot(RUN, "frmInstall", "lblDescription")
        band = range(label.height // 3, 2 * label.height // 3)
        return len({label.pixel(x, y) for y in band for x in range(label.width)}) > 1
    if not wait(5, second_line_written):
        fail("the message's long word was cut at the label's edge, not wrapped")


@case("gui_window-destroyed")
def window_destroyed(s):
    # Another program destroys a window of ours (as xdotool windowclose
    # does): the configuration window, then the progress window of a run.
    # The program ends at once.
    for title in ("Lullwick", RUN):
        s.open_main()
        if title == RUN:
            s.start_run("5")
        s.tool("xdotool", "windowclose", str(s.windows(title)[0]))
        status = s.wait_exit(2)
        print("%s destroyed: the program ended, status %d" % (title, status))
        if status != 1:
            fail("status %d, not 1, after %s was destroyed" % (status, title))


@case("gui_icon-focus")
def icon_focus(s):
    # The About box's icon takes the focus with Tab, and shows that it has it.
    s.open_main()
    s.open_about()
    before = s.settled(lambda: s.shot("About Lullwick", "frmAbout", "picIcon"))
    s.keys("Tab")                       # from OK to the icon
    wait(5, lambda: s.shot("About Lullwick", "frmAbout", "picIcon").differ(before) > 0,
         "the icon shows no focus")


@case("gui_bar")
def bar(s):
    # A "5 minutes" run: the bar is 1 at the start (and again at 3 s), then
    # 2 ... 6 at 6, 9, 12, 15 and 18 s. Its painted fill must grow at each
    # step by one step's width (under 3 of the groove's pixels), never by two
    # and never back; and the steps come 3 s apart, one tick a second.
    s.open_main()
    s.start_run("5")
    start, widths, times = time.monotonic(), [], []
    while len(widths) < 6 and time.monotonic() - start < 40:
        row = s.shot(RUN, "frmInstall", "ProgressBar1")
        fill = row.fill(row.height // 2, 2, row.width - 4)
        if not widths or widths[-1] != fill:
            if widths and fill < widths[-1]:
                fail("the fill went back from %d to %d pixels" % (widths[-1], fill))
            if widths and fill - widths[-1] > 4:
                fail("the fill went from %d to %d pixels: a step was not painted" % (widths[-1], fill))
            widths.append(fill)
            times.append(time.monotonic())
        time.sleep(0.1)
    print("fill widths seen in %d ms: %s" % ((time.monotonic() - start) * 1000, widths))
    if len(widths) < 6:
        fail("the bar was painted at %d widths, not 6" % len(widths))
    # From 2 % (6 s) to 6 % (18 s): 12 ticks, each seen within 0.1 s and a
    # picture's time.
    took = (times[5] - times[1]) * 1000
    print("2 %% to 6 %% took %d ms" % took)
    if not 11600 <= took <= 12400:
        fail("2 %% to 6 %% took %d ms, not 12 ticks of a second" % took)


def readable(s, title, form, name, inset, height=None):
    # A window manager that composites may show a new window a moment
    # before its contents: the text has a few seconds to become legible.
    c = [0]

    def legible():
        c[0] = s.shot(title, form, name, inset, height).contrast()
        return c[0] >= 4.5
    ok = wait(5, legible)
    print("%s: contrast %.2f:1" % (name, c[0]))
    if not ok:
        fail("%s is hard to read: %.2f:1" % (name, c[0]))


@case("gui_contrast", "gui_contrast-dark")
def legible(s):
    # Each text against what is behind it, read from the screen: at least
    # 4.5:1. Buttons and boxes are read inside their edges, the message box
    # over its first lines, where the preset message is.
    s.open_main(**({"QT_STYLE_OVERRIDE": "Adwaita-Dark"} if NAME.endswith("dark") else {}))
    readable(s, "Lullwick", "frmMain", "txtMessage", 4, 40)
    readable(s, "Lullwick", "frmMain", "cmdStart", 4)
    # Frame1's border runs at half its caption's height, above Start: seen in
    # the column over Start's middle, from the frame's top to Start's.
    x, y, w, h = s.client("Lullwick")
    menu = h - TABLES["frmMain"]["ClientArea"][1][3]
    fx, fy, _, _ = place("frmMain", "Frame1")
    bx, by, bw, _ = place("frmMain", "cmdStart")
    if not wait(5, lambda: s.picture(x + bx + bw // 2, y + menu + fy, 1, by - fy).colours() >= 2):
        fail("Frame1's border does not run above Start")
    s.open_about()
    for name, inset in (("lblTitle", 0), ("lblVersion", 0), ("lblDescription", 0), ("lblDisclaimer", 0),
                        ("cmdOK", 4), ("cmdSysInfo", 4)):
        readable(s, "About Lullwick", "frmAbout", name, inset)
    s.close_about()
    s.start_run("0.5")
    for name, inset in (("lblDescription", 0), ("cmdCancel", 4)):
        readable(s, RUN, "frmInstall", name, inset)


@case("gui_fixed-size", wm="xfwm4")
def fixed_size(s):
    # Maximize and fullscreen, as a window manager's menu or keys ask for
    # them: the About box and the progress window keep their size and place.
    def stays_put(title):
        win = s.windows(title)[0]
        for state in ("fullscreen", "maximized_vert,maximized_horz"):
            before = s.client(title)
            s.tool("wmctrl", "-i", "-r", str(win), "-b", "add," + state)
            # The window manager takes requests in turn: once the window is
            # marked above or off the pager (each does one of them for any
            # window), the request before has been carried out.
            s.tool("wmctrl", "-i", "-r", str(win), "-b", "add,above,skip_pager")
            marked = lambda: {"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_PAGER"} & set(s.states(win))
            wait(5, marked, "the window manager did not answer")
            wait(5, lambda: s.client(title) == before and not any(
                "FULLSCREEN" in a or "MAXIMIZED" in a for a in s.states(win)),
                "%s went from %s to %s on %s" % (title, before, s.client(title), state))
            s.tool("wmctrl", "-i", "-r", str(win), "-b", "remove,above,skip_pager")
            wait(5, lambda: not marked(), "the window manager kept the window above or off the pager")
            print("%s kept %s against %s" % (title, before, state))
    s.open_main()
    s.open_about()
    stays_put("About Lullwick")
    s.close_about()
    s.start_run("0.5")
    stays_put(RUN)


@case("gui_platform-theme")
def platform_theme(s):
    # The same window again under a platform theme (qt6ct, with nothing of
    # its own configured): its fonts stay the window's, so it looks the same.
    need("qt6ct")
    looks_the_same(s, "under qt6ct", env={"HOME": str(s.tmp), "QT_QPA_PLATFORMTHEME": "qt6ct"})


def painted(s, title, band=False):
    """The window shows more than a flat colour; with band, in its lower
    band, where the buttons are (a title bar alone does not count)."""
    def colours():
        x, y, w, h = s.frame(title)
        return s.picture(x, y + h - 48, w, 42).colours() if band else s.picture(x, y, w, h).colours()
    n = [0]
    wait(5, lambda: n.__setitem__(0, colours()) or n[0] >= 8)
    print('"%s": %d colours' % (title, n[0]))
    if n[0] < 8:
        fail('the window "%s" is not painted (%d colours)' % (title, n[0]))


@case("wayland_painted", "wayland_csd")
def wayland_painted(s):
    s.open_main()
    s.start_run("0.5")
    painted(s, RUN, band=True)


@case("gui_a11y", accessible=True)
def a11y(s):
    r = s.a11y
    s.open_main()
    main = r.window("Lullwick", ("frame",))
    want = {"Select your desired application to 'install':": "Microsoft Windows Service Pack",
            'Select duration of your "installation":': "1 minute",
            'Select desired "installation" message:': "Message 1"}
    for n in r.walk(main):
        if n.getRoleName() == "combo box":
            label = next((l for l in r.labelled_by(n) if l in want), None)
            print("combo box %r labelled by %r" % (n.name, r.labelled_by(n)))
            if label is None or want.pop(label) != n.name:
                fail("combo box %r is not labelled as it should be" % n.name)
    if want:
        fail("no combo box labelled %r" % list(want))
    if r.message_editable():
        fail("the preset message is editable")
    s.open_about()
    labels = r.named(r.window("About Lullwick"), "label")
    print("About box: %r" % labels)
    # A screen reader speaks a dialog's labels of three words or more.
    for needed in ("Lullwick", "Version 1.0.0", "Lullwick is for entertainment purposes only!"):
        if not any(needed in l for l in labels if len(l.split()) >= 3):
            fail("the About box does not speak %r" % needed)
    s.close_about()
    s.keys("Tab", "ctrl+a")
    s.type("abc")
    s.keys("Tab", "Tab", "Return")     # Start
    r.box("Lullwick", "Please enter the duration in minutes, for example 5 or 1.5.")
    s.keys("Return")
    wait(5, lambda: len(s.windows("Lullwick")) == 1, "the refusal stayed")
    s.keys("shift+Tab", "shift+Tab", "ctrl+a")   # back from Start to the duration
    s.type("0.5")
    s.keys(*["Tab"] * 4, *["Down"] * 5)           # Custom Message
    wait(5, r.message_editable, "the custom message is not editable")
    s.keys(*["Tab"] * 4, "Return")                # round to Start, with no message
    r.box("Lullwick", "Please enter an install message or select a pre-existing one.")
    s.keys("Return")
    wait(5, lambda: len(s.windows("Lullwick")) == 1, "the refusal stayed")
    s.keys("Tab")                                 # from Start to the message
    s.type("Reticulating splines now")
    s.keys("shift+Tab", "Return")                 # Start
    s.expect(RUN, 5)
    w = r.window(RUN)
    if w.getRoleName() not in ("frame", "dialog", "window"):
        fail("the progress window is a %s" % w.getRoleName())
    focus = wait(5, lambda: r.focus(w), "nothing holds the focus")
    print("focus: %r" % [(f.getRoleName(), f.name) for f in focus])
    if len(focus) != 1 or focus[0].name != "Reticulating splines now" or focus[0].getRole() == r.pyatspi.ROLE_PUSH_BUTTON:
        fail("the focus does not read the installation message")
    box, at = (o.queryComponent().getExtents(r.pyatspi.DESKTOP_COORDS) for o in (w, focus[0]))
    if not (box.x <= at.x and box.y <= at.y and at.x + at.width <= box.x + box.width
            and at.y + at.height <= box.y + box.height):
        fail("the focus lies outside the window")
    for value in (1, 10):               # 10 at 3 s of a 30-second run
        wait(6, lambda: r.value() == value, "the progress bar reads %s, not %d" % (r.value(), value))
        print("progress bar: %d" % value)
    s.keys("Tab", "space")              # Cancel
    r.box("Confirm", "Are you sure you want to cancel this installation?")
    s.keys("Return")                    # Yes
    s.ended_well(5)


@case("gui_a11y-de", accessible=True)
def a11y_german(s):
    # On a German desktop the toolkit's own words are German, the program's
    # own stay as they are.
    if not os.path.exists("/usr/share/qt6/translations/qtbase_de.qm"):
        fail("Qt's translations (qt6-translations-l10n) are not installed")
    for k in ("LC_ALL", "LC_MESSAGES"):
        s.env.pop(k, None)
    s.open_main(LANG="de_DE.UTF-8", LANGUAGE="de")
    s.start_run("0.5")
    s.keys("Tab", "space")              # Cancel
    confirm = s.a11y.box("Confirm", "Are you sure you want to cancel this installation?")
    buttons = wait(5, lambda: s.a11y.buttons(confirm) == ["Ja", "Nein"] and ["Ja", "Nein"],
                   "the buttons are %r" % s.a11y.buttons(confirm))
    print("buttons %r" % buttons)
    s.keys("Return")                    # Yes, the default
    s.ended_well(5)


XSM_CASES = ("logout-term", "logout-confirm", "logout-die", "logout-both", "checkpoint-both", "checkpoint-local")


@case(*("xsm_" + c for c in XSM_CASES), xsm=True)
def session_end(s):
    # A 30-second run is going when the session manager acts; a logout ends
    # the program within 2 s, xsm cleanly, the other client on Die; a
    # checkpoint's saves go through and the run goes on.
    s.open_main()
    s.start_run("0.5")
    saves = s.log("client").count("save-complete")   # xsm asks every new client to save

    def shutdown_menu(item):
        """xsm's Shutdown button held, let go on item 1 (With Checkpoint) or
        2 (Immediately) of its menu."""
        before = s.popups()
        s.click(widget(s, s.xsm_window, 2, 2), action=("mousedown", "1"))
        menu = wait(5, lambda: s.popups() - before, "no Shutdown menu").pop()
        x, y, w, h = s.area(menu)
        s.tool("xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h * (2 * item - 1) // 4), "mouseup", "1")

    def dialog_ok(title):
        """Names the session (xsm saves nothing unnamed) and presses the
        dialog's first button, with the save type it offers (Both)."""
        win = s.expect(title, 5)
        s.click(widget(s, win, 1, 2))  # the name field, beside its label
        s.type("test")
        s.click(widget(s, win, 4, 1))  # below the name and the two choices

    kind = NAME[len("xsm_"):]
    if kind == "logout-confirm":
        s.keys("Tab", "space")
        s.expect("Confirm", 5)
    {"logout-term": lambda: s.xsm.terminate(), "logout-confirm": lambda: s.xsm.terminate(),
     "logout-die": lambda: shutdown_menu(2),
     "logout-both": lambda: (shutdown_menu(1), dialog_ok("Shutdown")),
     "checkpoint-both": lambda: (s.click(widget(s, s.xsm_window, 2, 1)), dialog_ok("Checkpoint")),
     "checkpoint-local": lambda: s.xsm.send_signal(signal.SIGUSR1)}[kind]()
    if kind.startswith("checkpoint"):
        wait(10, lambda: s.log("client").count("save-complete") > saves, "the save did not complete")
        s.still_running(RUN)
        print("saves seen by the other client: %s" % s.log("client").split())
        return
    start = time.monotonic()
    status = s.wait_exit(2)
    print("the program ended %d ms after the logout, status %d" % ((time.monotonic() - start) * 1000, status))
    if status != 0:
        fail("status %d after the logout, not 0" % status)
    wait(10, lambda: s.xsm.poll() is not None, "xsm did not end")
    if s.xsm.returncode != 0:
        fail("xsm ended with status %d" % s.xsm.returncode)
    if "die" not in s.log("client").split():
        fail("the second client got no Die: %s" % s.log("client").split())


@case("wine_run")
def wine_run(s):
    # A run of 6 ticks: the bar is painted at 1 %, then at 50 % at 3 s, and
    # the program ends at 6 s.
    s.open_main()
    s.start_run("0.1")
    start = s.pressed
    client_size(s, RUN, "frmInstall")

    def fill(row=None):
        row = row or s.shot(RUN, "frmInstall", "ProgressBar1")
        return row.fill(row.height // 2, 2, row.width - 4)
    first = fill(s.settled(lambda: s.shot(RUN, "frmInstall", "ProgressBar1")))
    if first == 0:
        fail("the bar was painted empty at 1 %")
    wait(6, lambda: s.has(RUN) and fill() > 100, "the bar was not painted at 50 %% (first %d pixels)" % first)
    s.ended_well(10)
    took = (time.monotonic() - start) * 1000
    print("run of 6 ticks: the bar from %d pixels, ended after %d ms" % (first, took))
    if not 5900 <= took < 7500:
        fail("the run took %d ms" % took)


@case("wine_dpi-120", "wine_dpi-144", desktop=False)
def wine_dpi(s):
    # At 120 and 144 dpi (Windows' 125 % and 150 %) every window is the
    # 96-dpi one scaled whole: its client area 1.25 or 1.5 times as large
    # (to the pixel), and below its lowest control the same empty margin,
    # scaled: nothing is cut. (Outside Wine's own desktop: Wine 10 does not
    # scale the windows in it.)
    dpi = int(NAME.rsplit("-", 1)[1])
    scale = dpi / 96
    s.registry("add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
    # As on Windows, the setting holds from the next sign-in: Wine 10 reads
    # it when its session starts (Wine 8 in every program), so the session
    # reg.exe started ends first.
    s.run_wine(["wineserver", "-w"])

    def scaled(title, form, lowest):
        _, _, w, h = s.client(title)
        want_w, want_h = (v * scale for v in TABLES[form]["ClientArea"][1][2:])
        menu = h - round(want_h)
        _, top, _, height = place(form, lowest)
        margin = (TABLES[form]["ClientArea"][1][3] - top - height) * scale
        band = s.settled(lambda: s.picture(*s.client(title)))
        rows = [band.rgb[y * band.width * 3:(y + 1) * band.width * 3] for y in range(band.height)]
        empty = next(i for i, r in enumerate(reversed(rows)) if len(set(r[k:k + 3] for k in range(0, len(r), 3))) > 1)
        print("%s at %d dpi: client %dx%d (menu bar %d), %d empty rows at the bottom" % (title, dpi, w, h, menu, empty))
        if abs(w - want_w) >= 1 or not 0 <= menu < 40 * scale:
            fail("%s: client area %dx%d at %d dpi, not %gx%g (and a menu bar)" % (title, w, h, dpi, want_w, want_h))
        if abs(empty - margin) >= 1:
            fail("%s: %d empty rows below %s at %d dpi, not %g" % (title, empty, lowest, dpi, margin))
    s.open_main()
    scaled("Lullwick", "frmMain", "txtMessage")
    s.open_about()
    scaled("About Lullwick", "frmAbout", "cmdOK")
    s.close_about()
    s.start_run("0.5")
    scaled(RUN, "frmInstall", "Frame1")


@case("wine_windows11")
def wine_windows11(s):
    # On Windows 11 the controls have the native look they have on
    # Windows 10, to the pixel: Qt's own Windows 11 look is not built in.
    # (The focused box is left out: its caret blinks.)
    names = ("cmbTime", "cmdStart", "cmdQuit")

    def windows(version):
        """Wine made that version of Windows; what Windows says it is."""
        s.registry("add", r"HKCU\Software\Wine", "/v", "Version", "/d", version, "/f")
        return s.run_wine([s.wine, "cmd", "/c", "ver"])[1].strip()

    def controls():
        s.open_main()
        shots = [s.settled(lambda: s.shot("Lullwick", "frmMain", name)) for name in names]
        s.close("Lullwick")
        s.ended_well(5)
        return shots
    said = windows("win11")
    if "10.0.22" not in said:
        print("SKIP: this Wine cannot be Windows 11 (%r)" % said)
        sys.exit(77)
    eleven = controls()
    windows("win10")
    for name, a, b in zip(names, controls(), eleven):
        if a.differ(b):
            fail("%s on Windows 11 differs from Windows 10's in %.1f %% of its pixels" % (name, a.differ(b)))


@case("wine_shaping")
def wine_shaping(s):
    # Arabic typed into a box is joined as the script wants it: the word
    # differs from its letters kept apart by zero-width non-joiners, and
    # only the text shaper tells the two apart. (Wine's own fonts have no
    # Arabic: DejaVu Sans, in its fonts folder, has it.) The letters are
    # typed by Windows' own means, as an on-screen keyboard types them:
    # X11 has no keys for them, and Wine may read a key remapped on the fly
    # as the one before it.
    shutil.copy("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", s.tmp / "prefix/drive_c/windows/Fonts/")

    def typed(text):
        s.open_main()
        s.keys("ctrl+a", "BackSpace")
        if s.ask("type", *("%04x" % ord(c) for c in text))[0]:
            fail("the probe could not type %r" % text)
        s.keys("Tab")                       # away from cmbApp: no caret
        shot = s.settled(lambda: s.shot("Lullwick", "frmMain", "cmbApp", inset=4))
        s.close("Lullwick")
        s.ended_well(5)
        return shot
    empty, joined, apart = typed(" "), typed("سلام"), typed("\u200c".join("سلام"))
    if not (joined.differ(empty) and apart.differ(empty)):
        fail("the Arabic letters were not drawn")
    print("the joined word differs from its letters apart in %.1f %% of its pixels" % joined.differ(apart))
    if not joined.differ(apart):
        fail("the Arabic letters are not joined: the word is drawn as its letters apart")


@case("wine_sysinfo")
def wine_sysinfo(s):
    # System Info finds the tool through the real registry: Wine's own
    # msinfo32.exe when the value is there, the message when it is not.
    key = r"HKLM\Software\Microsoft\Shared Tools\MSInfo"
    s.open_main()
    s.open_about()
    s.keys("Tab", "Tab", "space")       # OK, the icon, System Info
    wait(5, lambda: len(s.windows("Lullwick")) == 2, "no message without the registry value")
    s.keys("Return")
    wait(5, lambda: len(s.windows("Lullwick")) == 1, "the message stayed")
    s.registry("add", key, "/v", "Path", "/d", r"C:\windows\system32\msinfo32.exe", "/f")
    s.keys("space")
    # Wine's msinfo32.exe shows its About box.
    wait(15, lambda: s.has("About System Information"), 'msinfo32.exe showed no "About System Information"')
    if len(s.windows("Lullwick")) != 1:
        fail("the message appeared with the registry value set")


@case("wine_session-end")
def wine_session_end(s):
    # The end of the Windows session ends a run at once, as End does: status 0.
    s.open_main()
    s.start_run("5")
    start = time.monotonic()
    s.run_wine(["wineboot", "--end-session"])
    status = s.wait_exit(10)
    print("the run ended %d ms after the session's end, status %d" % ((time.monotonic() - start) * 1000, status))
    if status != 0:
        fail("status %d at the session's end, not 0" % status)


@case("wine_frames")
def wine_frames(s):
    # Each window as Windows itself describes it, with Wine drawing the
    # frames: the configuration window sizable with a system menu and a
    # minimize box; the About box a fixed dialog owned by it, with the
    # modal-dialog frame and no icon in its title bar; the progress window a
    # caption and nothing else, in the task bar; Confirm a fixed box owned by
    # it.
    def want(title, present, absent, owner, size=None, exstyle=0):
        w = wait(10, lambda: (s.windows(title) or [None])[0], 'no window "%s"' % title)
        print("%s: %s" % (title, {k: (hex(v) if k.endswith("style") else v) for k, v in w.items()}))
        if w["style"] & present != present or w["style"] & absent:
            fail("%s has styles %#x: wanted %#x, not %#x" % (title, w["style"], present, absent))
        if w["exstyle"] & exstyle != exstyle:
            fail("%s has extended styles %#x, not %#x" % (title, w["exstyle"], exstyle))
        if w["owner"] != owner:
            fail("%s is owned by %r, not %r" % (title, w["owner"], owner))
        if size and w["client"][2:] != size:
            fail("%s: client area %s, not %s" % (title, w["client"][2:], size))
        return w
    main_w, main_h = TABLES["frmMain"]["ClientArea"][1][2:]
    s.open_main()
    main = want("Lullwick", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, WS_MAXIMIZEBOX, "")
    if main["client"][2] != main_w or not main_h < main["client"][3] < main_h + 40:
        fail("Lullwick: client area %s, not %dx%d below a menu bar" % (main["client"][2:], main_w, main_h))
    s.open_about()
    about = want("About Lullwick", WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                 "Lullwick", size=tuple(TABLES["frmAbout"]["ClientArea"][1][2:]), exstyle=WS_EX_DLGMODALFRAME)
    # Windows tells no other program a window's icon: the title bar is looked
    # at, where the program's icon (a brown box) is the only warm colour.
    x, y, w, _ = about["frame"]
    bar = s.settled(lambda: s.picture(x, y, w, about["client"][1] - y))
    warm = sum(r - b > 60 for r, b in zip(bar.rgb[0::3], bar.rgb[2::3]))
    if warm:
        fail("the About box's title bar shows an icon (%d pixels of its colours)" % warm)
    s.close_about()
    s.start_run("0.5")
    want(RUN, WS_CAPTION, WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, "",
         size=tuple(TABLES["frmInstall"]["ClientArea"][1][2:]))
    s.keys("Tab", "space")                      # Cancel
    want("Confirm", WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, RUN)
    s.keys("Return")                            # Yes
    s.ended_well(10)


@case("wine_closes")
def wine_closes(s):
    # Every close Windows offers, refused by the progress window and kept
    # from ending the run by Confirm: the system menu's Close (the close
    # box's request), WM_CLOSE from another program, Alt+F4, and Esc on
    # Confirm. No goes on, Yes ends.
    s.open_main()
    s.start_run("5")                            # outlasts the case on a loaded machine
    for how in ("sysclose", "close"):
        s.ask(how, RUN)
        s.still_running(RUN)
    s.keys("alt+F4")
    s.still_running(RUN)
    s.keys("Tab", "space")                      # Cancel
    s.expect("Confirm", 10)
    for how in ("sysclose", "close"):
        s.ask(how, "Confirm")
        s.confirm_kept()
    for key in ("Escape", "alt+F4"):
        s.keys(key)
        s.confirm_kept()
    s.keys("Tab", "space")                      # No
    s.gone("Confirm", 10)
    s.still_running(RUN)
    s.expect(RUN, 5)                            # active again, before the key
    s.keys("space")
    s.expect("Confirm", 10)
    s.keys("Return")                            # Yes, the default
    s.ended_well(10)


@case("wine_themed")
def wine_themed(s):
    # The message boxes are Windows' own (its dialog class), owned by the
    # window they speak for, with their buttons drawn by the desktop's
    # visual style, as Windows 10 and 11 draw them (the exe's manifest asks
    # for Common Controls 6): F1's OK box (the help file is missing), then
    # Confirm's Yes and No.
    def themed(title, owner, buttons):
        box = wait(10, lambda: next((w for w in s.windows(title) if w["owner"] == owner), None),
                   'no box "%s" owned by "%s"' % (title, owner))
        print('"%s" (%s): %s buttons drawn by the visual style' % (title, box["cls"], box["themed"]))
        if box["cls"] != "#32770" or box["themed"] != "%d/%d" % (buttons, buttons):
            fail('"%s" (%s): %s of its buttons drawn by the visual style, not Windows\' own box (#32770) with '
                 'all %d so' % (title, box["cls"], box["themed"], buttons))
    s.open_main()
    s.keys("F1")
    themed("Lullwick", "Lullwick", 1)
    s.keys("Return")
    wait(10, lambda: len(s.windows("Lullwick")) == 1, "the help message stayed")
    s.start_run("0.5")
    s.keys("Tab", "space")                      # Cancel
    themed("Confirm", RUN, 2)
    s.keys("Return")                            # Yes
    s.ended_well(10)


def screenshots(s, folder):
    """Pictures of the real windows with their frames, as a user sees them
    at 96 dpi, for the README and the metainfo: each window, the progress
    window half way."""
    out = Path(folder)
    out.mkdir(parents=True, exist_ok=True)

    def take(title):
        return s.settled(lambda: s.picture(*s.frame(title)))

    def save(picture, name):
        picture.save_png(out / name)
        print("saved %s (%dx%d)" % (out / name, picture.width, picture.height))
    s.open_main()
    s.keys(*["Tab"] * 3)                # the text cursor blinks in the first field: to Start
    save(take("Lullwick"), "configuration-window.png")
    s.keys(*["shift+Tab"] * 3)          # back to the first field, where a run is started from
    s.open_about()
    save(take("About Lullwick"), "about-box.png")
    s.close_about()
    s.start_run("0.2")                  # 12 seconds: half way at 6
    wait(8, lambda: s.has(RUN) and time.monotonic() - s.pressed >= 6.2, "the run ended early")
    save(take(RUN), "progress-window.png")
    s.keys("Tab", "space")
    s.expect("Confirm", 5)
    s.keys("Return")
    s.ended_well(5)


def main():
    global NAME, PROGRAM, TOOLS
    if sys.argv[1:] == ["--cases"]:
        print(" ".join(CASES))
        return
    if len(sys.argv) < 3 or (sys.argv[1] not in CASES and sys.argv[1] != "screenshots"):
        sys.exit(__doc__ + "\ncases: " + " ".join(CASES))
    NAME, PROGRAM = sys.argv[1], sys.argv[2]
    rest = sys.argv[4:] if NAME == "screenshots" else sys.argv[3:]
    TOOLS = rest[0] if rest else str(SOURCE / "build" / "tests")
    if NAME in OPTIONAL and not glob.glob(OPTIONAL[NAME][0]):
        print("SKIP: %s is not installed" % OPTIONAL[NAME][1])
        sys.exit(77)
    f, options = CASES.get(NAME, (screenshots, {}))
    s = None
    try:
        TABLES.update(layout_tables(TOOLS))
        if NAME.startswith("wayland_"):
            s = Sway('for_window [title="^Installing"] border csd' if NAME == "wayland_csd" else "")
        elif NAME.startswith("wine_") or (NAME == "screenshots" and PROGRAM.endswith(".exe")):
            s = (WineDesktop if options.get("desktop", True) else Wine)(options.get("wm"))
        else:
            s = X11(options.get("wm"))
        if options.get("accessible"):
            s.a11y = Accessibility(s)
        if options.get("xsm"):
            start_xsm(s)
        f(s, sys.argv[3]) if f is screenshots else f(s)
    except Failed as failure:
        print("FAIL: %s" % failure)
        if s:
            sys.stdout.write("".join("app: " + l for l in s.log("app").splitlines(True)))
        sys.exit(1)
    finally:
        if s:
            s.end()
    print("PASS: %s" % NAME)


if __name__ == "__main__":
    main()
