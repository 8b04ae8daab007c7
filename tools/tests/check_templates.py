#!/usr/bin/env python3
"""Checks the default page templates, and the pages zintor writes from them.

Usage:
  check_templates.py sections RESOURCES_DIR
      Each template's sections, placeholders, encoding, and the two languages' shared structure.
  check_templates.py pages ZINTOR RESOURCES_DIR SAMPLE_LOG [MAKE_REPORT_LOG]
      Writes the sample's page in both languages and checks links, anchors and encodings;
      with the log generator, also that the maximal log's page stays under 1.5 MB.
  check_templates.py tidy ZINTOR RESOURCES_DIR SAMPLE_LOG
      The same pages must pass `tidy -q -e` without a warning (fails, naming the package, without tidy).
  check_templates.py example ZINTOR TEMPLATES_DOC SAMPLE_LOG
      The example template of the template reference, run on the sample, gives the page the
      reference shows.
"""
import html.parser
import os
import re
import shutil
import subprocess
import sys
import tempfile

# (file, language, encoding of its bytes, charset the page declares)
TEMPLATES = [
    ("zintor.htm_en.txt", "C", "latin-1", "windows-1252"),
    ("zintor.htm.txt", "ja_JP.UTF-8", "cp932", "Shift_JIS"),
]

SIZES = ["$SEND$", "$RECV$", "$SEND_KB$", "$RECV_KB$", "$SEND_MB$", "$RECV_MB$", "$SEND_GB$", "$RECV_GB$"]
SPEEDS = ["$SEND_SPD$", "$RECV_SPD$", "$SEND_SPD_MB$", "$RECV_SPD_MB$",
          "$SEND_SPD_KBPS$", "$RECV_SPD_KBPS$", "$SEND_SPD_MBPS$", "$RECV_SPD_MBPS$"]
BARS = ["$SEND_H$", "$RECV_H$"]
SHARES = ["$SEND_PER$", "$RECV_PER$"]
# The month at a glance: peak, percentile, estimate and allowance, filled in html_header.
GLANCE = ["$PEAK_SEND$", "$PEAK_RECV$", "$PEAK_SEND_AT$", "$PEAK_RECV_AT$", "$PCTL_SEND$",
          "$PCTL_RECV$", "$PCTL_BILLED$", "$PCTL_MBPS$", "$EST_SEND$", "$EST_RECV$", "$EST_NOTE$",
          "$ALLOW$", "$ALLOW_USED$", "$ALLOW_LEFT$", "$ALLOW_PER$", "$ALLOW_DAY$", "$ALLOW_W$",
          "$ALLOW_LEVEL$", "$ALLOW_COUNTS$"]

# Section: (placeholders the page fills in it, placeholders our template must use there).
# Any other placeholder in a filled section would come out empty; in body_footer and
# html_footer, which are written as they stand, it would show literally.
SECTIONS = {
    "html_header": ({"$TITLE$", *GLANCE}, {"$TITLE$", *GLANCE} - {"$PCTL_BILLED$"}),
    "body_header": ({"$BODYTITLE$", "$NAMETAG$"}, {"$BODYTITLE$", "$NAMETAG$"}),
    "body_main1": ({"$DATE$", "$NAMETAG$", *SIZES, *SHARES, *BARS}, {"$DATE$", "$NAMETAG$", *BARS}),
    "body_main2": ({"$TIME$", *SIZES, *SHARES, *BARS}, {"$TIME$", *BARS}),
    "body_main3": ({"$DATE$", *SIZES, *BARS}, {"$DATE$", *BARS}),
    "body_main4": ({"$CAP_TIME$"}, {"$CAP_TIME$"}),
    "body_main5": (set(SPEEDS), set(SPEEDS)),
    "body_footer": (set(), set()),
    "html_footer": (set(), set()),
}
UNUSED = ["body_main6", "body_main7", "body_main8", "body_main9"]
ORDER = ["html_header", "body_header", "body_main1", "body_main2", "body_main3", "body_main4",
         "body_main5", "body_main6", "body_main7", "body_main8", "body_main9", "body_footer",
         "html_footer"]
PLACEHOLDER = re.compile(r"\$[A-Z_]+\$")


def load_sections(text):
    """Cuts a template into its sections the way the page writer reads it."""
    sections = {name: "" for name in ORDER}
    current = None
    lines = text.split("\n")
    for line in lines[:-1]:  # a last line without a line break is dropped
        line = line.rstrip("\r")
        if line[:1] in ("!", "#", ";"):
            lower = line.lower()
            for name in ORDER:
                if name + "_start" in lower:
                    current = name
                if name + "_end" in lower:
                    current = None
            continue
        if current:
            sections[current] += line + "\n"
    return sections


def encoding_of(lang):
    return next(encoding for _, language, encoding, _ in TEMPLATES if language == lang)


def read_template(resources, name, encoding):
    with open(os.path.join(resources, name), "rb") as f:
        data = f.read()
    return data, data.decode(encoding)


class Structure(html.parser.HTMLParser):
    """The sequence of tags with their structural attributes, text left out."""

    KEEP = ("id", "class", "href", "style", "scope", "colspan")

    def __init__(self):
        super().__init__()
        self.items = []

    def handle_starttag(self, tag, attrs):
        self.items.append((tag, tuple((k, v) for k, v in attrs if k in self.KEEP)))

    def handle_endtag(self, tag):
        self.items.append(("/" + tag,))


def structure(text):
    parser = Structure()
    parser.feed(text)
    return parser.items


failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def check_sections(resources):
    structures = []
    for name, _, encoding, charset in TEMPLATES:
        data, text = read_template(resources, name, encoding)
        check(data.endswith(b"\n"), f"{name}: must end with a line break (its last line is dropped)")
        check(b"\r" not in data, f"{name}: keep LF line ends in the repository")
        if encoding == "latin-1":
            check(not re.search(rb"[\x00-\x08\x0b-\x1f\x7f-\x9f]", data),
                  f"{name}: control bytes have no meaning in the page's encoding")
        for line in text.split("\n"):
            # A style rule or a tag on a directive line never reaches the page: it was meant
            # as content and needs indenting.
            check(not (line[:1] in ("!", "#", ";") and re.search(r"[{}<>]", line)),
                  f"{name}: directive line looks like page content: {line!r}")
        sections = load_sections(text)
        for section, (filled, required) in SECTIONS.items():
            body = sections[section]
            check(body.strip(), f"{name}: section {section} is empty")
            used = set(PLACEHOLDER.findall(body))
            check(used <= filled, f"{name}: {section} uses {sorted(used - filled)}, never filled there")
            check(required <= used, f"{name}: {section} lacks {sorted(required - used)}")
        for section in UNUSED:
            check(not sections[section], f"{name}: {section} is never written; leave it out")
        check(f'<meta charset="{charset}">' in sections["html_header"], f"{name}: declare charset {charset}")
        check('id="$NAMETAG$"' in sections["body_header"], f"{name}: tables need id=\"$NAMETAG$\"")
        check('href="#$NAMETAG$"' in sections["body_main1"], f"{name}: day rows must link to their table")
        for section in ("body_main1", "body_main2", "body_main3"):
            styles = re.findall(r'style="([^"]*)"', sections[section])
            for bar in BARS:
                check(any(bar in style for style in styles), f"{name}: {section} needs a {bar} bar")
            # Rows are most of the page: their style lives in classes, inline only the bar lengths.
            check(all(PLACEHOLDER.search(style) for style in styles),
                  f"{name}: {section} has inline style that belongs in a class: {styles}")
        page = "".join(sections[s] for s in ORDER)
        structures.append(structure(page))
        check(('body', (('id', 'top'),)) in structures[-1], f"{name}: the links back need id=\"top\"")
    check(structures[0] == structures[1], "the two templates must build the same page structure")


def write_pages(zintor, resources, sample, folder, settings=None):
    """Runs zintor from a folder holding its templates (and the settings text, when given, as
    its settings file); returns {language: (bytes, encoding)}."""
    for name, _, _, _ in TEMPLATES:
        shutil.copy(os.path.join(resources, name), folder)
    program = shutil.copy(zintor, folder)
    if settings is not None:
        with open(os.path.splitext(program)[0] + ".ini", "w") as f:
            f.write(settings)
    log = shutil.copy(sample, folder)
    pages = {}
    for name, lang, encoding, _ in TEMPLATES:
        env = dict(os.environ, LC_ALL="", LC_MESSAGES="", LANG=lang)
        result = subprocess.run([program, log], env=env, capture_output=True)
        if result.returncode != 0:
            sys.exit(f"zintor failed for LANG={lang}: {result.stderr.decode(errors='replace')}")
        with open(os.path.splitext(log)[0] + ".html", "rb") as f:
            pages[lang] = (f.read(), encoding)
    return pages


MAX_PAGE_BYTES = 1_500_000


def check_pages(zintor, resources, sample, make_log=None):
    with tempfile.TemporaryDirectory() as folder:
        pages = write_pages(zintor, resources, sample, folder)
        if make_log:
            # 65,535 rows over 31 days: the largest page a log can give (31 day tables).
            max_log = os.path.join(folder, "vorlix_report202612.log")
            os.mkdir(os.path.join(folder, "max"))
            subprocess.run([make_log, "--max", "-o", max_log], check=True)
            for lang, (data, _) in write_pages(zintor, resources, max_log, os.path.join(folder, "max")).items():
                print(f"maximal page, LANG={lang}: {len(data)} bytes")
                check(len(data) < MAX_PAGE_BYTES, f"LANG={lang}: the maximal page has {len(data)} bytes")
                check(len(re.findall(r'<section id="\d{4}-\d\d-\d\d"', data.decode(encoding_of(lang)))) == 31,
                      f"LANG={lang}: the maximal page should hold 31 day tables")
    for lang, (data, encoding) in pages.items():
        text = data.decode(encoding)
        check(PLACEHOLDER.search(text) is None, f"LANG={lang}: a placeholder was left on the page")
        ids = re.findall(r'id="([^"]+)"', text)
        check(len(ids) == len(set(ids)), f"LANG={lang}: duplicate ids")
        links = re.findall(r'href="#([^"]+)"', text)
        # The sample has traffic on every day, so every day row leads to a day table.
        check(len(links) > 30 and set(links) <= set(ids), f"LANG={lang}: links without a target")
        check(sum(1 for i in ids if re.fullmatch(r"\d{4}-\d\d-\d\d", i)) == 30,
              f"LANG={lang}: expected 30 day tables")


def run_tidy(zintor, resources, sample):
    tidy = shutil.which("tidy")
    if not tidy:
        print("tidy is not installed: install the Debian package tidy (make deps does)")
        return 1
    options = {"latin-1": "-latin1", "cp932": "-shiftjis"}
    with tempfile.TemporaryDirectory() as folder:
        pages = write_pages(zintor, resources, sample, folder)
        for lang, (data, encoding) in pages.items():
            path = os.path.join(folder, "page.html")
            with open(path, "wb") as f:
                f.write(data)
            result = subprocess.run([tidy, "-q", "-e", options[encoding], path], capture_output=True, text=True)
            check(result.returncode == 0 and not result.stderr.strip(),
                  f"LANG={lang}: tidy reports\n{result.stderr[:2000]}")
    return 0


def check_example(zintor, doc, sample):
    with open(doc, encoding="utf-8") as f:
        text = f.read()
    example = re.search(r"```html example-template\n(.*?)```", text, re.S)
    shown = re.search(r"```html example-template\n.*?```.*?```text\n(.*?)```", text, re.S)
    if not example or not shown:
        sys.exit(f"{doc}: no example template, or no page shown after it")
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "zintor.htm_en.txt"), "w", encoding="latin-1", newline="\n") as f:
            f.write(example.group(1))
        program = shutil.copy(zintor, folder)
        log = shutil.copy(sample, folder)
        env = dict(os.environ, LC_ALL="", LC_MESSAGES="", LANG="C")
        result = subprocess.run([program, log], env=env, capture_output=True)
        check(result.returncode == 0, f"the example template gives no page: {result.stderr.decode(errors='replace')}")
        if result.returncode:
            return
        with open(os.path.splitext(log)[0] + ".html", "rb") as f:
            page = f.read().decode("latin-1")
    check(PLACEHOLDER.search(page) is None, "the example's page keeps a placeholder")
    # The lines the reference shows appear in the page, in that order ("..." skips lines).
    lines = page.split("\r\n")
    at = 0
    for wanted in shown.group(1).rstrip("\n").split("\n"):
        if wanted == "...":
            continue
        try:
            at = lines.index(wanted, at) + 1
        except ValueError:
            check(False, f"the example's page, as the reference shows it, lacks: {wanted!r}")
            return


def main(argv):
    mode = argv[1] if len(argv) > 1 else ""
    if mode == "sections" and len(argv) == 3:
        check_sections(argv[2])
        status = 0
    elif mode == "example" and len(argv) == 5:
        check_example(*argv[2:])
        status = 0
    elif (mode == "pages" and len(argv) in (5, 6)) or (mode == "tidy" and len(argv) == 5):
        status = (check_pages if mode == "pages" else run_tidy)(*argv[2:])
        status = status or 0
    else:
        sys.exit(__doc__)
    for message in failures:
        print("FAIL:", message)
    return 1 if failures else status


if __name__ == "__main__":
    sys.exit(main(sys.argv))
