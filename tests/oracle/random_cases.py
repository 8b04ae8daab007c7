#!/usr/bin/env python3
"""Seeded generator of report logs and templates for the differential test.

make_case(seed) returns the bytes of one report log and one template.  The
same seed always gives the same bytes.  The cases lean towards the places
where a page writer goes wrong: month and day boundaries, capture-time
gaps, odd numbers, quoting, comment lines, control bytes, invalid code page
932 bytes, unusual template markers and placeholders, and very long lines.

The bytes are language-neutral: the differential test runs every case in
both languages, so the same bytes are read once as code page 932 and once as
one byte per character.

Field texts of the first four columns are kept within 19 characters, the
length up to which their integer conversion is fixed.

Run as a program to write one case:  random_cases.py SEED OUTDIR
"""

import os
import random
import sys
from dataclasses import dataclass

U32 = 1 << 32
MB = 1 << 20

SECTION_NAMES = [
    "html_header", "body_header", "body_main1", "body_main2", "body_main3",
    "body_main4", "body_main5", "body_main6", "body_main7", "body_main8",
    "body_main9", "body_footer", "html_footer",
]
# Sections that the page writes, in the order they first appear on a page.
WRITTEN_SECTIONS = ["html_header", "body_header", "body_main1", "body_main2",
                    "body_main3", "body_main4", "body_main5", "body_footer",
                    "html_footer"]

PLACEHOLDERS = [
    "$TITLE$", "$BODYTITLE$", "$NAMETAG$", "$HREFTAG$", "$DATE$", "$TIME$",
    "$SEND$", "$RECV$", "$SEND_KB$", "$RECV_KB$", "$SEND_MB$", "$RECV_MB$",
    "$SEND_GB$", "$RECV_GB$", "$SEND_PER$", "$RECV_PER$", "$SEND_H$",
    "$RECV_H$", "$CAP_TIME$", "$SEND_SPD$", "$RECV_SPD$", "$SEND_SPD_MB$",
    "$RECV_SPD_MB$", "$SEND_SPD_KBPS$", "$RECV_SPD_KBPS$", "$SEND_SPD_MBPS$",
    "$RECV_SPD_MBPS$",
]

# Texts that are not placeholders, or only become one after an earlier
# placeholder has been replaced (slot order decides).
TRICKY_PLACEHOLDERS = [
    "$send$", "$Send_KB$", "$FOO$", "$$", "$", "$SEND", "SEND$", "$$SEND$$",
    "$TITLE$DATE$", "$DATE$TITLE$", "$DA$TITLE$TE$", "$SE$TIME$ND$",
    "$TI$SEND$ME$", "$SEND_$HREFTAG$KB$", "$CAP_$TIME$TIME$", "$BODY$TITLE$",
    "$BODY$TITLE$TITLE$", "$SEND$RECV$", "$SEND_H$$RECV_H$", "$NAMETAG$$",
    "$$HREFTAG$DATE$$", "$RECV_SPD_MBPS$SEND_SPD$", "$TIME$$TIME$",
]

# Japanese texts in code page 932, including a character with two codes
# (0xFA5C and 0xED40), the wave dash, half-width katakana, the backslash
# position, and the single bytes that map to private-use characters.
JAPANESE_BYTES = [
    "日本語".encode("cp932"), "送受信量".encode("cp932"), "合計".encode("cp932"),
    "表".encode("cp932"), "ソ".encode("cp932"), "～".encode("cp932"),
    b"\xfa\x5c", b"\xed\x40", b"\x87\x40", b"\xb1\xb2\xb3", b"\x5c", b"\x7e",
    b"\xa0", b"\xfd", b"\xfe", b"\xff", b"\x80", b"\xf0\x40", b"\x81\x40",
]

# Byte sequences that are not valid code page 932.
INVALID_BYTES = [b"\x81", b"\x81\x20", b"\x85\x40", b"\x81\x7f", b"\x9f\x0d",
                 b"\xfc\xfd", b"\xa0\x81", b"\x82\x2c", b"\x82\x22", b"\xe0"]


# Environments that select the Japanese (first) or the English (second) user
# interface; None stands for a variable that is not set.
ENVIRONMENTS = (
    [{"LANG": "ja_JP.UTF-8"}, {"LANG": "ja"}, {"LC_ALL": "", "LANG": "ja_JP.eucJP"},
     {"LC_MESSAGES": "ja_JP.UTF-8", "LANG": "C"}, {"LC_ALL": "ja_JP", "LANG": "en_US"},
     {"LC_ALL": "", "LC_MESSAGES": "", "LANG": "japanese"}],
    [{"LANG": "C"}, {}, {"LANG": "en_US.UTF-8"}, {"LC_ALL": "C", "LANG": "ja_JP.UTF-8"},
     {"LC_MESSAGES": "C.UTF-8", "LANG": "ja_JP.UTF-8"}, {"LANG": "JA_JP"},
     {"LANG": " ja"}, {"LC_ALL": "", "LC_MESSAGES": "", "LANG": ""}],
)

# Log file names (relative to the program's folder) and whether the reader's
# name test accepts them is for the reference to say.
LOG_NAMES = [
    "vorlix_report.log", "vorlix_report2023.log", "old.vorlix_report2023.log",
    "vorlix_report2024.log.bak", "vorlix_report2024.log.txt", "vorlix_report2024.logx",
    "vorlix_report2024.LOG", "VORLIX_REPORT2024.log", "vorlix_report2024",
    "vorlix_report.log/data.txt", "vorlix_report.log/data", "logs.d/vorlix_report2024.log",
    "vorlix_report 2024.log", "vorlix_report.2024.log", "vorlix_report.log.html",
]


@dataclass
class Case:
    seed: object
    log: bytes
    template: bytes
    notes: list
    log_name: str = "vorlix_report2024.log"
    split_args: bool = False        # pass the log path as two words split at its blank
    relative: str = None            # pass the log path as this prefix and its relative
                                    # name ({here}: the name of the program's folder)
    old_page: bytes = None          # a page file that lies beside the log before the run
    template_present: bool = True   # False: only the other language's template exists
    environments: tuple = ({"LANG": "ja_JP.UTF-8"}, {"LANG": "C"})


def random_double_byte(rng):
    """A random lead byte and trail byte; many such pairs are unassigned."""
    lead = rng.choice(list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD)))
    trail = rng.choice(list(range(0x40, 0x7F)) + list(range(0x80, 0xFD)))
    return bytes([lead, trail])


def foreign_text(rng, length=None):
    """Some text mixing ASCII, Japanese and invalid bytes."""
    parts = []
    for _ in range(length if length is not None else rng.randint(1, 6)):
        kind = rng.random()
        if kind < 0.35:
            parts.append(rng.choice([b"abc", b"x y", b"<b>", b"&amp;", b"-", b"42"]))
        elif kind < 0.65:
            parts.append(rng.choice(JAPANESE_BYTES))
        elif kind < 0.85:
            parts.append(random_double_byte(rng))
        else:
            parts.append(rng.choice(INVALID_BYTES))
    return b"".join(parts)


# ---------------------------------------------------------------------------
# Report logs

def byte_count_text(rng):
    """Text of a sent or received field."""
    kind = rng.random()
    if kind < 0.30:
        return str(rng.randrange(0, 5000))
    if kind < 0.55:
        return str(rng.randrange(0, 3 * MB))
    if kind < 0.70:
        # Whole megabytes around the bar-scale and unit thresholds.
        mb = rng.choice([1, 149, 150, 151, 299, 300, 301, 302, 1000, 1024, 1025, 4095])
        return str(mb * MB + rng.choice([0, 0, -1, 1, 1023, 1024]))
    if kind < 0.80:
        return str(rng.randrange(0, U32))
    if kind < 0.85:
        return str(rng.choice([1024 * 1024, 1025 * 1024, 1025 * 1024 - 1, 1023,
                               U32 - 1, U32, U32 + 1, 2 * U32 + 7, 5000000000,
                               (1 << 48) - 1, 1 << 48, (1 << 48) + 5, 10 ** 15]))
    if kind < 0.90:
        return rng.choice(["-1", "-4294967295", "+77", " 12", "\t9", "12abc", "abc",
                           "", " ", "0x10", "1e3", "--5", "+-5", "\v5", "\f6", "\r7",
                           "\uf8f08", "99999999999999999"])
    if kind < 0.93:
        return '"%d"' % rng.randrange(0, 100000)
    if kind < 0.97:
        # Figures that end exactly half-way between two printed digits.
        k = rng.randrange(0, 5000)
        return str(rng.choice([k * 1024 + 256, k * 1024 + 768, (k * 1024 + 256) * 1024,
                               k * 2 ** 30 + 2 ** 27, k * 2 ** 30 + 3 * 2 ** 27,
                               k * 1024 + 512, 2 ** rng.randrange(0, 32)]))
    return str(rng.randrange(0, 100)) + rng.choice(["", " ", ".5", "MB"])


class LogWriter:
    def __init__(self, rng):
        self.rng = rng
        self.lines = []      # each without its line ending
        self.notes = set()

    def add(self, line):
        self.lines.append(line)

    def comment(self):
        rng = self.rng
        self.notes.add("comments")
        self.add(rng.choice([
            b"! monitor started", b"#date,time,sent,recv", b";" + foreign_text(rng),
            b"", b"\tindented", b"\x00after nul", b"\x05control", b"\x0f20240101,0,1,1",
            b"\r20240101,000000,9,9", b"#", b"!20240101,120000,5,5",
            "　全角の空白".encode("cp932"), "一".encode("cp932"),
        ]))


def days_in_month_of(year, month):
    if month == 2:
        return 29 if year % 4 == 0 and (year % 100 != 0 or year % 400 == 0) else 28
    return [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31][month - 1]


def date_text(year, month, day):
    return "%04d%02d%02d" % (year, month, day)


def time_text(rng, hour, minute, second):
    value = hour * 10000 + minute * 100 + second
    style = rng.random()
    if style < 0.6:
        return "%06d" % value
    if style < 0.9:
        return "%d" % value
    return rng.choice([" ", "\t", "+", " +", "\r"]) + "%d" % value


def odd_date_text(rng, year, month):
    """A date field that is unusable, or usable only in a surprising way."""
    return rng.choice([
        "-" + date_text(year, month, 1),          # negative
        date_text(year, 13, 5),                   # month 13
        date_text(year, 0, 5),                    # month 0
        "00000100", "00000132", "00000164", "00000196",   # year 0, January, day = 0 mod 32
        "00000101", "00000201", "00000229",       # year 0, usable
        "2147483648", "4294967296", "",           # wrap to negative or zero
        str(U32 + int(date_text(year, month, 3))),  # wraps back to a real date
        date_text(year, month, 7) + "99",         # more than 8 digits
        "  +" + date_text(year, month, 2),
        '"' + date_text(year, month, 4) + '"',
        '"' + date_text(year, month, 4)[:4] + '""' + date_text(year, month, 4)[4:] + '"',
        "date", "２０２４０１０５", "\u3000" + date_text(year, month, 6),
    ])


def make_log(rng):
    log = LogWriter(rng)
    year = rng.choice([2024, 2023, 2000, 1900, 2025, 0, 9999, rng.randint(1, 9999)])
    month = rng.randint(1, 12)
    if rng.random() < 0.15:
        log.add(b"date,time,sent,recv")
        log.notes.add("header line")

    if rng.random() < 0.05:
        # Equal counts spread over 8, 16 or 32 hours: shares such as 6.25%
        # that end exactly half-way between two printed digits.
        count = rng.choice([8, 16, 32])
        value = rng.choice([1, 1000, 3 * MB, 7 * 2 ** 29])
        for i in range(count):
            log.add(b"%s,%02d0000,%d,%d" % (date_text(year, month, 1 + i // 24).encode(),
                                           i % 24, value, value * rng.choice([1, 3])))
        log.notes.add("equal shares")
        return finish_lines(rng, log.lines, log.notes), log.notes

    if rng.random() < 0.005:
        # A whole month at one-minute intervals, as the monitor writes it.
        for minute in range(days_in_month_of(year, month) * 1440):
            log.add(b"%s,%02d%02d00,%d,%d" % (
                date_text(year, month, 1 + minute // 1440).encode(),
                minute // 60 % 24, minute % 60, rng.randrange(0, 50000000),
                rng.randrange(0, 500000000)))
        log.notes.add("whole month")
        return finish_lines(rng, log.lines, log.notes), log.notes

    shape = rng.random()
    if shape < 0.06:
        target_rows = rng.randint(0, 1)
        log.notes.add("fewer than two rows")
    elif shape < 0.5:
        target_rows = rng.randint(2, 60)
    elif shape < 0.95:
        target_rows = rng.randint(60, 700)
    else:
        target_rows = rng.randint(700, 2500)

    # Walk through the month in segments of one interval each.
    day = rng.choice([1, 1, 1, rng.randint(0, 31)])
    seconds = rng.randrange(0, 86400)
    interval = 60
    written = 0
    while written < target_rows:
        if rng.random() < 0.08:
            interval = rng.choice([1, 30, 59, 60, 60, 61, 62, 119, 600, 3600, 0, -60, -86400,
                                   rng.randint(1, 200000)])
        seconds += interval
        if seconds < 0:
            seconds = rng.randrange(0, 86400)
        day_of_row = day + seconds // 86400
        second_of_day = seconds % 86400
        hour, minute, second = second_of_day // 3600, second_of_day // 60 % 60, second_of_day % 60
        row_year, row_month = year, month
        roll = rng.random()
        if roll < 0.02:
            hour = rng.randint(24, 99)           # hours past the day
            log.notes.add("odd time")
        elif roll < 0.04:
            minute, second = rng.randint(0, 99), rng.randint(0, 99)
            log.notes.add("odd time")
        elif roll < 0.05:
            row_month = rng.randint(1, 12)       # a row of another month
            row_year = rng.choice([year, year + 1 if year < 9999 else year])
            log.notes.add("other months")
        if day_of_row > 99:
            day_of_row = rng.randint(0, 99)
        date = date_text(row_year, row_month, day_of_row)
        time = time_text(rng, hour, minute, second)
        fields = [date, time, byte_count_text(rng), byte_count_text(rng)]
        roll = rng.random()
        if roll < 0.03:
            fields[0] = odd_date_text(rng, year, month)
            log.notes.add("odd dates")
        elif roll < 0.05:
            fields[1] = rng.choice(["-1", "-093015", "2147483648", "1234567", "250000",
                                    str(U32 + 93015), "", "noon"])
            log.notes.add("odd time")
        elif roll < 0.07:
            del fields[rng.randint(1, 3):]
            log.notes.add("short rows")
        elif roll < 0.10:
            fields.append(rng.choice(["x", "", '"a,b"', '"q""q"', "extra"]))
        line = ",".join(fields).encode("cp932")
        roll = rng.random()
        if roll < 0.03:
            line += b"," + foreign_text(rng)
            log.notes.add("foreign text")
        elif roll < 0.04:
            cut = rng.randint(0, len(line))
            line = line[:cut] + b"\x00" + line[cut:]
            log.notes.add("nul")
        elif roll < 0.05:
            cut = rng.randint(0, len(line))
            line = line[:cut] + b"\r" + line[cut:]
            log.notes.add("lone cr")
        elif roll < 0.06:
            cut = rng.randint(1, len(line))
            line = line[:cut] + b'"' + line[cut:]
            log.notes.add("quotes")
        elif roll < 0.065:
            line = b" " + line
        elif roll < 0.07:
            line += b"," + b"x" * rng.randint(2040, 4200)
            log.notes.add("long line")
        elif roll < 0.075:
            line = rng.choice(INVALID_BYTES + [b"\x80", b"\xa0"]) + line
            log.notes.add("invalid bytes")
        log.add(line)
        written += 1
        if rng.random() < 0.03:
            log.comment()
        if rng.random() < 0.005:
            log.add(rng.choice([b"#" + b"c" * rng.randint(2040, 5000),
                                b"1" * 19 + b"," + b"y" * rng.randint(2040, 5000),
                                b"20240101,1,1,1," + foreign_text(rng, rng.randint(800, 1500)),
                                foreign_text(rng, rng.randint(800, 1500))]))
            log.notes.add("long line")

    if rng.random() < 0.03:
        # A row whose stamp is 0 (day 00 at midnight) is no previous stamp
        # for the row after it.
        at = rng.randint(0, len(log.lines))
        log.lines[at:at] = [date_text(year, month, 0).encode() + b",0,5,5",
                            date_text(year, month, 0).encode() + b",30,7,7",
                            date_text(year, month, 0).encode() + b",100,9,9"]
        log.notes.add("zero stamp")

    if rng.random() < 0.004:
        # More rows than the table holds: the rows beyond its capacity must
        # not count (here they would change the month).
        filler = date_text(year, month, 2).encode() + b",120000,1,1"
        log.lines.extend([filler] * 65535)
        log.lines.append(date_text(year, month % 12 + 1, 3).encode() + b",130000,5,5")
        log.notes.add("over capacity")

    return finish_lines(rng, log.lines, log.notes), log.notes


def finish_lines(rng, lines, notes):
    """Join lines with LF or CR LF, maybe drop the final line feed, maybe
    end the text early with 0x1A."""
    crlf_style = rng.random()
    out = []
    for line in lines:
        if crlf_style < 0.5:
            end = b"\n"
        elif crlf_style < 0.8:
            end = b"\r\n"
        else:
            end = rng.choice([b"\n", b"\r\n", b"\r\r\n"])
        out.append(line + end)
    data = b"".join(out)
    if data and rng.random() < 0.2:
        data = data[:-1] if data.endswith(b"\n") else data
        notes.add("no final line feed")
    if data and rng.random() < 0.05:
        cut = rng.randint(len(data) * 3 // 4, len(data))
        data = data[:cut] + b"\x1a" + data[cut:]
        notes.add("end-of-file byte")
    return data


# ---------------------------------------------------------------------------
# Templates

def marker_text(rng, name):
    """A section marker in random letter case."""
    style = rng.random()
    if style < 0.5:
        return name
    if style < 0.7:
        return name.upper()
    return "".join(c.upper() if rng.random() < 0.5 else c for c in name)


def directive(rng, *markers):
    lead = rng.choice([b"!", b"#", b";", b"#", b"!--"])
    around = rng.choice([b"", b" ", b"-- ", b"<!-- ", b" x "])
    body = b" ".join(m.encode() for m in markers)
    return lead + around + body + rng.choice([b"", b" -->", b" end", b"\t"])


def content_line(rng, section):
    parts = []
    for _ in range(rng.randint(1, 5)):
        kind = rng.random()
        if kind < 0.45:
            parts.append(rng.choice(PLACEHOLDERS).encode())
        elif kind < 0.55:
            parts.append(rng.choice(TRICKY_PLACEHOLDERS).encode())
        elif kind < 0.75:
            parts.append(rng.choice([b"<td>", b"</td>", b"<tr>", b"<a href=\"#", b"\">",
                                      b" ", b"text", b"<img height=", b"%", b"%s", b"\\n"]))
        elif kind < 0.85:
            parts.append(foreign_text(rng, 2))
        elif kind < 0.88:
            parts.append(b"\r")          # a lone CR splits the line
        elif kind < 0.90:
            parts.append(b"\x00")        # the rest of the line is not seen
        elif kind < 0.95:
            parts.append(section.encode())
        else:
            # Markers count only on directive lines.
            parts.append(b"<!-- " + rng.choice(SECTION_NAMES).encode()
                         + rng.choice([b"_start", b"_end"]) + b" -->")
    line = b"".join(parts)
    roll = rng.random()
    if roll < 0.05:
        line = b" #" + line              # a content line despite the '#'
    elif roll < 0.08:
        line = rng.choice([b"\t", b" ", b"\x05"]) + line
    return line


def make_template(rng):
    notes = set()
    lines = []
    if rng.random() < 0.3:
        lines.append(b"<!-- content before any section is dropped $TITLE$ -->")
    order = list(SECTION_NAMES)
    if rng.random() < 0.3:
        rng.shuffle(order)
        notes.add("sections out of order")
    for name in order:
        if name not in WRITTEN_SECTIONS and rng.random() < 0.6:
            continue
        if rng.random() < 0.05:
            notes.add("missing section")
            continue
        for _block in range(rng.choice([1, 1, 1, 2])):
            lines.append(directive(rng, marker_text(rng, name + "_start")))
            small = name in ("body_main1", "body_main2")
            for _ in range(rng.randint(0, 2 if small else 4)):
                roll = rng.random()
                if roll < 0.07:
                    lines.append(rng.choice([b"#hidden { color: red }", b";x", b"!",
                                             b"# " + foreign_text(rng)]))
                elif roll < 0.12:
                    lines.append(b"")
                elif roll < 0.14:
                    lines.append(b"\x00hidden")
                elif roll < 0.15:
                    lines.append(b"<p>" + b"w" * rng.randint(4090, 4200) + b"$DATE$</p>")
                    notes.add("long line")
                elif roll < 0.16:
                    lines.append(b"<p>" + foreign_text(rng, rng.randint(1500, 3000)) + b"$TIME$")
                    notes.add("long line")
                else:
                    lines.append(content_line(rng, name))
            roll = rng.random()
            if roll < 0.7:
                end = name + "_end"
            elif roll < 0.85:
                end = rng.choice(SECTION_NAMES) + "_end"       # any end marker ends
                notes.add("mismatched end")
            else:
                end = None                                      # next start switches
            if end:
                lines.append(directive(rng, marker_text(rng, end)))
            if rng.random() < 0.1:
                lines.append(b"between sections: dropped")
    # Odd directive lines somewhere in the file.
    for _ in range(rng.choice([0, 0, 1, 2, 3])):
        a, b = rng.choice(SECTION_NAMES), rng.choice(SECTION_NAMES)
        kind = rng.random()
        if kind < 0.3:
            line = directive(rng, a + "_start", a + "_end")      # end is tested later
        elif kind < 0.6:
            line = directive(rng, a + "_end", b + "_start")
        elif kind < 0.7:
            line = directive(rng, b + "_start", a + "_start")    # fixed order decides
        elif kind < 0.8:
            # A lone CR inside a directive does not end it; the marker after
            # it still counts, a marker broken by it does not.
            # A NUL ends what the directive shows.
            line = rng.choice([b"#x\r" + a.encode() + b"_start",
                               b";" + a.encode() + b"\r_start",
                               b"!" + a.encode() + b"_start\rcontent",
                               b"#\x00" + a.encode() + b"_start",
                               b"#" + a.encode() + b"_start\x00" + b.encode() + b"_end"])
        else:
            line = b"#" + b"z" * rng.randint(4090, 4200) + a.encode() + b"_start"
            notes.add("long line")
        lines.insert(rng.randint(0, len(lines)), line)
        notes.add("odd markers")
    return finish_lines(rng, lines, notes), notes


def garbage(rng, markers):
    """Random bytes, rich in line breaks and, for templates, section markers."""
    pieces = []
    for _ in range(rng.randint(1, 400)):
        roll = rng.random()
        if roll < 0.15:
            pieces.append(rng.choice([b"\n", b"\r\n", b"\r", b",", b'"']))
        elif roll < 0.2 and markers:
            pieces.append(b"\n#" + rng.choice(SECTION_NAMES).encode()
                          + rng.choice([b"_start\n", b"_end\n"]))
        elif roll < 0.3:
            pieces.append(b"\n" + date_text(2024, rng.randint(1, 12),
                                             rng.randint(1, 31)).encode() + b",")
        elif roll < 0.4:
            pieces.append(rng.choice(PLACEHOLDERS).encode())
        else:
            pieces.append(bytes(rng.randrange(256) for _ in range(rng.randint(1, 12))))
    return b"".join(pieces)


def make_case(seed):
    rng = random.Random(seed)
    if rng.random() < 0.02:
        return Case(seed, garbage(rng, False), garbage(rng, True), ["garbage"])
    log, log_notes = make_log(rng)
    template, template_notes = make_template(rng)
    case = Case(seed, log, template, sorted(log_notes | template_notes))
    if rng.random() < 0.15:
        case.log_name = rng.choice(LOG_NAMES)
        case.split_args = " " in case.log_name and rng.random() < 0.5
        case.notes.append("log name")
    if rng.random() < 0.1:
        case.relative = rng.choice(["", "./", "../{here}/"])
        case.notes.append("relative path")
    if rng.random() < 0.3:
        case.old_page = b"old page\r\n" * rng.randint(1, 3000)
        case.notes.append("old page")
    if rng.random() < 0.01:
        case.template_present = False
        case.notes.append("template missing")
    if rng.random() < 0.2:
        case.environments = (rng.choice(ENVIRONMENTS[0]), rng.choice(ENVIRONMENTS[1]))
    return case


def straddling_template(shift):
    """A template whose footer puts CR LF pairs, double-byte characters and
    invalid lead bytes across the offsets 2**k - 1 + shift (k = 9 .. 20)."""
    data = bytearray(b"#html_footer_start\n")
    specials = [b"\r\n", "表".encode("cp932"), b"\x81\r\n", b"\xfa\x5c", b"\r\r\n"]
    for k in range(9, 21):
        target = (1 << k) - 1 + shift
        while len(data) < target - 80:
            data += b"x" * 60 + "日本".encode("cp932") + b"\r\n"
        data += b"y" * (target - len(data))
        data += specials[k % len(specials)] + b"z\n"
    return bytes(data)


def fixed_cases():
    """Cases that random seeds reach too rarely."""
    two_rows = b"20240301,120000,1000,2000\n20240301,120100,3000,4000\n"
    cases = []

    # Every byte pair that could be a double-byte character, and every single
    # byte: the decoding and the writing back of the whole code page.
    lines = [b"!html_header_start"]
    trails = [t for t in range(0x01, 0x100) if t not in (0x0A, 0x0D, 0x1A)]
    for lead in list(range(0x80, 0xA0)) + list(range(0xE0, 0x100)):
        lines.append(b"<p>" + b"|".join(bytes([lead, t]) for t in trails))
    lines.append(b"<p>" + b"|".join(bytes([t]) for t in trails))
    cases.append(Case("code page", two_rows, b"\n".join(lines) + b"\n", ["code page"]))

    # The largest table: every row at the largest byte count, one second
    # apart, and rows beyond the capacity that would change the month.
    rows = []
    for second in range(65535):
        hhmmss = second // 3600 * 10000 + second // 60 % 60 * 100 + second % 60
        rows.append(b"20240115,%06d,4294967295,4294967295\n" % hhmmss)
    rows.append(b"20240201,120000,1,1\n")
    template = (b"#html_header_start\n$TITLE$\n#body_header_start\n$BODYTITLE$\n"
                b"#body_main1_start\n$DATE$ $SEND$ $SEND_H$\n#body_main2_start\n"
                b"$TIME$ $RECV$ $RECV_PER$ $RECV_H$\n#body_main3_start\n"
                b"$DATE$ $SEND$ $SEND_GB$ $SEND_H$ $RECV_H$\n#body_main4_start\n$CAP_TIME$\n"
                b"#body_main5_start\n$SEND_SPD$ $RECV_SPD_MBPS$\n#body_main5_end\n")
    cases.append(Case("full table", b"".join(rows), template, ["over capacity"]))

    # Line ends and double-byte characters astride every power-of-two
    # offset of the template, where a buffered reader cuts its input.
    for shift, name in ((0, "boundaries"), (1, "boundaries shifted")):
        cases.append(Case(name, two_rows, straddling_template(shift), ["boundaries"]))

    # Templates without any section text.
    cases.append(Case("empty template", two_rows, b"", ["empty template"]))
    cases.append(Case("directives only", two_rows,
                      b"#html_header_start\n;body_main1_start\n!html_footer_start", []))
    return cases


def main(argv):
    if len(argv) != 3:
        print("usage: random_cases.py SEED OUTDIR", file=sys.stderr)
        return 2
    case = make_case(int(argv[1]))
    os.makedirs(argv[2], exist_ok=True)
    with open(os.path.join(argv[2], "vorlix_report2024.log"), "wb") as f:
        f.write(case.log)
    with open(os.path.join(argv[2], "template.txt"), "wb") as f:
        f.write(case.template)
    print("seed %d: %s" % (case.seed, ", ".join(case.notes) or "plain"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
