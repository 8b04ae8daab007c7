#!/usr/bin/env python3
"""The zintor window driven as a user drives it: the real program, started on the display
of the run (xvfb-run), keys and clicks from xdotool, windows found by process id and read
by their UTF-8 titles. Each test installs the program into a fresh folder.

--wm openbox or --wm icewm runs a window manager on the display first: it frames, places
and stacks the window itself, as on a desktop. Tests of what only a manager does (maximising,
the topmost band) are skipped without one. ZINTOR_E2E_SHOTS=FOLDER keeps screenshots there."""
import argparse
import glob
import operator
import os
import pathlib
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse

import screen

BUILD_DIR = None
NO_INOTIFY = None  # the library that makes the program's change watches fail
MANAGER = "none"
SHOTS = os.environ.get("ZINTOR_E2E_SHOTS")
ENGLISH = {"LANG": "C", "LC_ALL": "", "LC_MESSAGES": ""}
JAPANESE = {"LANG": "ja_JP.UTF-8", "LC_ALL": "", "LC_MESSAGES": ""}
MAIN_EN = "zintor - Traffic Report Aggregation Tool"
MAIN_JA = "zintor トラフィックレポート集計ツール"


def run(*args, check=False):
    return subprocess.run(args, capture_output=True, text=True, check=check)


def poll(what, timeout=20.0, step=0.05):
    """what()'s first true answer within timeout seconds, else its last answer."""
    end = time.monotonic() + timeout
    while True:
        value = what()
        if value or time.monotonic() > end:
            return value
        time.sleep(step)


def frame_rect(win):
    """(x, y, width, height) of the window's outer frame: its own place on the screen and
    the frame the manager reports around it."""
    info = run("xwininfo", "-id", win).stdout
    field = {k.strip(): v.strip() for k, _, v in (line.partition(":") for line in info.splitlines())}
    x, y = int(field["Absolute upper-left X"]), int(field["Absolute upper-left Y"])
    w, h = int(field["Width"]), int(field["Height"])
    extents = run("xprop", "-id", win, "_NET_FRAME_EXTENTS").stdout
    left, right, top, bottom = (int(n) for n in extents.split("=")[1].split(",")) if "=" in extents else (0, 0, 0, 0)
    return x - left, y - top, w + left + right, h + top + bottom


def wm_state(win):
    return run("xprop", "-id", win, "_NET_WM_STATE").stdout


def needs_manager(test):
    def run_with_a_manager(self):
        if MANAGER == "none":
            self.skipTest("only a window manager maximises and stacks")
        test(self)
    return run_with_a_manager


# A window of another program with a file to drag from it, as from a file manager.
DRAG_SOURCE = r"""
import sys, gi
gi.require_version("Gtk", "3.0")
from gi.repository import Gtk, Gdk
window, button = Gtk.Window(title="drag source"), Gtk.Button(label="drag me")
window.add(button)
button.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY)
button.drag_source_add_uri_targets()
button.connect("drag-data-get", lambda widget, context, data, info, time: data.set_uris([sys.argv[1]]))
window.set_default_size(160, 80)
window.move(20, 620)
window.show_all()
Gtk.main()
"""


# The desktop's notification service, as far as the window uses it: each notice's summary
# is written as a line to the file named by the first argument.
NOTIFICATION_SERVICE = r"""
import sys
from gi.repository import Gio, GLib
XML = ('<node><interface name="org.freedesktop.Notifications">'
       '<method name="GetCapabilities"><arg type="as" direction="out"/></method>'
       '<method name="GetServerInformation"><arg type="s" direction="out"/>'
       '<arg type="s" direction="out"/><arg type="s" direction="out"/>'
       '<arg type="s" direction="out"/></method>'
       '<method name="Notify"><arg type="s"/><arg type="u"/><arg type="s"/><arg type="s"/>'
       '<arg type="s"/><arg type="as"/><arg type="a{sv}"/><arg type="i"/>'
       '<arg type="u" direction="out"/></method>'
       '<method name="CloseNotification"><arg type="u"/></method>'
       '</interface></node>')
def call(connection, sender, path, interface, method, args, invocation):
    if method == "Notify":
        with open(sys.argv[1], "a") as f:
            f.write(args[3] + "\n")
        invocation.return_value(GLib.Variant("(u)", (1,)))
    elif method == "GetCapabilities":
        invocation.return_value(GLib.Variant("(as)", (["body"],)))
    elif method == "GetServerInformation":
        invocation.return_value(GLib.Variant("(ssss)", ("fake", "test", "1", "1.2")))
    else:
        invocation.return_value(None)
def acquired(connection, name):
    connection.register_object("/org/freedesktop/Notifications",
                               Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0], call)
    print("ready", flush=True)
Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.Notifications",
                 Gio.BusNameOwnerFlags.NONE, None, acquired, None)
GLib.MainLoop().run()
"""


def log_rows(year, month, rows, first=0):
    return "".join(f"{year:04d}{month:02d}{1 + i // 24:02d},{i % 24:02d}0000,{1000 + i},{5000 + i}\r\n"
                   for i in range(first, rows))


def append_in_bursts(path, rows):
    """rows appended as a monitor appends them: a write a row, in bursts of 8 a tenth of a second apart."""
    with open(path, "a", newline="") as f:
        for i, row in enumerate(rows.splitlines(True)):
            f.write(row)
            f.flush()
            time.sleep(0.1 if i % 8 == 7 else 0)


class Program:
    """One running copy of the program (started through prefix, a command that runs it)."""

    def __init__(self, folder, env, args=(), prefix=()):
        full_env = dict(os.environ)
        full_env.update(env)
        self.command = [*prefix, os.path.join(folder, "zintor"), *args]
        self.env = full_env
        self.restarted = False
        self.started = time.monotonic()
        self.err = tempfile.TemporaryFile(mode="w+")
        self.proc = subprocess.Popen(self.command, env=self.env,
                                     stdout=subprocess.DEVNULL, stderr=self.err, text=True)

    def restart_if_the_display_refused(self):
        """On a loaded machine the virtual display now and then refuses a connection: the
        program then rightly says it has no display and ends. That is the test machine's
        hiccup, not the program's; it is started once more."""
        if self.restarted or self.proc.poll() is None:
            return
        if "Unable to initialize GTK+" not in self.stderr_so_far():
            return
        self.restarted = True
        print("\n  (the display refused the program; started once more)", file=sys.stderr)
        self.err.seek(0)
        self.err.truncate()
        self.started = time.monotonic()
        self.proc = subprocess.Popen(self.command, env=self.env,
                                     stdout=subprocess.DEVNULL, stderr=self.err, text=True)

    def windows(self):
        """{title: window id} of the program's mapped windows."""
        found = {}
        out = run("xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid)).stdout.split()
        for win in out:
            prop = run("xprop", "-id", win, "_NET_WM_NAME").stdout
            if "=" in prop:
                title = prop.split("=", 1)[1].strip().strip('"')
                found[title] = win
        return found

    def wait_window(self, title, timeout=20.0):
        def found():
            self.restart_if_the_display_refused()
            return self.windows().get(title)
        win = poll(found, timeout)
        if not win:
            raise AssertionError(f"no window {title!r}; windows: {self.windows()}; "
                                 f"stderr: {self.stderr_so_far()}")
        return win

    def stderr_so_far(self):
        self.err.seek(0)
        return self.err.read()

    def toolkit_complaints(self):
        """The lines of the toolkit's criticals and warnings the program printed."""
        return [line for line in self.stderr_so_far().splitlines()
                if ("Gtk-" in line or "GLib-" in line or "GLib-GObject-" in line)
                and ("CRITICAL" in line or "WARNING" in line)]

    def keys(self, win, *keys):
        run("xdotool", "windowfocus", "--sync", win)
        for key in keys:
            run("xdotool", "key", "--clearmodifiers", key)
            time.sleep(0.15)

    def click(self, win, x, y):
        run("xdotool", "mousemove", "--window", win, str(x), str(y))
        time.sleep(0.1)
        run("xdotool", "click", "1")

    def wait_exit(self, timeout=20.0):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
            raise AssertionError("the program did not end")

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.err.close()


class WindowTest(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="zintor-e2e-")
        self.app = os.path.join(self.root, "app")
        os.mkdir(self.app)
        for name in os.listdir(BUILD_DIR):
            if name.startswith("zintor") and os.path.isfile(os.path.join(BUILD_DIR, name)) \
                    and not name.endswith(".ini") and not name.endswith(".html") or name == "zintor-help.html":
                shutil.copy2(os.path.join(BUILD_DIR, name), self.app)
        self.logs = os.path.join(self.root, "logs")
        os.mkdir(self.logs)
        self.programs = []

    def tearDown(self):
        for p in self.programs:
            p.stop()
        shutil.rmtree(self.root, ignore_errors=True)

    @property
    def ini(self):
        return os.path.join(self.app, "zintor.ini")

    def settings(self, text):
        with open(self.ini, "w", encoding="utf-8") as f:
            f.write("[Settings]\n" + text)

    def saved(self):
        with open(self.ini, encoding="utf-8") as f:
            return f.read()

    def write_log(self, name, year, month, rows):
        path = os.path.join(self.logs, name)
        with open(path, "w", newline="") as f:
            f.write(log_rows(year, month, rows))
        return path

    def start(self, env=ENGLISH, args=(), prefix=()):
        # The user's data and cache folders of the test's own: a first start looks for the
        # recorder's logs in the data folder, and the pages of unwritable folders go to the cache.
        env = {"XDG_DATA_HOME": os.path.join(self.root, "data"),
               "XDG_CACHE_HOME": os.path.join(self.root, "cache"), **env}
        p = Program(self.app, env, args, prefix)
        self.programs.append(p)
        return p

    def shot(self, name):
        if SHOTS:
            screen.save_png(os.path.join(SHOTS, f"{name}-{MANAGER}.png"))

    def pages(self, log):
        """The page beside log, and the page a command-line run writes for a copy of it."""
        os.makedirs(os.path.join(self.root, "cli"), exist_ok=True)
        copy = shutil.copy(log, os.path.join(self.root, "cli"))
        run(os.path.join(self.app, "zintor"), copy, check=True)
        return tuple(pathlib.Path(path[:-4] + ".html").read_bytes() for path in (log, copy))

    # -- start and close ------------------------------------------------------------------

    def test_each_way_of_closing_saves_the_window_settings_in_order(self):
        ways = {"Escape": ("Escape",), "Alt+F4": ("alt+F4",), "File > Exit": ("alt+f", "x")}
        for way, keys in ways.items():
            with self.subTest(way=way):
                if os.path.exists(self.ini):
                    os.remove(self.ini)
                p = self.start()
                win = p.wait_window(MAIN_EN)
                p.keys(win, *keys)
                self.assertEqual(p.wait_exit(), 0)
                lines = self.saved().splitlines()
                self.assertEqual(lines[:4], ["[Settings]", "IsTopMost=1", "IsSideMenu=0", "IsZoomed=0"])
                self.assertTrue(lines[4].startswith("Position=0:1:-1:-1:-1:-1:"), lines)
                self.assertEqual(len(lines), 5, lines)  # no LogFile before a log is opened
                self.assertEqual(p.toolkit_complaints(), [])

    def test_ctrl_s_shows_the_side_menu_and_it_is_remembered(self):
        p = self.start()
        win = p.wait_window(MAIN_EN)
        p.keys(win, "ctrl+s", "Escape")
        self.assertEqual(p.wait_exit(), 0)
        self.assertIn("IsSideMenu=1\n", self.saved())

    # -- placement, maximising, the topmost band ------------------------------------------

    def position_of(self, rect, flags="0:1"):
        x, y, w, h = rect
        return f"{flags}:-1:-1:-1:-1:{x}:{y}:{x + w}:{y + h}"

    def test_placement_three_start_close_cycles_keep_the_position(self):
        # The outer frame, where the manager put it and as it framed the window, comes back
        # where it was left; under any manager the file keeps the same line.
        for rect in ((10, 10, 800, 600), (237, 141, 613, 449)):
            with self.subTest(rect=rect):
                self.settings(f"IsTopMost=1\nPosition={self.position_of(rect)}\n")
                for cycle in range(3):
                    p = self.start()
                    win = p.wait_window(MAIN_EN)
                    self.assertEqual(poll(lambda: frame_rect(win) == rect and rect, 5) or frame_rect(win), rect)
                    time.sleep(0.5)  # the manager's last word
                    p.keys(win, "Escape")
                    self.assertEqual(p.wait_exit(), 0)
                    self.assertIn(f"Position={self.position_of(rect)}\n", self.saved(), f"cycle {cycle}")
                    self.assertEqual(p.toolkit_complaints(), [], f"cycle {cycle}")

    def test_placement_a_title_bar_off_every_screen_comes_back_on_the_screen(self):
        for saved in ((-700, -500, 800, 600), (3000, 2000, 800, 600)):
            with self.subTest(saved=saved):
                self.settings(f"Position={self.position_of(saved)}\n")
                p = self.start()
                win = p.wait_window(MAIN_EN)
                time.sleep(1)
                x, y, w, h = frame_rect(win)
                self.assertEqual((w, h), (800, 600))
                self.assertTrue(0 <= x <= 1280 - 800 and 0 <= y <= 800 - 600, (x, y))
                p.keys(win, "Escape")
                self.assertEqual(p.wait_exit(), 0)
                self.assertIn(f"Position={self.position_of((x, y, w, h))}\n", self.saved())

    def test_placement_a_size_larger_than_the_screen_fits_it_and_the_pane_shows_the_page(self):
        log = self.write_log("vorlix_report2024.log", 2024, 2, 100)
        self.settings(f"LogFile={log}\nPosition={self.position_of((100, 100, 29900, 19900))}\n")
        p = self.start()
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: os.path.exists(log[:-4] + ".html")))
        on_screen = lambda: (lambda x, y, w, h: 0 <= x and 0 <= y and x + w <= 1280 and y + h <= 800)(*frame_rect(win))  # noqa: E731
        self.assertTrue(poll(on_screen, 5), frame_rect(win))
        # The page is drawn: the pane holds more than one colour.
        self.assertTrue(poll(lambda: len(set(screen.pixels(win, 20, 60, 300, 200))) > 8, 10), "a blank pane")
        self.shot("larger-than-the-screen")
        time.sleep(0.5)  # the manager's last word
        rect = frame_rect(win)
        p.keys(win, "Escape")
        self.assertEqual(p.wait_exit(), 0)
        self.assertIn(f"Position={self.position_of(rect)}\n", self.saved())

    @needs_manager
    def test_placement_maximised_start_restores_to_the_saved_rectangle(self):
        rect = (143, 97, 702, 515)
        self.settings(f"IsZoomed=1\nPosition={self.position_of(rect, '2:3')}\n")
        p = self.start()
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: "MAXIMIZED_HORZ" in wm_state(win), 10), wm_state(win))
        run("wmctrl", "-i", "-r", win, "-b", "remove,maximized_vert,maximized_horz")
        self.assertTrue(poll(lambda: frame_rect(win) == rect, 10), frame_rect(win))
        time.sleep(0.5)
        p.keys(win, "Escape")
        self.assertEqual(p.wait_exit(), 0)
        self.assertIn(f"IsZoomed=0\nPosition={self.position_of(rect)}\n", self.saved())
        # Closed while maximised: the normal rectangle is kept behind it.
        self.settings(f"IsZoomed=1\nPosition={self.position_of(rect, '2:3')}\n")
        p = self.start()
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: "MAXIMIZED_HORZ" in wm_state(win), 10), wm_state(win))
        time.sleep(0.5)
        p.keys(win, "Escape")
        self.assertEqual(p.wait_exit(), 0)
        self.assertIn(f"IsZoomed=1\nPosition={self.position_of(rect, '2:3')}\n", self.saved())
        # Closed the moment it is un-maximised, while the manager is still at work: what is
        # saved is the rectangle the window returns to, never a passing one.
        for cycle in range(3):
            self.settings(f"IsZoomed=1\nPosition={self.position_of(rect, '2:3')}\n")
            p = self.start()
            win = p.wait_window(MAIN_EN)
            self.assertTrue(poll(lambda: "MAXIMIZED_HORZ" in wm_state(win), 10), wm_state(win))
            time.sleep(0.5)
            run("wmctrl", "-i", "-r", win, "-b", "remove,maximized_vert,maximized_horz")
            p.proc.send_signal(signal.SIGTERM)
            self.assertEqual(p.wait_exit(), 0)
            saved = self.saved()  # still maximised when it closed, or not
            self.assertTrue(any(f"Position={self.position_of(rect, flags)}\n" in saved for flags in ("0:1", "2:3")),
                            f"cycle {cycle}: {saved}")

    @needs_manager
    def test_topmost_turns_off_and_on_after_a_topmost_start(self):
        self.settings("IsTopMost=1\nPosition=0:1:-1:-1:-1:-1:100:80:900:680\n")
        p = self.start()
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: "_NET_WM_STATE_ABOVE" in wm_state(win), 10), wm_state(win))
        for above in (False, True, False):
            p.keys(win, "alt+v", "t")
            self.assertTrue(poll(lambda: ("_NET_WM_STATE_ABOVE" in wm_state(win)) == above, 10), wm_state(win))
        p.keys(win, "Escape")
        self.assertEqual(p.wait_exit(), 0)
        self.assertIn("IsTopMost=0\n", self.saved())

    # -- keys that belong to a menu or a box -----------------------------------------------

    def test_esc_closes_an_open_menu_or_box_and_not_the_program(self):
        ways = {
            "menu opened with Alt+F": lambda p, win: p.keys(win, "alt+f"),
            "menu opened with F10": lambda p, win: p.keys(win, "F10"),
            "menu opened with the mouse": lambda p, win: p.click(win, 30, 10),
            "the open dialog": lambda p, win: (p.keys(win, "ctrl+BackSpace"), p.wait_window("Selected Report-Log file")),
            "the About box": lambda p, win: (p.keys(win, "alt+h", "a"), p.wait_window("About")),
        }
        for way, open_it in ways.items():
            with self.subTest(way=way):
                p = self.start()
                win = p.wait_window(MAIN_EN)
                open_it(p, win)
                time.sleep(0.7)
                run("xdotool", "key", "Escape")
                time.sleep(1.5)
                self.assertIsNone(p.proc.poll(), "the program ended")
                self.assertEqual(list(p.windows()), [MAIN_EN])
                p.keys(win, "Escape")  # and now the window's own Esc
                self.assertEqual(p.wait_exit(), 0)

    def test_sigterm_closes_the_window_and_saves(self):
        p = self.start()
        p.wait_window(MAIN_EN)
        p.proc.send_signal(signal.SIGTERM)
        self.assertEqual(p.wait_exit(), 0)
        self.assertIn("IsTopMost=1\nIsSideMenu=0\nIsZoomed=0\nPosition=", self.saved())

    def test_sigterm_with_the_about_box_open_still_saves(self):
        p = self.start()
        win = p.wait_window(MAIN_EN)
        p.keys(win, "alt+h", "a")
        p.wait_window("About")
        p.proc.send_signal(signal.SIGTERM)
        self.assertEqual(p.wait_exit(), 0)
        self.assertIn("IsTopMost=1\nIsSideMenu=0\nIsZoomed=0\nPosition=", self.saved())

    def test_caption_in_japanese(self):
        p = self.start(JAPANESE)
        win = p.wait_window(MAIN_JA)
        p.keys(win, "Escape")
        self.assertEqual(p.wait_exit(), 0)

    def test_missing_template_says_so_and_ends(self):
        for name in ("zintor.htm.txt", "zintor.htm_en.txt"):
            os.remove(os.path.join(self.app, name))
        self.settings("IsZoomed=1\nPosition=0:3:-1:-1:-1:-1:30:40:830:640\n")
        before = self.saved()
        p = self.start()
        box = p.wait_window("zintor")  # the message box, captioned with the program's name
        self.assertNotIn(MAIN_EN, p.windows())  # the main window never shows
        p.keys(box, "Return")
        self.assertEqual(p.wait_exit(), 1)
        self.assertEqual(self.saved(), before)  # a window never shown leaves the settings be

    # -- the roads to a page --------------------------------------------------------------

    def test_the_last_log_is_shown_at_start(self):
        log = self.write_log("vorlix_report2024.log", 2024, 2, 200)
        page = log[:-4] + ".html"
        self.settings(f"LogFile={log}\n")
        p = self.start()
        self.assertTrue(poll(lambda: os.path.exists(page), 20))
        print(f"\n  first page written {time.monotonic() - p.started:.3f} s after start", file=sys.stderr)

    def test_show_opens_the_window_on_a_log_and_remembers_it(self):
        older = self.write_log("vorlix_report2023.log", 2023, 5, 100)
        log = self.write_log("vorlix_report2024.log", 2024, 2, 100)
        self.settings(f"LogFile={older}\n")
        p = self.start(args=("--show", log))  # as the file manager's "open with" starts it
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: os.path.exists(log[:-4] + ".html")))
        self.assertFalse(os.path.exists(older[:-4] + ".html"))
        p.keys(win, "Escape")
        self.assertEqual(p.wait_exit(), 0)
        self.assertIn(f"LogFile={log}\n", self.saved())

    def test_show_of_a_file_that_gives_no_page_says_why_and_shows_the_hint(self):
        older = self.write_log("vorlix_report2023.log", 2023, 5, 100)
        missing = os.path.join(self.logs, "vorlix_report2024.log")
        notes = os.path.join(self.logs, "notes.txt")
        cases = (  # what is asked to be shown, the language, what is said
            (missing, ENGLISH, MAIN_EN, f"cannot read {missing}: No such file or directory"),
            (missing, JAPANESE, MAIN_JA, f"{missing} を読み込めません: そのようなファイルやディレクトリはありません"),
            (notes, ENGLISH, MAIN_EN, f"not a report log: {notes}"))
        for log, env, title, said in cases:
            with self.subTest(log=log, said=said):
                self.settings(f"LogFile={older}\n")
                p = self.start(env, args=("--show", log))
                win = p.wait_window(title)
                self.assertTrue(poll(lambda: said in p.stderr_so_far()), p.stderr_so_far())
                time.sleep(2)  # the first report comes 250 ms after start: it must not be the old log's
                self.assertFalse(os.path.exists(older[:-4] + ".html"))
                p.keys(win, "Escape")
                self.assertEqual(p.wait_exit(), 0)
                self.assertIn(f"LogFile={older}\n", self.saved())

    def test_show_without_a_log_opens_the_window_on_the_last_log(self):
        log = self.write_log("vorlix_report2024.log", 2024, 2, 100)
        self.settings(f"LogFile={log}\n")
        p = self.start(args=("--show",))  # as the applications menu starts it: no file
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: os.path.exists(log[:-4] + ".html")))
        p.keys(win, "Escape")
        self.assertEqual(p.wait_exit(), 0)

    def test_the_open_dialog_has_the_languages_title(self):
        for env, main, title in ((ENGLISH, MAIN_EN, "Selected Report-Log file"),
                                 (JAPANESE, MAIN_JA, "レポート用ログファイルの選択")):
            with self.subTest(title=title):
                p = self.start(env)
                win = p.wait_window(main)
                p.keys(win, "ctrl+BackSpace")
                dialog = p.wait_window(title)
                time.sleep(1)  # drawn: its buttons and places speak the language (seen in the shot)
                self.shot("open-dialog-" + ("ja" if env is JAPANESE else "en"))
                p.keys(dialog, "Escape")
                self.assertTrue(poll(lambda: title not in p.windows(), 10))
                p.keys(win, "Escape")
                self.assertEqual(p.wait_exit(), 0)

    def test_choosing_a_log_in_the_side_menu(self):
        log2023 = self.write_log("vorlix_report2023.log", 2023, 5, 100)
        log2024 = self.write_log("vorlix_report2024.log", 2024, 2, 100)
        self.settings(f"IsSideMenu=1\nLogFile={log2024}\n")
        p = self.start()
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: os.path.exists(log2024[:-4] + ".html")))  # the first report
        # The first row is the 2023 year item, just below the menu bar and the toolbar strip.
        menu_bar = 26
        p.click(win, 60, menu_bar + 18 + 8)
        time.sleep(0.5)
        self.assertIn(f"LogFile={log2024}\n", self.saved())  # a year item does nothing
        self.assertFalse(os.path.exists(log2023[:-4] + ".html"))
        p.keys(win, "Right", "Down")  # open 2023 and move to its log
        self.assertTrue(poll(lambda: os.path.exists(log2023[:-4] + ".html")))
        self.assertTrue(poll(lambda: f"LogFile={log2023}\n" in self.saved()))

    def test_a_relative_log_file_shows_its_page_and_stays_in_the_side_menu(self):
        # LogFile written by hand, relative to the folder the window is started in.
        self.write_log("vorlix_report2023.log", 2023, 5, 100)
        log = self.write_log("vorlix_report2024.log", 2024, 2, 100)
        self.settings("IsSideMenu=1\nIsTopMost=0\nLogFile=logs/vorlix_report2024.log\n"
                      "Position=0:1:-1:-1:-1:-1:40:40:1040:740\n")
        p = self.start(prefix=("env", "-C", self.root))
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: os.path.exists(log[:-4] + ".html")), "the hint, not the page")
        # A log coming lists the folder again: its logs stay, the new one under its year.
        side_menu = lambda: screen.pixels(win, 0, 60, 190, 200)  # noqa: E731
        menu_before = side_menu()
        new = self.write_log("vorlix_report2025.part", 2025, 1, 100)
        os.rename(new, new[:-5] + ".log")
        self.assertTrue(poll(lambda: side_menu() != menu_before, 10), "the side menu stayed as it was")
        self.shot("relative-log-file")
        p.click(win, 120, 26 + 18 + 8 + 21 * 4)  # 2023, 2024, its log, 2025, the new log
        self.assertTrue(poll(lambda: os.path.exists(new[:-5] + ".html")), os.listdir(self.logs))
        self.assertIn("LogFile=/", self.saved())  # a log chosen is kept by its whole path

    def test_a_side_menu_log_named_with_bytes_that_are_no_text_opens(self):
        odd = os.path.join(self.logs, "vorlix_report2023\udcff\udcfe.log")  # bytes 0xFF 0xFE
        with open(odd, "w", newline="") as f:
            f.write(log_rows(2023, 5, 100))
        log2024 = self.write_log("vorlix_report2024.log", 2024, 2, 100)
        self.settings(f"IsSideMenu=1\nLogFile={log2024}\n")
        p = self.start()
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: os.path.exists(log2024[:-4] + ".html")))
        p.click(win, 60, 26 + 18 + 8)  # the 2023 year item
        p.keys(win, "Right", "Down")
        self.assertTrue(poll(lambda: os.path.exists(odd[:-4] + ".html")), os.listdir(self.logs))
        self.assertTrue(poll(lambda: os.fsencode(f"LogFile={odd}\n") in open(self.ini, "rb").read()))

    def drag_onto_the_menu_bar(self, win, uri):
        """uri dragged from another program's window and dropped on the window's menu bar."""
        source = subprocess.Popen(["/usr/bin/python3", "-c", DRAG_SOURCE, uri],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            drag = poll(lambda: run("xdotool", "search", "--onlyvisible", "--pid", str(source.pid)).stdout.split())
            self.assertTrue(drag, "no drag source window")
            run("xdotool", "mousemove", "--window", drag[0], "80", "40")
            run("xdotool", "mousedown", "1")
            for _ in range(8):
                run("xdotool", "mousemove_relative", "5", "-5")
                time.sleep(0.05)
            for step in range(5):
                run("xdotool", "mousemove", "--window", win, str(250 + 3 * step), "8")  # over the menu bar
                time.sleep(0.1)
            time.sleep(0.3)
            run("xdotool", "mouseup", "1")
        finally:
            time.sleep(0.5)  # the drop is answered before the source goes
            source.kill()
            source.wait()

    def test_a_log_dropped_on_the_menu_bar_shows_its_page(self):
        log = self.write_log("vorlix_report2024.log", 2024, 2, 100)
        p = self.start()
        win = p.wait_window(MAIN_EN)
        self.drag_onto_the_menu_bar(win, "file://" + log)
        self.assertTrue(poll(lambda: os.path.exists(log[:-4] + ".html")))

    # -- a name that is no text, on every road ---------------------------------------------

    PLACE = "IsSideMenu=1\nIsTopMost=0\nPosition=0:1:-1:-1:-1:-1:40:40:1040:740\n"

    def pane(self, win):
        """Pixels of the browser pane, beside the side menu."""
        return screen.pixels(win, 300, 60, 400, 300)

    def settled_pane(self, win, unlike=None):
        """The pane once it shows a page other than unlike and holds still: the same in two
        looks a moment apart, and not blank."""
        last = [None]

        def settled():
            now = self.pane(win)
            still = now == last[0] and len(set(now)) > 1 and now != unlike
            last[0] = now
            return now if still else None
        return poll(settled, 20, 0.3)

    def test_a_log_named_with_bytes_that_are_no_text_shows_on_every_road(self):
        odd = os.path.join(self.logs, "vorlix_report2023\udcff\udcfe.log")  # bytes 0xFF 0xFE
        with open(odd, "w", newline="") as f:
            f.write(log_rows(2023, 3, 100))
        november = self.write_log("vorlix_report202611.log", 2026, 11, 100)
        more = log_rows(2023, 3, 130, first=100)
        # The pane for these rows under a name that is text, before and after more rows come: in
        # a folder whose side menu reads the same (the odd bytes show as U+FFFD), so that the
        # menu is as wide and the pane lies in the same place.
        text = os.path.join(self.root, "text")
        os.mkdir(text)
        same = shutil.copy(odd, os.path.join(text, "vorlix_report2023\ufffd\ufffd.log"))
        shutil.copy(november, text)
        self.settings(self.PLACE + f"LogFile={same}\n")
        p = self.start()
        win = p.wait_window(MAIN_EN)
        march = self.settled_pane(win)
        self.assertTrue(march, "no page in the pane")
        looks = tempfile.mkdtemp(prefix="zintor-no-text-")
        screen.save_png(os.path.join(looks, "reference.png"))
        append_in_bursts(same, more)
        march_more = self.settled_pane(win, unlike=march)
        self.assertTrue(march_more, "the pane did not follow the log")
        p.stop()

        def side_menu(p, win):
            self.settled_pane(win)  # November's first
            p.click(win, 60, 26 + 18 + 8)  # the 2023 year item
            p.keys(win, "Right", "Down")

        def open_dialog(p, win):
            self.settled_pane(win)  # November's first
            p.keys(win, "ctrl+BackSpace")
            dialog = p.wait_window("Selected Report-Log file")
            time.sleep(1)  # the folder listed (nothing outside shows when): the odd log sorts first
            p.keys(dialog, "Down", "Home", "Return")

        def follow(p, win):
            self.assertEqual(self.settled_pane(win), march)
            append_in_bursts(odd, more)

        roads = {  # LogFile, arguments, what the user does, what the pane then shows
            "start": (odd, (), None, march),
            "--show": (november, ("--show", odd), None, march),
            "side menu": (november, (), side_menu, march),
            "drop": (november, (), lambda p, win: self.drag_onto_the_menu_bar(
                win, "file://" + urllib.parse.quote(os.fsencode(odd))), march),
            "File > Open": (november, (), open_dialog, march),
            "following": (odd, (), follow, march_more),
        }
        for road, (log, args, act, shows) in roads.items():
            with self.subTest(road=road):
                with open(odd, "w", newline="") as f:
                    f.write(log_rows(2023, 3, 100))
                with open(self.ini, "wb") as f:
                    f.write(os.fsencode(f"[Settings]\n{self.PLACE}LogFile={log}\n"))
                p = self.start(args=args)
                win = p.wait_window(MAIN_EN)
                if act:
                    act(p, win)
                if not poll(lambda: self.pane(win) == shows, 20):
                    screen.save_png(os.path.join(looks, f"{road}.png"))
                    self.fail(f"the pane shows another page (see {looks}); stderr: {p.stderr_so_far()}")
                self.assertTrue(os.path.exists(odd[:-4] + ".html"))
                self.shot(f"no-text-{road.replace(' ', '-').strip('-')}")
                p.stop()

    # -- following the log as the monitor writes it --------------------------------------

    def test_new_rows_past_80_and_100_percent_of_the_allowance_notify_once_each(self):
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(lambda: (bus.kill(), bus.wait(), bus.stdout.close()))
        address = bus.stdout.readline().strip()
        notices = os.path.join(self.root, "notices")
        service = subprocess.Popen(["/usr/bin/python3", "-c", NOTIFICATION_SERVICE, notices],
                                   stdout=subprocess.PIPE, text=True,
                                   env=dict(os.environ, DBUS_SESSION_BUS_ADDRESS=address))
        self.addCleanup(lambda: (service.kill(), service.wait(), service.stdout.close()))
        self.assertEqual(service.stdout.readline().strip(), "ready")
        now = time.localtime()

        def minutes(first, last):  # a row a minute from the 1st, 1,000,000 bytes received each
            return "".join(f"{now.tm_year:04d}{now.tm_mon:02d}{1 + m // 1440:02d},"
                           f"{m % 1440 // 60:02d}{m % 60:02d}00,1000,1000000\r\n"
                           for m in range(first, last))
        log = os.path.join(self.logs, f"vorlix_report{now.tm_year:04d}{now.tm_mon:02d}.log")
        with open(log, "w", newline="") as f:
            f.write(minutes(0, 600))  # 78.9 % of the allowance
        self.settings(f"IsTopMost=0\nLogFile={log}\nMonthlyAllowance=760000000\n"
                      "AllowanceCounts=received\n")
        # The test's own bus has no accessibility service, as a desktop's has: the toolkit is
        # told not to look for one (it would say so on standard error).
        p = self.start(env={**ENGLISH, "DBUS_SESSION_BUS_ADDRESS": address, "NO_AT_BRIDGE": "1"})
        win = p.wait_window(MAIN_EN)
        page = log[:-4] + ".html"
        self.assertTrue(poll(lambda: os.path.exists(page)))
        eighty, used_up = "80% of the monthly allowance used", "Monthly allowance used up"
        told = lambda: (pathlib.Path(notices).read_text().splitlines()  # noqa: E731
                        if os.path.exists(notices) else [])
        for rows, expected in (((600, 620), [eighty]),  # 81.6 %
                               ((620, 770), [eighty, used_up]),  # 101.3 %
                               ((770, 800), [eighty, used_up])):  # over still: nothing more
            written = os.stat(page).st_mtime_ns
            append_in_bursts(log, minutes(*rows))
            self.assertTrue(poll(lambda: os.stat(page).st_mtime_ns != written, 10), "no new page")
            self.assertTrue(poll(lambda: told() == expected, 5), told())
        p.keys(win, "F5")  # a refresh tells nothing
        time.sleep(2)
        self.assertEqual(told(), [eighty, used_up])
        self.assertEqual(p.stderr_so_far(), "")

    def test_the_window_follows_the_log_and_its_folder(self):
        log = self.write_log("vorlix_report202611.log", 2026, 11, 72)  # days 1 to 3
        page = log[:-4] + ".html"
        self.settings(f"IsSideMenu=1\nIsTopMost=0\nLogFile={log}\nPosition=0:1:-1:-1:-1:-1:40:40:1040:740\n")
        p = self.start()
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: os.path.exists(page)))
        other = subprocess.Popen(["/usr/bin/python3", "-c", DRAG_SOURCE, "file:///dev/null"])  # has the focus
        self.addCleanup(lambda: (other.kill(), other.wait()))
        other_win = poll(lambda: run("xdotool", "search", "--onlyvisible", "--pid", str(other.pid)).stdout.split())
        run("xdotool", "windowactivate" if MANAGER != "none" else "windowfocus", "--sync", other_win[0])
        time.sleep(1)
        state = lambda: (run("xdotool", "getwindowfocus").stdout,  # noqa: E731
                         run("xprop", "-root", "_NET_CLIENT_LIST_STACKING").stdout, self.saved())
        pane = lambda: screen.pixels(win, 300, 60, 400, 300)  # noqa: E731
        before, pane_before, written = state(), pane(), os.stat(page).st_mtime_ns
        append_in_bursts(log, log_rows(2026, 11, 96, first=72))  # day 4
        self.assertTrue(poll(lambda: os.stat(page).st_mtime_ns != written, 5), "no new page")
        time.sleep(2)
        self.assertEqual(*self.pages(log))
        self.assertTrue(poll(lambda: pane() != pane_before, 5), "the pane shows the old page")
        self.shot("follows-rows")
        self.assertEqual(state(), before)  # not focused, not raised, LogFile untouched
        settled = os.stat(page).st_mtime_ns
        time.sleep(1)
        self.assertEqual(os.stat(page).st_mtime_ns, settled)  # its own page writes set nothing off
        # The monitor begins January's log (under a name of its own first): under 2027, opened.
        new = self.write_log("vorlix_report202701.part", 2027, 1, 30)
        os.rename(new, new[:-5] + ".log")
        time.sleep(2.5)
        self.shot("side-menu")
        p.click(win, 120, 26 + 18 + 8 + 21 * 3)  # 2026, its log, 2027, the new log
        self.assertTrue(poll(lambda: os.path.exists(new[:-5] + ".html")), os.listdir(self.logs))

    def immutable(self, folder):
        """folder made immutable, which binds root as a read-only medium does; False when the
        file system or the user's privileges do not allow it."""
        if run("chattr", "+i", folder).returncode != 0:
            return False
        # Cleanups run after tearDown, which could not remove the folder.
        self.addCleanup(lambda: (run("chattr", "-i", folder), shutil.rmtree(self.root, ignore_errors=True)))
        return True

    def test_a_first_start_shows_the_recorders_newest_log_from_an_unwritable_folder_via_the_cache(self):
        recorded = os.path.join(self.root, "data", "zintor")
        os.makedirs(recorded)
        for name, month, rows in (("vorlix_report202512.log", 12, 100), ("vorlix_report202601.log", 1, 72)):
            with open(os.path.join(recorded, name), "w", newline="") as f:
                f.write(log_rows(2026 - (month == 12), month, rows))
        log = os.path.join(recorded, "vorlix_report202601.log")
        if not self.immutable(recorded):
            self.skipTest("chattr +i is not allowed here")
        cache = os.path.join(self.root, "cache", "zintor")
        cached = lambda: glob.glob(os.path.join(cache, "vorlix_report202601-*.html"))  # noqa: E731
        p = self.start()
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(cached), os.listdir(self.root))
        page = cached()[0]
        self.assertEqual(sorted(os.listdir(recorded)), ["vorlix_report202512.log", "vorlix_report202601.log"])
        self.assertTrue(poll(lambda: len(set(screen.pixels(win, 20, 60, 300, 200))) > 8, 10), "a blank pane")
        self.shot("unwritable-folder")
        # The recorder appends: the page in the cache is written again, the same page as ever.
        written = os.stat(page).st_mtime_ns
        append_in_bursts(log, log_rows(2026, 1, 96, first=72))
        self.assertTrue(poll(lambda: os.stat(page).st_mtime_ns != written, 5), "no new page")
        time.sleep(1)
        copy = shutil.copy(log, os.path.join(self.root, "copy-vorlix_report202601.log"))
        run(os.path.join(self.app, "zintor"), copy, check=True)
        self.assertEqual(pathlib.Path(page).read_bytes(), pathlib.Path(copy[:-4] + ".html").read_bytes())
        # The command-line run still writes only beside the log, and says why it cannot.
        cli = run(os.path.join(self.app, "zintor"), log)
        self.assertEqual(cli.returncode, 1)
        self.assertIn("vorlix_report202601.html", cli.stderr)
        p.keys(win, "Escape")
        self.assertEqual(p.wait_exit(), 0)
        self.assertNotIn("LogFile=", self.saved())  # nobody chose a log

    def test_following_outlives_the_folder_being_removed_and_made_again(self):
        log = self.write_log("vorlix_report202611.log", 2026, 11, 72)
        page = log[:-4] + ".html"
        self.settings(f"IsSideMenu=1\nIsTopMost=0\nLogFile={log}\nPosition=0:1:-1:-1:-1:-1:40:40:1040:740\n")
        p = self.start()
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: os.path.exists(page)))
        shutil.rmtree(self.logs)
        time.sleep(1)  # the window sees the folder go
        os.mkdir(self.logs)
        self.write_log("vorlix_report202611.log", 2026, 11, 96)
        self.assertTrue(poll(lambda: os.path.exists(page), 5), "no page once the folder is back")
        self.assertTrue(poll(lambda: operator.eq(*self.pages(log)), 5, 0.3))
        written = os.stat(page).st_mtime_ns
        append_in_bursts(log, log_rows(2026, 11, 120, first=96))  # followed in the new folder
        self.assertTrue(poll(lambda: os.stat(page).st_mtime_ns != written, 5), "no new page")
        self.assertTrue(poll(lambda: operator.eq(*self.pages(log)), 5, 0.3))
        # The side menu lists the folder made again: a new log there opens from it.
        new = self.write_log("vorlix_report202612.log", 2026, 12, 30)
        time.sleep(2)
        p.click(win, 120, 26 + 18 + 8 + 21 * 2)  # 2026, its two logs
        self.assertTrue(poll(lambda: os.path.exists(new[:-4] + ".html")), os.listdir(self.logs))

    def test_a_log_that_is_a_link_is_followed_in_its_targets_folder(self):
        monitor = os.path.join(self.root, "monitor")
        os.mkdir(monitor)
        target = os.path.join(monitor, "vorlix_report202611.log")
        with open(target, "w", newline="") as f:
            f.write(log_rows(2026, 11, 72))
        log = os.path.join(self.logs, "vorlix_report202611.log")
        os.symlink(target, log)
        page = log[:-4] + ".html"  # beside the link
        self.settings(f"LogFile={log}\n")
        p = self.start()
        p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: os.path.exists(page)))
        written = os.stat(page).st_mtime_ns
        append_in_bursts(target, log_rows(2026, 11, 96, first=72))
        self.assertTrue(poll(lambda: os.stat(page).st_mtime_ns != written, 5), "the target's rows not followed")
        self.assertTrue(poll(lambda: operator.eq(*self.pages(log)), 5, 0.3))

    def test_where_the_folder_cannot_be_watched_nothing_is_said_and_f5_still_works(self):
        # The system's limit of change watches (or of watchers) is reached for the program.
        for limit, keys in (("watches", ("F5",)), ("instances", ("alt+v", "r"))):
            with self.subTest(limit=limit):
                prefix = ("env", f"LD_PRELOAD={NO_INOTIFY}", f"ZINTOR_TEST_NO_INOTIFY={limit}")
                log = self.write_log("vorlix_report202611.log", 2026, 11, 72)
                if os.path.exists(log[:-4] + ".html"):
                    os.remove(log[:-4] + ".html")
                self.settings(f"LogFile={log}\n")
                p = self.start(prefix=prefix)
                win = p.wait_window(MAIN_EN)
                self.assertTrue(poll(lambda: os.path.exists(log[:-4] + ".html")))
                written = self.pages(log)[0]
                append_in_bursts(log, log_rows(2026, 11, 96, first=72))
                time.sleep(2.5)
                self.assertEqual(self.pages(log)[0], written)  # as before: no following
                p.keys(win, *keys)
                self.assertTrue(poll(lambda: self.pages(log)[0] != written, 3))
                self.assertEqual(*self.pages(log))
                self.assertEqual(list(p.windows()), [MAIN_EN])
                self.assertNotIn("inotify", p.stderr_so_far())

    # -- the About box --------------------------------------------------------------------

    def open_about(self, p, win):
        p.keys(win, "alt+h", "a")
        return p.wait_window("About")

    def test_the_about_box_opens_and_closes(self):
        p = self.start()
        win = p.wait_window(MAIN_EN)
        for key in ("Escape", "Return"):
            about = self.open_about(p, win)
            p.keys(about, key)
            self.assertTrue(poll(lambda: "About" not in p.windows(), 10))
        self.assertIn(MAIN_EN, p.windows())

    def test_the_link_says_could_not_open_when_nothing_opens_it(self):
        os.remove(os.path.join(self.app, "zintor-help.html"))
        env = dict(ENGLISH, XDG_DATA_HOME=os.path.join(self.root, "data"),
                   XDG_CONFIG_HOME=os.path.join(self.root, "config"))
        p = self.start(env)
        win = p.wait_window(MAIN_EN)
        about = self.open_about(p, win)
        p.click(about, 194, 152)  # the middle of the link
        box = p.wait_window("zintor")
        self.assertIn("About", p.windows())  # the box stays open
        p.keys(box, "Return")
        self.assertTrue(poll(lambda: "zintor" not in p.windows(), 10))
        self.assertIn("About", p.windows())

    def test_the_link_opens_the_help_page_with_the_default_browser(self):
        data = os.path.join(self.root, "data")
        config = os.path.join(self.root, "config")
        os.makedirs(os.path.join(data, "applications"))
        os.makedirs(config)
        opened = os.path.join(self.root, "opened.txt")
        browser = os.path.join(self.root, "browser.sh")
        with open(browser, "w") as f:
            f.write(f"#!/bin/sh\necho \"$1\" > {opened}\n")
        os.chmod(browser, 0o755)
        with open(os.path.join(data, "applications", "test-browser.desktop"), "w") as f:
            f.write(f"[Desktop Entry]\nType=Application\nName=Test browser\nExec={browser} %u\n"
                    "MimeType=text/html;x-scheme-handler/file;\n")
        with open(os.path.join(config, "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\ntext/html=test-browser.desktop\n")
        p = self.start(dict(ENGLISH, XDG_DATA_HOME=data, XDG_CONFIG_HOME=config))
        win = p.wait_window(MAIN_EN)
        about = self.open_about(p, win)
        p.click(about, 194, 152)
        self.assertTrue(poll(lambda: os.path.exists(opened), 10), p.windows())
        with open(opened) as f:
            self.assertTrue(f.read().strip().endswith("/app/zintor-help.html"))
        self.assertNotIn("zintor", p.windows())

    # -- hostile files and interruptions --------------------------------------------------

    def test_show_with_settings_that_cannot_be_saved_still_shows_the_log(self):
        older = self.write_log("vorlix_report2023.log", 2023, 5, 100)
        log = self.write_log("vorlix_report2024.log", 2024, 2, 100)
        self.settings(f"LogFile={older}\n")
        os.chmod(self.ini, 0o444)  # read-only: left as it is
        before = self.saved()
        p = self.start(args=("--show", log))
        win = p.wait_window(MAIN_EN)
        self.assertTrue(poll(lambda: os.path.exists(log[:-4] + ".html")))
        time.sleep(1)
        self.assertFalse(os.path.exists(older[:-4] + ".html"))
        p.keys(win, "Escape")
        self.assertEqual(p.wait_exit(), 0)
        self.assertEqual(self.saved(), before)
        notices = [line for line in p.stderr_so_far().splitlines() if "settings not saved" in line]
        self.assertEqual(len(notices), 1, p.stderr_so_far())  # said once, for LogFile and the closing writes
        self.assertIn(self.ini + ": Permission denied", notices[0])

    def test_a_fifo_never_hangs_the_window(self):
        # A FIFO as LogFile, in the side menu and dropped: SideMenuTest in gui_tests.
        fifo = os.path.join(self.logs, "vorlix_report2024.log")
        os.mkfifo(fifo)
        ways = {"--show a FIFO": (("--show", fifo), f"cannot read {fifo}: not a regular file"),
                "the settings file is a FIFO": ((), "settings not saved")}
        for way, (args, said) in ways.items():
            with self.subTest(way=way):
                if os.path.lexists(self.ini):
                    os.remove(self.ini)
                if args:
                    self.settings("")
                else:
                    os.mkfifo(self.ini)
                p = self.start(args=args)
                win = p.wait_window(MAIN_EN)
                time.sleep(1)  # past the first report
                p.keys(win, "Escape")  # still answers
                self.assertEqual(p.wait_exit(), 0)
                self.assertEqual(p.stderr_so_far().count(said), 1, p.stderr_so_far())

    def big_template(self):
        """A template whose page is about 40 MB, so that writing it takes a while."""
        path = os.path.join(self.app, "zintor.htm_en.txt")
        with open(path, encoding="latin-1") as f:
            text = f.read()
        at = text.index("\n", text.index("html_header_start")) + 1
        with open(path, "w", encoding="latin-1") as f:
            f.write(text[:at] + ("<p>$TITLE$ " + "." * 80 + "</p>\n") * 400000 + text[at:])

    def test_a_signal_during_a_page_write_closes_the_window_after_it(self):
        self.big_template()
        log = self.write_log("vorlix_report2024.log", 2024, 2, 100)
        page = log[:-4] + ".html"
        self.settings(f"LogFile={log}\n")
        temporary = os.path.join(self.logs, ".zintor-*")
        for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
            with self.subTest(signal=sig.name):
                if os.path.exists(page):
                    os.remove(page)
                p = self.start()
                self.assertTrue(poll(lambda: glob.glob(temporary), 30, 0.002), "the page is never written")
                p.proc.send_signal(sig)
                self.assertEqual(p.wait_exit(30), 0)
                self.assertEqual(glob.glob(temporary), [])
                self.assertGreater(os.path.getsize(page), 40_000_000)  # whole: written before closing

    def test_the_file_size_limit_fails_the_page_and_keeps_the_older_one(self):
        log = self.write_log("vorlix_report2024.log", 2024, 2, 500)
        page = log[:-4] + ".html"
        with open(page, "w") as f:
            f.write("older page")
        self.settings(f"LogFile={log}\n")
        limit = resource.getrlimit(resource.RLIMIT_FSIZE)
        resource.setrlimit(resource.RLIMIT_FSIZE, (64 * 1024, limit[1]))  # ulimit -f 64
        try:
            p = self.start()
        finally:
            resource.setrlimit(resource.RLIMIT_FSIZE, limit)
        win = p.wait_window(MAIN_EN)
        time.sleep(2)  # past the first report
        p.keys(win, "Escape")
        self.assertEqual(p.wait_exit(), 0)
        with open(page) as f:
            self.assertEqual(f.read(), "older page")
        self.assertEqual(glob.glob(os.path.join(self.logs, ".zintor-*")), [])
        self.assertIn("IsTopMost=1\n", self.saved())  # the settings are small enough

    # -- no window needed -----------------------------------------------------------------

    def test_the_command_line_run_loads_no_toolkit(self):
        libraries = run("ldd", os.path.join(self.app, "zintor")).stdout
        for name in ("wx_", "gtk", "webkit"):
            self.assertNotIn(name, libraries)


def start_manager(name):
    """The window manager on the display, once it has said it manages the screen."""
    command = {"openbox": ["openbox", "--sm-disable"], "icewm": ["icewm"]}[name]
    manager = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if not poll(lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK").stdout, 20):
        manager.kill()
        raise SystemExit(f"window_e2e: {name} did not start")
    time.sleep(0.5)
    return manager


def main():
    global BUILD_DIR, MANAGER, NO_INOTIFY
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True)
    parser.add_argument("--no-inotify", required=True)
    parser.add_argument("--wm", choices=("none", "openbox", "icewm"), default="none")
    args, rest = parser.parse_known_args()
    BUILD_DIR = os.path.abspath(args.build_dir)
    MANAGER = args.wm
    NO_INOTIFY = os.path.abspath(args.no_inotify)
    if not os.environ.get("DISPLAY"):
        print("window_e2e: no display; run it under xvfb-run", file=sys.stderr)
        return 1
    missing = screen.missing_programs(["xdotool", "xwininfo", "xprop", "ldd"]
                                      + ([MANAGER] if MANAGER != "none" else []))
    if missing:
        print("\n".join(f"window_e2e: {line}" for line in missing), file=sys.stderr)
        return 1
    manager = start_manager(MANAGER) if MANAGER != "none" else None
    try:
        result = unittest.main(argv=[sys.argv[0], "-v", *rest], exit=False).result
    finally:
        if manager:
            manager.terminate()
            manager.wait()
    passed = result.testsRun - len(result.failures) - len(result.errors) - len(result.skipped)
    print(f"{passed} passed, {len(result.failures) + len(result.errors)} failed")
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
