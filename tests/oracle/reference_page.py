#!/usr/bin/env python3
"""Reference model of the report page that zintor writes.

This is a second, deliberately plain implementation of the whole road from a
report log and a template to the bytes of the page: the text streams, the log
reader, the aggregation, the template sections, the placeholder filling, the
value formats and the page frame with its four kinds of table.  It favours
obviousness over speed and shares no code with the engine, so that the
randomized differential test (differential.py) can compare the two byte for
byte.

Use as a library:

    page = reference_page(log_bytes, template_bytes, language)

where language is JAPANESE (0, code page 932 text) or ENGLISH (1, one byte
per character); the result is the page's bytes, or None when no page is
written.  Use as a program:

    reference_page.py LOG TEMPLATE --lang ja|en [-o PAGE]
"""

import argparse
import re
import sys

JAPANESE = 0
ENGLISH = 1

LOG_ROW_CAPACITY = 65535

MONTH_ABBREVIATIONS = ["---", "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
# Indexed by language * 7 + weekday, weekday 0 = Sunday.
WEEKDAY_NAMES = ["日", "月", "火", "水", "木", "金", "土",
                 "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"]
# Hours, minutes, seconds words of durations, per language.
DURATION_WORDS = [("時間", "分", "秒"), ("h ", "m ", "s ")]

MONTH_OFFSETS = [0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4]
MONTH_LENGTHS = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]

# The 27 placeholders in slot order, which is also the order of replacement.
PLACEHOLDERS = [
    "$TITLE$", "$BODYTITLE$", "$NAMETAG$", "$HREFTAG$", "$DATE$", "$TIME$",
    "$SEND$", "$RECV$", "$SEND_KB$", "$RECV_KB$", "$SEND_MB$", "$RECV_MB$",
    "$SEND_GB$", "$RECV_GB$", "$SEND_PER$", "$RECV_PER$", "$SEND_H$",
    "$RECV_H$", "$CAP_TIME$", "$SEND_SPD$", "$RECV_SPD$", "$SEND_SPD_MB$",
    "$RECV_SPD_MB$", "$SEND_SPD_KBPS$", "$RECV_SPD_KBPS$", "$SEND_SPD_MBPS$",
    "$RECV_SPD_MBPS$",
]

# Template sections in file order; section number = index + 1.
SECTION_NAMES = [
    "html_header", "body_header", "body_main1", "body_main2", "body_main3",
    "body_main4", "body_main5", "body_main6", "body_main7", "body_main8",
    "body_main9", "body_footer", "html_footer",
]

U32 = 1 << 32


# ---------------------------------------------------------------------------
# Text streams

def codec_of(language):
    """Byte encoding of the text streams for a user-interface language."""
    return "cp932" if language == JAPANESE else "latin-1"


def decode_text_stream(data, language):
    """Bytes of a log or template as the program's text stream reads them.

    A byte 0x1A ends the input, a CR LF pair becomes LF (a lone CR stays),
    and only then are the bytes decoded.  An invalid code page 932 sequence
    becomes U+FFFD, consuming only its lead byte.
    """
    end = data.find(b"\x1a")
    if end >= 0:
        data = data[:end]
    data = data.replace(b"\r\n", b"\n")
    return data.decode(codec_of(language), "replace")


def encode_page(text, language):
    """Page text to bytes: LF written as CR LF, unrepresentable characters as '?'."""
    return text.replace("\n", "\r\n").encode(codec_of(language), "replace")


def split_lines(text):
    """Lines as a line-by-line reader yields them, each with its line feed
    when it has one; a final line without a line feed is still a line.
    Only LF ends a line (str.splitlines would also split at CR and others)."""
    lines = [piece + "\n" for piece in text.split("\n")]
    lines[-1] = lines[-1][:-1]
    if lines[-1] == "":
        lines.pop()
    return lines


def until_nul(text):
    """A line as a NUL-terminated buffer sees it."""
    nul = text.find("\0")
    return text if nul < 0 else text[:nul]


# ---------------------------------------------------------------------------
# The log reader

def is_log_comment(line):
    first = line[0]
    return first in "!#;" or (ord(first) & 0x00F0) == 0


def unquote(field):
    if '"' not in field:
        return field
    field = field.replace('""', '"')
    if field.startswith('"'):
        field = field[1:]
    if field.endswith('"'):
        field = field[:-1]
    return field


def split_fields(line):
    """Fields of a data line (already cut at its first NUL).

    Commas and the line feed end a field unless a double quote has opened a
    quoted stretch; text after the last field terminator is not a field.
    """
    if '"' not in line:
        pieces = line.split(",")
        if pieces[-1].endswith("\n"):
            pieces[-1] = pieces[-1][:-1]
        else:
            pieces.pop()
        return pieces
    fields = []
    current = []
    quoted = False
    for ch in line:
        if ch == '"':
            quoted = not quoted
            current.append(ch)
        elif ch in ",\n" and not quoted:
            fields.append(unquote("".join(current)))
            current = []
        else:
            current.append(ch)
    return fields


def read_log_rows(text):
    """The rows (lists of field texts) of a decoded report log."""
    rows = []
    for line in split_lines(text):
        if is_log_comment(line):
            continue
        rows.append(split_fields(until_nul(line)))
        if len(rows) == LOG_ROW_CAPACITY:
            break
    return rows


# ---------------------------------------------------------------------------
# Numbers and the calendar

def parse_field_number(text):
    """Integer of a field text, modulo 2**32 (0 .. 2**32 - 1).

    Leading ASCII white space and one sign are allowed; reading stops at the
    first character that is not an ASCII digit; no digits give 0.
    """
    i = 0
    while i < len(text) and text[i] in " \t\n\v\f\r":
        i += 1
    negative = False
    if i < len(text) and text[i] in "+-":
        negative = text[i] == "-"
        i += 1
    value = 0
    while i < len(text) and "0" <= text[i] <= "9":
        value = (value * 10 + ord(text[i]) - 48) % U32
        i += 1
    return (-value) % U32 if negative else value


def parse_count(text):
    """Integer of a byte count field: read exactly when it is 0 .. 2**48 - 1,
    otherwise (negative, or 2**48 and more) as parse_field_number reads it."""
    i = 0
    while i < len(text) and text[i] in " \t\n\v\f\r":
        i += 1
    negative = i < len(text) and text[i] == "-"
    if i < len(text) and text[i] in "+-":
        i += 1
    value = 0
    while i < len(text) and "0" <= text[i] <= "9":
        value = value * 10 + ord(text[i]) - 48
        i += 1
    if negative or value >= 1 << 48:
        return parse_field_number(text)
    return value


def as_int32(value):
    return value - U32 if value >= 1 << 31 else value


def c_div(a, b):
    """Integer division truncating toward zero, as in C."""
    q = abs(a) // abs(b)
    return q if (a >= 0) == (b >= 0) else -q


def c_mod(a, b):
    return a - c_div(a, b) * b


def day_of_week(year, month, day):
    y = year - 1 if month < 3 else year
    total = (y + c_div(y, 4) - c_div(y, 100) + c_div(y, 400)
             + MONTH_OFFSETS[month - 1] + day)
    return c_mod(total, 7)


def days_in_month(year, month):
    if month == 2 and year % 4 == 0 and (year % 100 != 0 or year % 400 == 0):
        return 29
    return MONTH_LENGTHS[month - 1]


def field(row, k):
    return row[k] if k < len(row) else ""


def decode_row(row):
    """(year, month, day, hour, minute, second, sent, received) of a row, or
    None when the row is unusable (negative date or time, month outside
    1..12, or a negative weekday sum)."""
    date = as_int32(parse_field_number(field(row, 0)))
    time = as_int32(parse_field_number(field(row, 1)))
    if date < 0 or time < 0:
        return None
    date_text = "%08d" % date
    year, month, day = int(date_text[0:4]), int(date_text[4:6]), int(date_text[6:8])
    if not 1 <= month <= 12:
        return None
    if day_of_week(year, month, day % 32) < 0:
        return None
    time_text = "%06d" % time
    hour, minute, second = int(time_text[0:2]), int(time_text[2:4]), int(time_text[4:6])
    sent = parse_count(field(row, 2))
    received = parse_count(field(row, 3))
    return year, month, day, hour, minute, second, sent, received


# ---------------------------------------------------------------------------
# Aggregation

class Totals:
    """The accumulators of one report run."""

    def __init__(self):
        self.day_send = [0] * 33
        self.day_recv = [0] * 33
        self.day_capture = [0] * 33
        self.hour_send = [0] * 25
        self.hour_recv = [0] * 25
        self.day_hour_send = [[0] * 25 for _ in range(32)]
        self.day_hour_recv = [[0] * 25 for _ in range(32)]
        self.weekday_send = [0] * 8
        self.weekday_recv = [0] * 8
        self.year = None
        self.month = None


def aggregate(rows):
    totals = Totals()
    previous_stamp = 0
    for row in rows:
        decoded = decode_row(row)
        if decoded is None:
            continue
        year, month, day, hour, minute, second, sent, received = decoded
        d, h = day % 32, hour % 24
        w = day_of_week(year, month, d)
        for index, array, value in (
                (d, totals.day_send, sent), (32, totals.day_send, sent),
                (d, totals.day_recv, received), (32, totals.day_recv, received),
                (h, totals.hour_send, sent), (24, totals.hour_send, sent),
                (h, totals.hour_recv, received), (24, totals.hour_recv, received),
                (h, totals.day_hour_send[d], sent), (24, totals.day_hour_send[d], sent),
                (h, totals.day_hour_recv[d], received), (24, totals.day_hour_recv[d], received),
                (w, totals.weekday_send, sent), (7, totals.weekday_send, sent),
                (w, totals.weekday_recv, received), (7, totals.weekday_recv, received)):
            array[index] += value
        stamp = day * 86400 + hour * 3600 + minute * 60 + second
        if previous_stamp > 0 and 1 <= stamp - previous_stamp <= 61:
            totals.day_capture[d] += stamp - previous_stamp
            totals.day_capture[32] += stamp - previous_stamp
        previous_stamp = stamp
        totals.year, totals.month = year, month
    return totals


# ---------------------------------------------------------------------------
# Value formats

def format_size(count, code):
    kb = c_div(count, 1024)
    if code == 0:
        if kb < 0 or kb <= 1024:
            return "%9.1f KB" % (count / 1024.0)
        if kb <= 1 << 20:
            return "%9.1f MB" % (kb / 1024.0)
        mb = c_div(kb, 1024)
        if kb <= 1 << 30:
            return "%9.2f GB" % (mb / 1024.0)
        return "%9.2f TB" % (mb / 1048576.0)
    if code == 1:
        return "%9.1f KB" % (count / 1024.0)
    if code == 2:
        return "%9.1f MB" % (kb / 1024.0)
    return "%9.2f GB" % (kb / 1048576.0)


def format_rate(rate, code):
    formats = [("%9.2f KB/s", 2.0 ** -10), ("%9.3f MB/s", 2.0 ** -20),
               ("%9.2f Kbps", 2.0 ** -7), ("%9.3f Mbps", 2.0 ** -17)]
    text, factor = formats[code]
    return text % (rate * factor)


def format_duration(seconds, language):
    hours_word, minutes_word, seconds_word = DURATION_WORDS[language]
    hours = seconds // 3600
    if hours >= 1:
        return "%d%s%02d%s%02d%s" % (hours, hours_word, (seconds // 60) % 60,
                                     minutes_word, seconds % 60, seconds_word)
    if seconds // 60 >= 1:
        return "%02d%s%02d%s" % ((seconds // 60) % 60, minutes_word,
                                 seconds % 60, seconds_word)
    return "%02d%s" % (seconds % 60, seconds_word)


def whole_megabytes(count):
    return ((count // 1024) // 1024) % U32


def share_text(value, total):
    share = 0.0 if value == 0 or total == 0 else float(value) / float(total) * 100.0
    return "%3.1f%%" % share


def bar_scale(megabyte_values):
    largest = max(megabyte_values, default=0)
    scale = 1
    while largest // scale > 150 and scale < 1 << 21:
        scale *= 2
    return scale


def bar_text(megabytes, scale):
    q = megabytes // scale
    return "200" if q > 200 else "%d" % q


# ---------------------------------------------------------------------------
# Template

MARKERS = []
for _number, _name in enumerate(SECTION_NAMES, start=1):
    MARKERS.append((_name + "_start", _number))
    MARKERS.append((_name + "_end", 0))

_LINE_BREAKS = re.compile("[\r\n]")


def ascii_lower(text):
    return text.translate({c: c + 32 for c in range(ord("A"), ord("Z") + 1)})


def load_template(text):
    """The thirteen sections, by name, of a decoded template."""
    sections = {name: [] for name in SECTION_NAMES}
    current = 0
    for line in split_lines(text):
        if line[0] in "!#;":
            # A directive line: the markers it holds, tested in a fixed
            # order, decide the current section; the last one found wins.
            lowered = ascii_lower(until_nul(line))
            for marker, number in MARKERS:
                if marker in lowered:
                    current = number
        elif current:
            # Every CR or LF closes a piece; text after the last one is lost.
            pieces = _LINE_BREAKS.split(until_nul(line))
            target = sections[SECTION_NAMES[current - 1]]
            for piece in pieces[:-1]:
                target.append(piece + "\n")
    return {name: "".join(parts) for name, parts in sections.items()}


def fill_placeholders(section_text, slots):
    """Replace the placeholders in slot order; text inserted for one
    placeholder is seen by the later ones, never by itself or earlier ones."""
    text = section_text
    for placeholder in PLACEHOLDERS:
        text = text.replace(placeholder, slots.get(placeholder, ""))
    return text


# ---------------------------------------------------------------------------
# The page

class PageWriter:
    def __init__(self, sections, language, totals):
        self.sections = sections
        self.language = language
        self.english = language == ENGLISH
        self.year = totals.year
        self.month = totals.month
        self.abbreviation = MONTH_ABBREVIATIONS[totals.month]
        self.totals = totals
        self.out = []

    def write(self, section, slots):
        self.out.append(fill_placeholders(self.sections[section], slots))

    def write_raw(self, section):
        self.out.append(self.sections[section])

    def size_slots(self, slots, sent, received):
        for code, suffix in enumerate(("", "_KB", "_MB", "_GB")):
            slots["$SEND%s$" % suffix] = format_size(sent, code)
            slots["$RECV%s$" % suffix] = format_size(received, code)

    def heading(self, title, name_tag):
        self.write("body_header", {"$BODYTITLE$": title, "$NAMETAG$": name_tag})

    def table_row(self, section, label_slot, label, sent, received,
                  sent_total, received_total, scale, extra=None):
        slots = {label_slot: label}
        if extra:
            slots.update(extra)
        self.size_slots(slots, sent, received)
        slots["$SEND_PER$"] = share_text(sent, sent_total)
        slots["$RECV_PER$"] = share_text(received, received_total)
        slots["$SEND_H$"] = bar_text(whole_megabytes(sent), scale)
        slots["$RECV_H$"] = bar_text(whole_megabytes(received), scale)
        self.write(section, slots)

    def closing_rows(self, label, sent, received, rate_sent, rate_received,
                     capture, scale, after_total=None):
        slots = {"$DATE$": label}
        self.size_slots(slots, sent, received)
        slots["$SEND_H$"] = bar_text(whole_megabytes(sent), scale)
        slots["$RECV_H$"] = bar_text(whole_megabytes(received), scale)
        self.write("body_main3", slots)
        if after_total:
            after_total()
        self.write("body_main4",
                   {"$CAP_TIME$": format_duration(capture % U32, self.language)})
        slots = {}
        if capture > 0:
            send_rate = float(rate_sent) / float(capture)
            receive_rate = float(rate_received) / float(capture)
        else:
            send_rate = receive_rate = 0.0
        for code, suffix in enumerate(("", "_MB", "_KBPS", "_MBPS")):
            slots["$SEND_SPD%s$" % suffix] = format_rate(send_rate, code)
            slots["$RECV_SPD%s$" % suffix] = format_rate(receive_rate, code)
        self.write("body_main5", slots)
        self.write_raw("body_footer")

    def month_total_label(self):
        if self.english:
            return "Total %s.%04d" % (self.abbreviation, self.year)
        return "%04d年%02d月 合計" % (self.year, self.month)

    def page_start(self):
        if self.english:
            title = "Traffic Report - %s.%04d" % (self.abbreviation, self.year)
        else:
            title = "Traffic Report - %04d年%02d月" % (self.year, self.month)
        self.write("html_header", {"$TITLE$": title})

    def daily_table(self):
        t, y, m = self.totals, self.year, self.month
        if self.english:
            title = "Daily Reports %s.%04d" % (self.abbreviation, y)
        else:
            title = "%04d年%02d月の日別送受信量" % (y, m)
        self.heading(title, "%04d-%02d-day" % (y, m))
        scale = bar_scale([whole_megabytes(v)
                           for v in t.day_send[1:32] + t.day_recv[1:32]])
        rows = 0
        for i in range(1, max(1, min(31, days_in_month(y, m))) + 1):
            w = day_of_week(y, m, i)
            if self.english:
                label = "%02d. (%s)" % (i, WEEKDAY_NAMES[7 + w])
            else:
                label = "%02d月%02d日 (%s)" % (m, i, WEEKDAY_NAMES[w])
            self.table_row("body_main1", "$DATE$", label, t.day_send[i], t.day_recv[i],
                           t.day_send[32], t.day_recv[32], scale,
                           extra={"$NAMETAG$": "%04d-%02d-%02d" % (y, m, i)})
            rows += 1
        sent, received = t.day_send[32], t.day_recv[32]

        def average_row():
            slots = {"$DATE$": "Average daily" if self.english else "1日あたりの平均"}
            self.size_slots(slots, sent // rows, received // rows)
            slots["$SEND_H$"] = bar_text(whole_megabytes(sent) // rows, scale)
            slots["$RECV_H$"] = bar_text(whole_megabytes(received) // rows, scale)
            self.write("body_main3", slots)

        self.closing_rows(self.month_total_label(), sent, received, sent, received,
                          t.day_capture[32], scale, after_total=average_row)

    def weekday_table(self):
        t, y, m = self.totals, self.year, self.month
        if self.english:
            title = "Weekly Reports %s.%04d" % (self.abbreviation, y)
        else:
            title = "%04d年%02d月の曜日別送受信量" % (y, m)
        self.heading(title, "%04d-%02d-week" % (y, m))
        scale = bar_scale([whole_megabytes(v)
                           for v in t.weekday_send[0:7] + t.weekday_recv[0:7]])
        for w in range(7):
            if self.english:
                label = WEEKDAY_NAMES[7 + w]
            else:
                label = "%s曜日" % WEEKDAY_NAMES[w]
            self.table_row("body_main2", "$TIME$", label, t.weekday_send[w],
                           t.weekday_recv[w], t.weekday_send[7], t.weekday_recv[7], scale)
        self.closing_rows(self.month_total_label(), t.weekday_send[7], t.weekday_recv[7],
                          t.day_send[32], t.day_recv[32], t.day_capture[32], scale)

    def hour_label(self, h):
        if self.english:
            return "%02d:00 - %02d:59" % (h, h)
        return "%02d:00～%02d:59" % (h, h)

    def hour_table(self):
        t, y, m = self.totals, self.year, self.month
        if self.english:
            title = "Hourly Reports %s.%04d" % (self.abbreviation, y)
        else:
            title = "%04d年%02d月の時間別送受信量" % (y, m)
        self.heading(title, "%04d-%02d-time" % (y, m))
        scale = bar_scale([whole_megabytes(v)
                           for v in t.hour_send[0:24] + t.hour_recv[0:24]])
        for h in range(24):
            self.table_row("body_main2", "$TIME$", self.hour_label(h), t.hour_send[h],
                           t.hour_recv[h], t.hour_send[24], t.hour_recv[24], scale)
        self.closing_rows(self.month_total_label(), t.hour_send[24], t.hour_recv[24],
                          t.day_send[32], t.day_recv[32], t.day_capture[32], scale)

    def day_tables(self):
        t, y, m = self.totals, self.year, self.month
        for d in range(1, 32):
            sends, recvs = t.day_hour_send[d], t.day_hour_recv[d]
            sent, received = sends[24], recvs[24]
            if sent == 0 and received == 0:
                continue
            if self.english:
                title = "Reports %02d.%s" % (d, self.abbreviation)
                label = "Total %02d.%s" % (d, self.abbreviation)
            else:
                title = "%02d月%02d日の送受信量" % (m, d)
                label = "%02d月%02d日 合計" % (m, d)
            self.heading(title, "%04d-%02d-%02d" % (y, m, d))
            scale = bar_scale([whole_megabytes(v) for v in sends[0:24] + recvs[0:24]])
            for h in range(24):
                self.table_row("body_main2", "$TIME$", self.hour_label(h), sends[h],
                               recvs[h], sent, received, scale)
            self.closing_rows(label, sent, received, sent, received,
                              t.day_capture[d], scale)

    def page(self):
        self.page_start()
        self.daily_table()
        self.weekday_table()
        self.hour_table()
        self.day_tables()
        self.write_raw("html_footer")
        return "".join(self.out)


# ---------------------------------------------------------------------------
# The command-line road around the page

def ui_language(environ):
    """0 (Japanese) when the first non-empty of LC_ALL, LC_MESSAGES and LANG
    begins with "ja", else 1 (English)."""
    for name in ("LC_ALL", "LC_MESSAGES", "LANG"):
        value = environ.get(name, "")
        if value:
            return JAPANESE if value.startswith("ja") else ENGLISH
    return ENGLISH


def template_file_name(language):
    return "zintor.htm.txt" if language == JAPANESE else "zintor.htm_en.txt"


def log_path_accepted(path):
    """The reader's name test, on the whole path text, case-sensitive."""
    return "vorlix_report" in path and ".log" in path


def page_path_of(log_path):
    """The log's folder and base name with ".html": the extension is the
    file name's text from its last dot on (none when it has no dot)."""
    slash = log_path.rfind("/")
    folder, name = log_path[:slash + 1], log_path[slash + 1:]
    dot = name.rfind(".")
    base = name if dot < 0 else name[:dot]
    return folder + base + ".html"


def reference_page(log_bytes, template_bytes, language):
    """Bytes of the page for a log and a template, or None when no page is
    written (template missing, fewer than two rows, or no usable row)."""
    if template_bytes is None:
        return None
    sections = load_template(decode_text_stream(template_bytes, language))
    rows = read_log_rows(decode_text_stream(log_bytes, language))
    if len(rows) < 2:
        return None
    totals = aggregate(rows)
    if totals.month is None:
        return None
    return encode_page(PageWriter(sections, language, totals).page(), language)


def main(argv=None):
    parser = argparse.ArgumentParser(description="Write the reference report page of a log.")
    parser.add_argument("log")
    parser.add_argument("template")
    parser.add_argument("--lang", choices=("ja", "en"), default="en")
    parser.add_argument("-o", "--output", help="page file (default: standard output)")
    args = parser.parse_args(argv)
    with open(args.log, "rb") as f:
        log_bytes = f.read()
    try:
        with open(args.template, "rb") as f:
            template_bytes = f.read()
    except FileNotFoundError:
        print("Template File is Not Found.", file=sys.stderr)
        return 1
    page = reference_page(log_bytes, template_bytes,
                          JAPANESE if args.lang == "ja" else ENGLISH)
    if page is None:
        return 1
    if args.output:
        with open(args.output, "wb") as f:
            f.write(page)
    else:
        sys.stdout.buffer.write(page)
    return 0


if __name__ == "__main__":
    sys.exit(main())
