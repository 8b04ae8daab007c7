#!/usr/bin/env python3
"""Checks of the reference page model against worked examples.

The differential test trusts reference_page.py; these cases pin the model
itself to known answers, so that a slip in the model is not mistaken for a
fault of the program.  Run: python3 -m unittest tests/oracle/test_reference_page.py
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import reference_page as rp  # noqa: E402


class ValueFormats(unittest.TestCase):
    def test_sizes(self):
        for count, code, text in [
                (0, 0, "0.0 KB"), (0, 2, "0.0 MB"), (0, 3, "0.00 GB"), (1023, 0, "1.0 KB"),
                (1048576, 0, "1024.0 KB"), (1025 * 1024, 0, "1.0 MB"),
                (1025 * 1024 - 1, 0, "1025.0 KB"), (2 ** 30, 0, "1024.0 MB"),
                (2 ** 30 + 1024, 0, "1.00 GB"), (2 ** 40, 0, "1024.00 GB"),
                (2 ** 40 + 1024, 0, "1.00 TB"), (2 ** 63 - 1, 0, "8388608.00 TB"),
                (3 * 2 ** 29, 0, "1.50 GB"), (3 * 2 ** 29, 1, "1572864.0 KB"),
                (3 * 2 ** 29, 2, "1536.0 MB"), (1024 + 256, 1, "1.2 KB"),   # tie to even
                (1024 + 768, 1, "1.8 KB")]:
            with self.subTest(count=count, code=code):
                result = rp.format_size(count, code)
                self.assertEqual(result.strip(), text)
                self.assertGreaterEqual(len(result), 9 + len(text.split()[1]) + 1)

    def test_rates_and_durations(self):
        self.assertEqual([rp.format_rate(1048576.0, c) for c in range(4)],
                         ["  1024.00 KB/s", "    1.000 MB/s", "  8192.00 Kbps", "    8.000 Mbps"])
        for seconds, japanese, english in [
                (0, "00秒", "00s "), (59, "59秒", "59s "), (60, "01分00秒", "01m 00s "),
                (3599, "59分59秒", "59m 59s "), (3600, "1時間00分00秒", "1h 00m 00s "),
                (25 * 3600 + 61, "25時間01分01秒", "25h 01m 01s ")]:
            self.assertEqual(rp.format_duration(seconds, rp.JAPANESE), japanese)
            self.assertEqual(rp.format_duration(seconds, rp.ENGLISH), english)

    def test_shares_and_bars(self):
        self.assertEqual(rp.share_text(1, 4), "25.0%")
        self.assertEqual(rp.share_text(1, 16), "6.2%")
        self.assertEqual(rp.share_text(0, 0), "0.0%")
        for largest, scale in [(0, 1), (150, 1), (151, 2), (300, 2), (301, 2), (302, 4),
                               (1000, 8), (2 ** 32 - 1, 2 ** 21)]:
            self.assertEqual(rp.bar_scale([largest, 3]), scale, largest)
        self.assertEqual(rp.bar_text(250, 1), "200")
        self.assertEqual(rp.bar_text(302, 4), "75")


class Calendar(unittest.TestCase):
    def test_examples(self):
        for args, weekday in [((2024, 1, 1), 1), ((2023, 12, 31), 0), ((2000, 2, 29), 2),
                              ((2024, 3, 1), 5), ((2089, 12, 31), 6), ((0, 1, 0), -1)]:
            self.assertEqual(rp.day_of_week(*args), weekday, args)
        for args, days in [((2024, 2), 29), ((2023, 2), 28), ((2000, 2), 29), ((1900, 2), 28),
                           ((0, 2), 29), ((2024, 4), 30), ((2024, 12), 31)]:
            self.assertEqual(rp.days_in_month(*args), days, args)


class LogReader(unittest.TestCase):
    def test_fields(self):
        for line, fields in [("a,b,c\n", ["a", "b", "c"]), ("a,b,c", ["a", "b"]),
                             ("a,b,c,\n", ["a", "b", "c", ""]), ('"x,y",z\n', ["x,y", "z"]),
                             ('"a""b",c\n', ['a"b', "c"]), ('""\n', [""]),
                             ('ab"c,d\n', [])]:
            self.assertEqual(rp.split_fields(line), fields, line)

    def test_comment_lines_and_nul(self):
        text = rp.decode_text_stream(
            b"!x\n#x\n;x\n\tx\n\x00x\n\n \xe3\x80\x80\n1,2,3,4\r\n5,6\x007,8\n\x1a9,9\n", rp.ENGLISH)
        self.assertEqual(rp.read_log_rows(text), [[" \xe3\x80\x80"], ["1", "2", "3", "4"], ["5"]])
        japanese = rp.decode_text_stream("　x\n一x\n".encode("cp932") + b"\x81,\n", rp.JAPANESE)
        self.assertEqual(rp.read_log_rows(japanese), [["\ufffd", ""]])

    def test_numbers_and_rows(self):
        for text, value in [("12", 12), (" \t+12x", 12), ("-1", 2 ** 32 - 1), ("4294967296", 0),
                            ("", 0), ("--5", 0), ("\xa05", 0), ("\r7", 7)]:
            self.assertEqual(rp.parse_field_number(text), value, text)
        for text, value in [("4294967296", 2 ** 32), ("281474976710655", 2 ** 48 - 1),
                            ("281474976710656", 0), ("-1", 2 ** 32 - 1), (" 5000000000x", 5000000000)]:
            self.assertEqual(rp.parse_count(text), value, text)
        self.assertEqual(rp.decode_row(["20240105", "103000", "1000", "2000"]),
                         (2024, 1, 5, 10, 30, 0, 1000, 2000))
        self.assertEqual(rp.decode_row(["20240105", "93015"])[3:6], (9, 30, 15))
        for row in (["-20240105", "0"], ["20241305", "0"], ["20240105", "-1"], ["00000132", "0"], []):
            self.assertIsNone(rp.decode_row(row), row)

    def test_capture_time(self):
        rows = [["20240305", "235930"], ["20240306", "000020"], ["20240306", "000121"],
                ["20241306", "000130"], ["20240306", "000222"], ["20240306", "000222"]]
        totals = rp.aggregate(rows)
        self.assertEqual(totals.day_capture[6], 50 + 61 + 61)
        self.assertEqual((totals.year, totals.month), (2024, 3))


class Template(unittest.TestCase):
    def test_sections(self):
        text = ("x\n#HTML_Header_Start\na\rb\n#note\n c\n\n#body_main1_start body_main1_end\nlost\n"
                ";body_main1_end body_main2_start\nrow\n#body_main2_end\nout\n"
                "!body_main3_start\nt1\n#body_main3_end\n!body_main3_start\nt2\nlast")
        sections = rp.load_template(text)
        self.assertEqual(sections["html_header"], "a\nb\n c\n\n")
        self.assertEqual(sections["body_main1"], "")
        self.assertEqual(sections["body_main2"], "row\n")
        self.assertEqual(sections["body_main3"], "t1\nt2\n")

    def test_placeholders(self):
        for text, slots, filled in [
                ("$SEND$ $SEND_KB$ $SEND$", {"$SEND$": "1", "$SEND_KB$": "2"}, "1 2 1"),
                ("$send$ $FOO$", {"$SEND$": "1"}, "$send$ $FOO$"),
                ("$TITLE$DATE$", {"$DATE$": "d"}, "DATE$"),
                ("$DA$TITLE$TE$", {"$DATE$": "d"}, "d"),
                ("$TITLE$", {"$TITLE$": "$DATE$", "$DATE$": "d"}, "d"),
                ("$DATE$", {"$TITLE$": "t", "$DATE$": "$TITLE$"}, "$TITLE$"),
                ("$SEND$", {"$SEND$": "$SEND$"}, "$SEND$")]:
            self.assertEqual(rp.fill_placeholders(text, slots), filled, text)


class Page(unittest.TestCase):
    TEMPLATE = ("#html_header_start\n$TITLE$\n#body_header_start\n[$NAMETAG$]\n"
                "#body_main1_start\n$DATE$ $SEND_PER$ $SEND_H$\n#body_main3_start\n$DATE$ $SEND$\n"
                "#body_footer_start\n$TITLE$\n#html_footer_end\n").encode("cp932")

    def test_page_frame(self):
        log = b"20240301,090000,1048576,0\n20240301,090100,3145728,0\n"
        page = rp.reference_page(log, self.TEMPLATE, rp.ENGLISH).decode("latin-1")
        self.assertTrue(page.startswith("Traffic Report - Mar.2024\r\n[2024-03-day]\r\n"
                                        "01. (Fri) 100.0% 4\r\n02. (Sat) 0.0% 0\r\n"))
        self.assertEqual(page.count("[2024-03-"), 4)     # day, week, time, one day table
        self.assertIn("Total Mar.2024       4.0 MB\r\nAverage daily     132.1 KB\r\n$TITLE$\r\n", page)
        japanese = rp.reference_page(log, self.TEMPLATE, rp.JAPANESE).decode("cp932")
        self.assertIn("03月01日 (金) 100.0% 4\r\n", japanese)

    def test_no_page(self):
        self.assertIsNone(rp.reference_page(b"20240301,0,1,1\n", self.TEMPLATE, rp.ENGLISH))
        self.assertIsNone(rp.reference_page(b"20241301,0,1,1\nx\n", self.TEMPLATE, rp.ENGLISH))
        self.assertIsNone(rp.reference_page(b"", None, rp.ENGLISH))

    def test_run_surroundings(self):
        self.assertEqual(rp.page_path_of("/a/b.c/vorlix_report2024.log"), "/a/b.c/vorlix_report2024.html")
        self.assertEqual(rp.page_path_of("/a/vorlix_report.log/data"), "/a/vorlix_report.log/data.html")
        self.assertFalse(rp.log_path_accepted("/a/VORLIX_REPORT2024.LOG"))
        for environment, language in [({"LANG": "ja_JP.UTF-8"}, 0), ({"LC_ALL": "", "LANG": "ja"}, 0),
                                      ({"LC_ALL": "C", "LANG": "ja_JP"}, 1), ({}, 1),
                                      ({"LC_MESSAGES": "ja", "LANG": "C"}, 0), ({"LANG": "JA"}, 1)]:
            self.assertEqual(rp.ui_language(environment), language, environment)


if __name__ == "__main__":
    unittest.main()
