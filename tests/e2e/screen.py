"""What the tests need of the display besides keys and clicks: pictures of a window (through
the GTK bindings the drag source already uses, so no image program is needed), and the
programs the drivers run, checked before any test starts."""
import shutil

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("GdkX11", "3.0")
from gi.repository import Gdk, GdkX11  # noqa: E402

# Each program a driver runs, with the Debian package that brings it (make deps installs them).
PROGRAMS = {
    "Xvfb": "xvfb",
    "xdotool": "xdotool",
    "xwininfo": "x11-utils",
    "xprop": "x11-utils",
    "openbox": "openbox",
    "icewm": "icewm",
    "ldd": "libc-bin",
}


def missing_programs(names):
    """One line per program of names that is not on the PATH, naming its package."""
    return [f"{name} is not installed: install the Debian package {PROGRAMS[name]} (make deps does)"
            for name in names if not shutil.which(name)]


def _display():
    Gdk.init([])
    display = Gdk.Display.get_default()
    if display is None:
        raise RuntimeError("no display to take a picture of")
    return display


def _window(xid):
    display = _display()
    if xid is None:
        return Gdk.get_default_root_window()
    return GdkX11.X11Window.foreign_new_for_display(display, int(xid, 0) if isinstance(xid, str) else xid)


def pixels(xid, x, y, width, height):
    """The raw pixels of the rectangle (x, y, width, height) of window xid (None: the screen),
    clipped to the window; b"" when the window is gone or not on screen."""
    window = _window(xid)
    if window is None:
        return b""
    width = max(0, min(width, window.get_width() - x))
    height = max(0, min(height, window.get_height() - y))
    if width == 0 or height == 0:
        return b""
    picture = Gdk.pixbuf_get_from_window(window, x, y, width, height)
    return picture.get_pixels() if picture else b""


def save_png(path, xid=None):
    """The whole window xid (None: the screen) as a PNG file at path."""
    window = _window(xid)
    picture = Gdk.pixbuf_get_from_window(window, 0, 0, window.get_width(), window.get_height())
    if picture:
        picture.savev(path, "png", [], [])
