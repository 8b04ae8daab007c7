#!/usr/bin/env python3
"""Two copies of the zintor window, installed in one folder and so sharing one settings file,
closed at the same moment (SIGTERM to both, as a session ending does). Each saves its window
settings key by key as it closes; whatever the interleaving, the settings file they leave
parses: whole lines, one Settings section, each key at most once, a Position of ten integers,
and the LogFile line that neither window writes kept."""
import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import window_e2e as e2e  # noqa: E402  (Program, poll, languages and titles)

BUILD_DIR = None
ROUNDS = 5


def install(folder):
    for name in os.listdir(BUILD_DIR):
        path = os.path.join(BUILD_DIR, name)
        if name.startswith("zintor") and os.path.isfile(path) and not name.endswith((".ini", ".html")) \
                or name == "zintor-help.html":
            shutil.copy2(path, folder)


class TwoWindowsTest(unittest.TestCase):
    def test_two_windows_closing_at_once_leave_settings_that_parse(self):
        root = tempfile.mkdtemp(prefix="zintor-two-windows-")
        try:
            app = os.path.join(root, "app")
            os.mkdir(app)
            install(app)
            ini = os.path.join(app, "zintor.ini")
            log = os.path.join(root, "vorlix_report2099.log")  # no such log: the hint page
            for round_ in range(ROUNDS):
                with self.subTest(round=round_):
                    with open(ini, "w", encoding="utf-8") as f:
                        f.write(f"; kept\n[Settings]\nLogFile={log}\n")
                    windows = [e2e.Program(app, e2e.ENGLISH), e2e.Program(app, e2e.JAPANESE)]
                    try:
                        windows[0].wait_window(e2e.MAIN_EN)
                        windows[1].wait_window(e2e.MAIN_JA)
                        for w in windows:
                            w.proc.send_signal(signal.SIGTERM)
                        for w in windows:
                            self.assertEqual(w.wait_exit(), 0, w.stderr_so_far())
                    finally:
                        for w in windows:
                            w.stop()
                    with open(ini, encoding="utf-8") as f:
                        self.check_parses(f.read(), log)
        finally:
            shutil.rmtree(root, ignore_errors=True)

    def check_parses(self, text, log):
        lines = text.split("\n")
        self.assertEqual(lines[-1], "", "the file ends with a line break")
        self.assertEqual(lines[:3], ["; kept", "[Settings]", f"LogFile={log}"], text)
        keys = {}
        for line in lines[3:-1]:
            key, eq, value = line.partition("=")
            self.assertTrue(eq and re.fullmatch(r"[A-Za-z]+", key), f"a broken line {line!r} in\n{text}")
            self.assertNotIn(key, keys, f"{key} twice in\n{text}")
            keys[key] = value
        self.assertEqual(set(keys), {"IsTopMost", "IsSideMenu", "IsZoomed", "Position"}, text)
        for key in ("IsTopMost", "IsSideMenu", "IsZoomed"):
            self.assertIn(keys[key], ("0", "1"), text)
        self.assertRegex(keys["Position"], r"^-?\d+(:-?\d+){9}$", text)


def main():
    global BUILD_DIR
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True)
    args, rest = parser.parse_known_args()
    BUILD_DIR = os.path.abspath(args.build_dir)
    missing = e2e.screen.missing_programs(["Xvfb", "xdotool", "xwininfo", "xprop"])
    if missing:
        print("\n".join(f"two_windows_e2e: {line}" for line in missing), file=sys.stderr)
        return 1
    # A virtual display of its own: the server picks a free display number itself, so that
    # other tests starting displays at the same moment cannot take the same one.
    server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        number = server.stdout.readline().strip()
        if not number:
            print("two_windows_e2e: the virtual display did not start", file=sys.stderr)
            return 1
        os.environ["DISPLAY"] = ":" + number
        result = unittest.main(argv=[sys.argv[0], "-v", *rest], exit=False).result
        return 0 if result.wasSuccessful() else 1
    finally:
        server.terminate()
        server.wait()


if __name__ == "__main__":
    sys.exit(main())
