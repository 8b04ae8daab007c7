#!/usr/bin/env python3
"""Checks the report-log generator: row format, calendar, spacing, traffic shape, options.

Usage: check_make_report_log.py MAKE_REPORT_LOG REPOSITORY_ROOT
"""
import datetime
import os
import re
import shlex
import subprocess
import sys
import tempfile
import unittest

GENERATOR = ""
ROOT = ""
ROW = re.compile(rb"(\d{8}),(\d{6}),(\d+),(\d+)\r\n")


def generate(*args):
    result = subprocess.run([GENERATOR, *args], capture_output=True, check=True)
    return result.stdout


def parse(data):
    """Rows as (datetime, sent, recv); fails on any line that is not a well-formed row."""
    rows = []
    for line in data.splitlines(keepends=True):
        m = ROW.fullmatch(line)
        if not m:
            raise AssertionError(f"malformed row {line!r}")
        stamp = datetime.datetime.strptime((m[1] + m[2]).decode(), "%Y%m%d%H%M%S")
        rows.append((stamp, int(m[3]), int(m[4])))
    return rows


def steps(rows):
    return [(b[0] - a[0]).total_seconds() for a, b in zip(rows, rows[1:])]


class Format(unittest.TestCase):
    # (options, year, month): every row well formed, in the month, ascending, within 32 bits.
    CASES = [
        ([], 2026, 11),
        (["--year", "2024", "--month", "2"], 2024, 2),
        (["--year", "2023", "--month", "2", "--interval", "7"], 2023, 2),
        (["--month", "1", "--interval", "1", "--rows", "20000"], 2026, 1),
        (["--interval", "3600"], 2026, 11),   # an hour per row: large counts
        (["--interval", "86400"], 2026, 11),  # a day per row: counts must be capped
        (["--max"], 2026, 12),
        (["--max", "--year", "2025", "--month", "7"], 2025, 7),
    ]

    def test_rows(self):
        for args, year, month in self.CASES:
            with self.subTest(args=args):
                rows = parse(generate(*args))
                self.assertTrue(rows)
                for stamp, sent, recv in rows:
                    self.assertEqual((stamp.year, stamp.month), (year, month))
                    self.assertLessEqual(max(sent, recv), 0xFFFFFFFF)
                self.assertTrue(all(s > 0 for s in steps(rows)), "timestamps must ascend")

    def test_day_rows_hit_the_cap(self):
        rows = parse(generate("--interval", "86400", "--seed", "5"))
        self.assertIn(0xFFFFFFFF, [r for _, _, r in rows])


class MaximalLog(unittest.TestCase):
    def test_covers_the_month_with_65535_rows(self):
        for args in (["--max"], ["--max", "--month", "1", "--seed", "9"]):
            with self.subTest(args=args):
                rows = parse(generate(*args))
                self.assertEqual(len(rows), 65535)
                self.assertEqual((rows[0][0].day, rows[0][0].hour, rows[0][0].minute), (1, 0, 0))
                self.assertEqual(rows[-1][0].day, 31)
                self.assertEqual(rows[-1][0].hour, 23)
                # No gaps: every step is short enough to count as capture time.
                self.assertEqual(set(steps(rows)), {40.0, 41.0})


class MonthLog(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.rows = parse(generate("--seed", "3"))

    def test_spacing_and_gaps(self):
        gaps = [s for s in steps(self.rows) if s > 61]
        self.assertTrue(1 <= len(gaps) <= 6, gaps)
        self.assertTrue(all(s >= 300 for s in gaps), gaps)
        regular = [s for s in steps(self.rows) if s <= 61]
        self.assertEqual(set(regular), {60.0, 61.0})
        self.assertGreater(regular.count(60.0), 0.9 * len(regular))

    def test_daily_rhythm_and_quiet_weekends(self):
        by_hour = [0] * 24
        weekday, weekend = [], []
        per_day = {}
        for stamp, sent, recv in self.rows:
            by_hour[stamp.hour] += sent + recv
            per_day[stamp.date()] = per_day.get(stamp.date(), 0) + sent + recv
        for day, total in per_day.items():
            (weekend if day.weekday() >= 5 else weekday).append(total)
        night = sum(by_hour[2:6])
        evening = sum(by_hour[19:23])
        self.assertGreater(evening, 4 * night)
        self.assertLess(sum(weekend) / len(weekend), 0.75 * sum(weekday) / len(weekday))

    def test_large_transfers_occur(self):
        busiest = max(max(s, r) for _, s, r in self.rows)
        self.assertGreater(busiest, 100 * 2**20)


class Options(unittest.TestCase):
    def test_same_seed_same_bytes(self):
        self.assertEqual(generate("--seed", "42"), generate("--seed", "42"))
        self.assertNotEqual(generate("--seed", "42"), generate("--seed", "43"))

    def test_rows_limit(self):
        self.assertEqual(len(parse(generate("--rows", "100"))), 100)
        self.assertEqual(generate("--rows", "0"), b"")

    def test_output_file_matches_standard_output(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "vorlix_report202611.log")
            generate("--rows", "500", "-o", path)
            with open(path, "rb") as f:
                self.assertEqual(f.read(), generate("--rows", "500"))

    def test_rejected(self):
        # (arguments, exit status)
        cases = [
            (["--month", "13"], 2),
            (["--month", "0"], 2),
            (["--year", "abc"], 2),
            (["--interval", "0"], 2),
            (["--interval", "86401"], 2),
            (["--rows", "-1"], 2),
            (["--seed"], 2),
            (["--max", "--month", "11"], 2),  # 30 days
            (["--max", "--rows", "10"], 2),
            (["--max", "--interval", "30"], 2),
            (["--frobnicate"], 2),
            (["-o", "/nonexistent-folder/x.log"], 1),
        ]
        for args, status in cases:
            with self.subTest(args=args):
                result = subprocess.run([GENERATOR, *args], capture_output=True)
                self.assertEqual(result.returncode, status)
                self.assertTrue(result.stderr)


class BundledSample(unittest.TestCase):
    def test_sample_is_what_the_readme_command_makes(self):
        with open(os.path.join(ROOT, "samples", "README.md"), encoding="utf-8") as f:
            commands = [line.split() for line in f if "make_report_log" in line and " -o " in line]
        self.assertEqual(len(commands), 1, "samples/README.md names one regeneration command")
        args = commands[0][1:]
        out = args.index("-o")
        self.assertEqual(args[out + 1], "samples/vorlix_report202611.log")
        del args[out:out + 2]
        with open(os.path.join(ROOT, "samples", "vorlix_report202611.log"), "rb") as f:
            self.assertEqual(f.read(), generate(*args),
                             "regenerate the sample with: " + shlex.join(commands[0]))


if __name__ == "__main__":
    GENERATOR, ROOT = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
