#!/usr/bin/env python3
"""zintor-record run as a user runs it, with --interval 1 for a few seconds: once on this
machine's own counters, once on a tree of counters (--root) that the test moves between rows:
traffic beyond 4 GiB in one row, a reset, an interface that vanishes and comes back, a
virtual interface beside the physical one, a log rotated away under SIGHUP, a second recorder
on the same folder, and SIGTERM. The rows are checked, and the log must read as a page."""
import argparse
import glob
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

RECORD = ZINTOR = None
ROW = re.compile(r"^(\d{8}),(\d{6}),(\d+),(\d+)\r$")


def poll(condition, timeout=15.0, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.02)
    raise AssertionError("timed out waiting for " + what)


def rows_of(folder):
    rows = []
    for log in sorted(glob.glob(os.path.join(folder, "*"))):
        if os.path.basename(log).startswith(("vorlix_report", "rotated")):
            with open(log, "rb") as f:
                text = f.read().decode("ascii")
            if text:
                assert text.endswith("\r\n"), text
                rows += [ROW.match(line).groups() for line in text.split("\n")[:-1]]
    return rows


def seconds(row):
    t = row[1]
    return int(t[:2]) * 3600 + int(t[2:4]) * 60 + int(t[4:])


NET_DEV_HEAD = ("Inter-|   Receive                                                |  Transmit\n"
                " face |bytes    packets errs drop fifo frame compressed multicast|bytes    packets errs"
                " drop fifo colls carrier compressed\n")


def write_counters(root, counters):
    lines = "".join(f"{name:>6}: {rx} 0 0 0 0 0 0 0 {tx} 0 0 0 0 0 0 0\n"
                    for name, (tx, rx) in counters.items())
    path = os.path.join(root, "proc/net/dev")
    with open(path + ".new", "w") as f:
        f.write(NET_DEV_HEAD + lines)
    os.replace(path + ".new", path)


class RecorderTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="zintor-record-")
        self.folder = os.path.join(self.dir, "logs")
        self.procs = []

    def tearDown(self):
        for p in self.procs:
            if p.poll() is None:
                p.kill()
                p.wait()
        shutil.rmtree(self.dir)

    def start(self, *args):
        p = subprocess.Popen([RECORD, "--folder", self.folder, "--interval", "1", *args],
                             stderr=subprocess.PIPE, text=True)
        self.procs.append(p)
        return p

    def stop(self, p, sig=signal.SIGTERM):
        p.send_signal(sig)
        _, err = p.communicate(timeout=10)
        self.assertEqual(p.returncode, 0, err)
        return err

    def next_row(self, count):
        """Waits until the logs hold more than count rows; their number."""
        return poll(lambda: len(rows_of(self.folder)) > count and len(rows_of(self.folder)),
                    what=f"row {count + 1}")

    def assert_page(self, log):
        page = subprocess.run([ZINTOR, "--json", log], capture_output=True, text=True)
        self.assertEqual(page.returncode, 0, page.stderr)
        figures = json.loads(page.stdout)
        with open(log, "rb") as f:
            rows = [ROW.match(line).groups() for line in f.read().decode("ascii").split("\n")[:-1]]
        # Every count read exactly, those above 4 GiB too.
        self.assertEqual(figures["totals"]["sent"], sum(int(r[2]) for r in rows))
        self.assertEqual(figures["totals"]["received"], sum(int(r[3]) for r in rows))
        self.assertEqual(subprocess.run([ZINTOR, log]).returncode, 0)
        self.assertTrue(os.path.exists(log[:-4] + ".html"))
        return figures

    def test_this_machines_counters(self):
        p = self.start()
        self.next_row(3)
        err = self.stop(p, signal.SIGINT)  # Ctrl+C, as SIGTERM: the second in progress written
        self.assertIn("more than the 65,535 a log holds", err)  # told once, at 1 s a row
        self.assertEqual(err.count("\n"), 1, err)
        rows = rows_of(self.folder)
        steps = {seconds(b) - seconds(a) for a, b in zip(rows, rows[1:]) if b[0] == a[0]}
        self.assertEqual(steps, {1}, rows)  # one row a second, none left out
        log = glob.glob(os.path.join(self.folder, "vorlix_report*.log"))[-1]
        figures = self.assert_page(log)
        self.assertEqual(figures["rows"]["read"], len([r for r in rows if r[0][:6] == log[-10:-4]]))

    def test_a_counter_tree_moved_between_rows(self):
        root = os.path.join(self.dir, "root")
        os.makedirs(os.path.join(root, "proc/net"))
        os.makedirs(os.path.join(root, "sys/class/net"))
        os.symlink("../../devices/pci0000:00/0000:00:03.0/net/eth0", os.path.join(root, "sys/class/net/eth0"))
        os.symlink("../../devices/virtual/net/br0", os.path.join(root, "sys/class/net/br0"))
        os.symlink("../../devices/virtual/net/lo", os.path.join(root, "sys/class/net/lo"))
        counters = {"lo": (5, 5), "eth0": (100, 100), "br0": (0, 0)}
        write_counters(root, counters)
        p = self.start("--root", root)
        n = self.next_row(0)  # the baseline has been read

        second = subprocess.run([RECORD, "--folder", self.folder, "--interval", "1"],
                                capture_output=True, text=True)
        self.assertEqual(second.returncode, 1)
        self.assertIn(f"already recorded by process {p.pid}", second.stderr)

        steps = [
            ({"eth0": (5_000_000_100, 107), "br0": (5_000_000_000, 7), "lo": (99, 99)}, None),
            ({"eth0": (10, 10)}, None),  # a reset: counts nothing
            ({"eth0": (15, 20)}, None),
            ({"eth0": None}, None),  # vanished
            ({"eth0": (1000, 1000)}, None),  # back: a baseline
            ({"eth0": (1001, 1003)}, "rotate"),
            ({"eth0": (1002, 1004)}, None),
        ]
        for change, action in steps:
            for name, value in change.items():
                if value is None:
                    del counters[name]
                else:
                    counters[name] = value
            write_counters(root, counters)
            if action == "rotate":
                for log in glob.glob(os.path.join(self.folder, "vorlix_report*.log")):
                    os.rename(log, os.path.join(self.folder, "rotated-" + os.path.basename(log)))
                p.send_signal(signal.SIGHUP)
            n = self.next_row(n)
        self.stop(p)
        rows = rows_of(self.folder)
        self.assertEqual(sum(int(r[2]) for r in rows), 5_000_000_000 + 5 + 1 + 1)
        self.assertEqual(sum(int(r[3]) for r in rows), 7 + 10 + 3 + 1)
        rotated = glob.glob(os.path.join(self.folder, "rotated-*"))
        self.assertTrue(rotated)
        self.assertGreaterEqual(self.assert_page(rotated[0])["totals"]["sent"], 5_000_000_000)
        logs = glob.glob(os.path.join(self.folder, "vorlix_report*.log"))
        self.assertTrue(logs)  # a new log after the rotation
        self.assert_page(logs[-1])

    def test_bad_command_lines_exit_2_with_one_line(self):
        for args in (["--interval", "62"], ["--interval", "0"], ["--nope"], ["extra"]):
            r = subprocess.run([RECORD, *args], capture_output=True, text=True)
            self.assertEqual(r.returncode, 2, args)
            self.assertEqual(r.stderr.count("\n"), 1, r.stderr)
            self.assertEqual(r.stdout, "")

    def test_list_says_what_is_counted_and_why(self):
        r = subprocess.run([RECORD, "--list", "--interface", "!eth0"], capture_output=True, text=True)
        self.assertEqual(r.returncode, 0, r.stderr)
        lines = r.stdout.splitlines()
        self.assertTrue(lines[0].startswith("INTERFACE"))
        self.assertRegex(r.stdout, r"(?m)^lo +\d+ +\d+ +no +loopback$")


def main():
    global RECORD, ZINTOR
    parser = argparse.ArgumentParser()
    parser.add_argument("--record", required=True)
    parser.add_argument("--zintor", required=True)
    args, rest = parser.parse_known_args()
    RECORD, ZINTOR = args.record, args.zintor
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
