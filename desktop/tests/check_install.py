#!/usr/bin/env python3
"""Checks the desktop entry and the installed layout.

Usage:
  check_install.py entry DESKTOP_FILE
      The entry passes desktop-file-validate (fails, naming the package, without it) and starts the
      launcher with the icon that is installed.
  check_install.py install CMAKE BUILD_DIR INSTALL_DIR SAMPLE_LOG HAS_GUI
      `cmake --install` into a fresh prefix gives exactly the expected files; the launcher on
      the PATH writes pages in both languages from the templates beside the program, also
      after the installed tree was moved, and a DESTDIR install stages the same tree.
"""
import filecmp
import os
import shutil
import struct
import subprocess
import sys
import tempfile

ICON_SIZES = [16, 24, 32, 48, 64, 128, 256]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def validate(desktop_file):
    validator = shutil.which("desktop-file-validate")
    if not validator:
        return False
    result = subprocess.run([validator, desktop_file], capture_output=True, text=True)
    output = (result.stdout + result.stderr).strip()
    check(result.returncode == 0 and not output, f"desktop-file-validate {desktop_file}:\n{output}")
    return True


def entry_keys(desktop_file):
    keys = {}
    with open(desktop_file, encoding="utf-8") as f:
        for line in f:
            if "=" in line and not line.startswith("#"):
                key, value = line.rstrip("\n").split("=", 1)
                keys[key] = value
    return keys


def check_entry(desktop_file):
    keys = entry_keys(desktop_file)
    # The menu starts the launcher that the install puts on the PATH, with the installed icon.
    check(keys.get("Exec", "").split()[:1] == ["zintor"], f"Exec should start zintor: {keys.get('Exec')}")
    check(keys.get("Icon") == "zintor", f"Icon should be the installed icon zintor: {keys.get('Icon')}")
    check(keys.get("Terminal") == "false", "the window needs no terminal")
    if not validate(desktop_file):
        print("desktop-file-validate is not installed: install the Debian package desktop-file-utils (make deps does)")
        return 1
    return 0


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


def generated_cache(relative):
    """Files the desktop's cache tools make after an install, when they are present."""
    return (relative.startswith("share/mime/") and not relative.startswith("share/mime/packages/")) \
        or relative == "share/applications/mimeinfo.cache"


def installed_files(prefix):
    found = set()
    for folder, dirs, files in os.walk(prefix):
        for name in files + [d for d in dirs if os.path.islink(os.path.join(folder, d))]:
            relative = os.path.relpath(os.path.join(folder, name), prefix)
            if not generated_cache(relative):
                found.add(relative)
    return found


def expected_files(install_dir, has_gui):
    files = {f"{install_dir}/{name}" for name in ("zintor", "zintor.htm.txt", "zintor.htm_en.txt", "zintor-help.html")}
    files.add("bin/zintor")
    files.add("share/man/man1/zintor.1")
    # The recorder, its manual page, its service units and its system user.
    files |= {f"{install_dir}/zintor-record", "bin/zintor-record", "share/man/man1/zintor-record.1",
              "share/systemd/user/zintor-record.service", "lib/systemd/system/zintor-record.service",
              "lib/systemd/system/zintor-pages.service", "lib/systemd/system/zintor-pages.timer",
              "lib/sysusers.d/zintor.conf"}
    if has_gui:
        files.add(f"{install_dir}/zintor_gui.so")
        files.add("share/applications/zintor.desktop")
        files.add("share/mime/packages/zintor.xml")
        files.add("share/metainfo/org.zintor.zintor.metainfo.xml")
        files |= {f"share/icons/hicolor/{s}x{s}/apps/zintor.png" for s in ICON_SIZES}
    return files


def run_launcher(prefix, sample, scratch):
    """Writes the sample's page with PREFIX/bin/zintor in both languages, without a display."""
    for lang, title in (("C", b"Traffic Report - Nov.2026"), ("ja_JP.UTF-8", "Traffic Report - 2026年11月".encode("cp932"))):
        folder = tempfile.mkdtemp(dir=scratch)
        log = shutil.copy(sample, folder)
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update(LC_ALL="", LC_MESSAGES="", LANG=lang, PATH=os.path.join(prefix, "bin") + os.pathsep + env.get("PATH", ""))
        result = subprocess.run(["zintor", log], env=env, capture_output=True, text=True, cwd=folder)
        page = os.path.splitext(log)[0] + ".html"
        check(result.returncode == 0, f"{prefix}/bin/zintor with LANG={lang} failed: {result.stderr.strip()}")
        if result.returncode == 0:
            with open(page, "rb") as f:
                check(b"<title>" + title + b"</title>" in f.read(),
                      f"LANG={lang}: the page was not written from the installed template")


def check_tree(prefix, install_dir, source, has_gui):
    found = installed_files(prefix)
    expected = expected_files(install_dir, has_gui)
    check(found == expected, f"installed files differ: missing {sorted(expected - found)}, "
                             f"unexpected {sorted(found - expected)}")
    launcher = os.path.join(prefix, "bin", "zintor")
    check(os.path.islink(launcher) and not os.path.isabs(os.readlink(launcher)),
          "bin/zintor should be a relative link to the program")
    check(os.path.realpath(launcher) == os.path.realpath(os.path.join(prefix, install_dir, "zintor")),
          "bin/zintor does not lead to the installed program")
    check(os.access(os.path.join(prefix, install_dir, "zintor"), os.X_OK), "the program is not executable")
    for name in ("zintor.htm.txt", "zintor.htm_en.txt", "zintor-help.html"):
        installed = os.path.join(prefix, install_dir, name)
        check(os.path.exists(installed) and filecmp.cmp(installed, os.path.join(source, "resources", name), shallow=False),
              f"{name} is not the one of the source tree")
    if has_gui:
        entry = os.path.join(prefix, "share", "applications", "zintor.desktop")
        check(os.path.exists(entry) and filecmp.cmp(entry, os.path.join(source, "desktop", "zintor.desktop"), shallow=False),
              "the installed desktop entry is not the one of the source tree")
        if os.path.exists(entry):
            validate(entry)
        for s in ICON_SIZES:
            icon = os.path.join(prefix, "share", "icons", "hicolor", f"{s}x{s}", "apps", "zintor.png")
            check(os.path.exists(icon) and png_size(icon) == (s, s), f"icon {s}x{s} is missing or not {s} pixels")


def check_install(cmake, build, install_dir, sample, has_gui):
    has_gui = has_gui == "1"
    source = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    with tempfile.TemporaryDirectory() as scratch:
        prefix = os.path.join(scratch, "prefix")
        result = subprocess.run([cmake, "--install", build, "--prefix", prefix], capture_output=True, text=True)
        if result.returncode != 0:
            check(False, f"cmake --install failed:\n{result.stdout}{result.stderr}")
            return
        check_tree(prefix, install_dir, source, has_gui)
        run_launcher(prefix, sample, scratch)
        # Moved as a whole, the installed tree still works: the link is relative and the
        # program finds its files beside its own file.
        moved = os.path.join(scratch, "moved")
        os.rename(prefix, moved)
        run_launcher(moved, sample, scratch)
        # A staged install (DESTDIR), as packages are built.
        stage = os.path.join(scratch, "stage")
        env = dict(os.environ, DESTDIR=stage)
        result = subprocess.run([cmake, "--install", build, "--prefix", "/usr/local"], capture_output=True, text=True,
                                env=env)
        check(result.returncode == 0, f"cmake --install with DESTDIR failed:\n{result.stdout}{result.stderr}")
        if result.returncode == 0:
            check_tree(os.path.join(stage, "usr", "local"), install_dir, source, has_gui)
            check(set(os.listdir(stage)) == {"usr"}, f"DESTDIR install wrote outside its prefix: {os.listdir(stage)}")


def main(argv):
    mode = argv[1] if len(argv) > 1 else ""
    if mode == "entry" and len(argv) == 3:
        status = check_entry(argv[2])
    elif mode == "install" and len(argv) == 7:
        check_install(*argv[2:])
        status = 0
    else:
        sys.exit(__doc__)
    for message in failures:
        print("FAIL:", message)
    return 1 if failures else status


if __name__ == "__main__":
    sys.exit(main(sys.argv))
