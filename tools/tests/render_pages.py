#!/usr/bin/env python3
"""Renders the pages of the default templates in headless Chromium and checks how they read.

Usage:
  render_pages.py ZINTOR MAKE_REPORT_LOG RESOURCES_DIR SAMPLE_LOG [--shots DIR]

Writes the sample log's page, the maximal log's page (31 days with traffic) and the page of
the sample's first ten days against a monthly allowance in both languages, then, for each page, at 800 pixels (the window's pane) and 390 pixels (a phone),
in light and dark colours:
  - the page body never scrolls sideways and no box's content overflows it (no text runs into
    its neighbour);
  - the first screen shows the month's figures: the daily table's total, average, capture-time
    and speed rows, above the day rows;
  - every text has a contrast of at least 4.5:1 against what lies behind it, every bar 3:1;
  - every link within the page has its target.
The print layout (A4 width) is checked for the same overflow. With --shots DIR the sample's
first screens are saved there as PNG, and its print as PDF. Fails, naming the package, when
Chromium is not installed.
"""
import base64
import fcntl
import json
import os
import select
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_templates  # noqa: E402  (shares the page writer and the failure list)

VIEWS = [  # (name, width, height, mobile)
    ("800", 800, 1000, False),
    ("390", 390, 900, True),
]
SCHEMES = ["light", "dark"]

# Runs inside the page; returns what the checks need. Plain DOM reads, nothing changed.
PROBE = r"""
(() => {
  const vw = document.documentElement.clientWidth, vh = window.innerHeight;
  const out = {scrollWidth: document.documentElement.scrollWidth, vw, vh,
               overflow: [], contrast: [], bars: [], links: [], summary: null};
  const name = e => e.tagName.toLowerCase() + (e.className ? "." + e.className : "") +
                    (e.id ? "#" + e.id : "") + " '" + (e.textContent || "").trim().slice(0, 30) + "'";
  const rgb = s => { const m = s.match(/[\d.]+/g) || [0, 0, 0, 0];
                     return [+m[0], +m[1], +m[2], m.length > 3 ? +m[3] : 1]; };
  const lum = c => { const f = v => { v /= 255; return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4); };
                     return 0.2126 * f(c[0]) + 0.7152 * f(c[1]) + 0.0722 * f(c[2]); };
  const ratio = (a, b) => { const x = lum(a), y = lum(b); return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05); };
  const behind = e => { for (let p = e; p; p = p.parentElement) {
                          const c = rgb(getComputedStyle(p).backgroundColor); if (c[3] > 0) return c; }
                        return [255, 255, 255, 1]; };
  for (const e of document.body.querySelectorAll("*")) {
    const r = e.getBoundingClientRect();
    if (r.width === 0 && r.height === 0) continue;
    if (r.right > vw + 0.5 || r.left < -0.5) out.overflow.push("outside the page: " + name(e));
    if (e.clientWidth > 0 && e.scrollWidth > e.clientWidth + 1 && getComputedStyle(e).overflowX === "visible")
      out.overflow.push("content wider than its box: " + name(e));
    const own = [...e.childNodes].some(n => n.nodeType === 3 && n.textContent.trim());
    if (own) {
      const q = ratio(rgb(getComputedStyle(e).color), behind(e));
      if (q < 4.5) out.contrast.push(q.toFixed(2) + " " + name(e));
    }
  }
  for (const e of document.querySelectorAll(".b div")) {
    if (e.getBoundingClientRect().width === 0) continue;
    const q = ratio(rgb(getComputedStyle(e).backgroundColor), behind(e.parentElement));
    out.bars.push(q);
  }
  const ids = new Set([...document.querySelectorAll("[id]")].map(e => e.id));
  for (const a of document.querySelectorAll('a[href^="#"]'))
    if (!ids.has(decodeURIComponent(a.getAttribute("href").slice(1)))) out.links.push(a.getAttribute("href"));
  const daily = document.querySelector("main > section");
  if (daily) {
    const sums = daily.querySelectorAll("tbody.sum");
    const rows = daily.querySelector("tbody.rows tr");
    const rowsTop = rows ? rows.getBoundingClientRect().top : 0;
    out.summary = {count: daily.querySelectorAll("tbody.sum tr").length,
                   bottom: sums.length ? sums[sums.length - 1].getBoundingClientRect().bottom + window.scrollY : 1e9,
                   rowsTop: rowsTop + window.scrollY};
  }
  return out;
})()
"""


class Chromium:
    """Headless Chromium driven over its DevTools pipe (file descriptors 3 and 4)."""

    def __init__(self, binary, profile):
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()
        # Move the child's ends above 10 first, so that placing them on 3 and 4 cannot clash.
        high_r = fcntl.fcntl(to_browser_r, fcntl.F_DUPFD_CLOEXEC, 10)
        high_w = fcntl.fcntl(from_browser_w, fcntl.F_DUPFD_CLOEXEC, 10)
        os.close(to_browser_r)
        os.close(from_browser_w)

        def place_pipe():
            os.dup2(high_r, 3)
            os.dup2(high_w, 4)

        args = [binary, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--hide-scrollbars", "--mute-audio", "--allow-file-access-from-files",
                f"--user-data-dir={profile}", "--window-size=800,1000", "--remote-debugging-pipe",
                "about:blank"]
        self.process = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, preexec_fn=place_pipe, close_fds=False)
        os.close(high_r)
        os.close(high_w)
        self.buffer = b""
        self.next_id = 0
        self.events = []
        target = self.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        self.call("Page.enable", session=True)

    def _read_message(self, timeout):
        while b"\0" not in self.buffer:
            ready, _, _ = select.select([self.from_browser], [], [], timeout)
            if not ready:
                raise TimeoutError("Chromium did not answer")
            chunk = os.read(self.from_browser, 1 << 20)
            if not chunk:
                raise RuntimeError("Chromium closed its pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, params=None, session=False, timeout=60):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        while True:
            reply = self._read_message(timeout)
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})
            if "method" in reply:
                self.events.append(reply["method"])

    def wait_event(self, method, timeout=60):
        while method not in self.events:
            reply = self._read_message(timeout)
            if "method" in reply:
                self.events.append(reply["method"])
        self.events.clear()

    def load(self, url):
        self.events.clear()
        self.call("Page.navigate", {"url": url}, session=True)
        self.wait_event("Page.loadEventFired")

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True}, session=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"probe failed: {result['exceptionDetails']}")
        return result["result"]["value"]

    def view(self, width, height, mobile, media="screen", scheme="light"):
        self.call("Emulation.setDeviceMetricsOverride",
                  {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile}, session=True)
        self.call("Emulation.setEmulatedMedia",
                  {"media": media, "features": [{"name": "prefers-color-scheme", "value": scheme}]}, session=True)

    def screenshot(self, path):
        data = self.call("Page.captureScreenshot", {"format": "png"}, session=True)["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    def print_pdf(self):
        result = self.call("Page.printToPDF", {"paperWidth": 8.27, "paperHeight": 11.69, "preferCSSPageSize": True,
                                                "printBackground": False}, session=True, timeout=120)
        return base64.b64decode(result["data"])

    def close(self):
        try:
            self.call("Browser.close", timeout=10)
        except Exception:  # already gone: nothing to close
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self.to_browser)
        os.close(self.from_browser)


def check_view(label, probe, expect_rows, links=True):
    fail = check_templates.check
    fail(probe["scrollWidth"] <= probe["vw"],
         f"{label}: the page scrolls sideways ({probe['scrollWidth']} > {probe['vw']} px)")
    fail(not probe["overflow"], f"{label}: overflowing boxes: {probe['overflow'][:5]}")
    fail(not probe["contrast"], f"{label}: text below 4.5:1 contrast: {probe['contrast'][:5]}")
    fail(all(q >= 3 for q in probe["bars"]), f"{label}: bars below 3:1 contrast: {min(probe['bars'], default=0):.2f}")
    fail(not links or not probe["links"], f"{label}: links without a target: {probe['links'][:5]}")
    summary = probe["summary"]
    fail(summary is not None and summary["count"] == expect_rows,
         f"{label}: the daily table should have {expect_rows} summary rows: {summary}")
    if summary:
        fail(summary["bottom"] <= probe["vh"], f"{label}: the month's figures end below the first screen "
                                               f"({summary['bottom']:.0f} > {probe['vh']} px)")
        fail(summary["rowsTop"] >= summary["bottom"] - 1, f"{label}: the day rows come before the month's figures")


def main(argv):
    args = argv[1:]
    shots = None
    if "--shots" in args:
        i = args.index("--shots")
        shots = os.path.abspath(args[i + 1])
        del args[i:i + 2]
    if len(args) != 4:
        sys.exit(__doc__)
    zintor, make_log, resources, sample = args
    binary = shutil.which("chromium") or shutil.which("chromium-browser")
    if not binary:
        print("Chromium is not installed: install the Debian package chromium (make deps does)")
        return 1
    with tempfile.TemporaryDirectory() as folder:
        sample_dir = os.path.join(folder, "sample")
        max_dir = os.path.join(folder, "max")
        os.mkdir(sample_dir)
        os.mkdir(max_dir)
        max_log = os.path.join(folder, "vorlix_report202612.log")
        subprocess.run([make_log, "--max", "-o", max_log], check=True)
        # The sample's first ten days against an allowance they use 80 % and more of: the
        # month at a glance with its estimate and its allowance bar.
        part_dir = os.path.join(folder, "part")
        os.mkdir(part_dir)
        part_log = os.path.join(folder, os.path.basename(sample))
        with open(sample, "rb") as f, open(part_log, "wb") as out:
            out.writelines(line for line in f if line[6:8] < b"11")
        allowance = "[Settings]\nMonthlyAllowance=70G\nAllowanceCounts=both\n"
        pages = {"sample": check_templates.write_pages(zintor, resources, sample, sample_dir),
                 "max": check_templates.write_pages(zintor, resources, max_log, max_dir),
                 "allowance": check_templates.write_pages(zintor, resources, part_log, part_dir,
                                                          allowance)}
        browser = Chromium(binary, os.path.join(folder, "profile"))
        try:
            for log_name, by_lang in pages.items():
                for lang, (data, _) in by_lang.items():
                    short = "ja" if lang.startswith("ja") else "en"
                    path = os.path.join(folder, f"{log_name}-{short}.html")
                    with open(path, "wb") as f:
                        f.write(data)
                    for view, width, height, mobile in VIEWS:
                        for scheme in SCHEMES:
                            browser.view(width, height, mobile, scheme=scheme)
                            browser.load("file://" + path)
                            label = f"{log_name} page, {short}, {view} px, {scheme}"
                            # A month in progress links the days to come, which have no table yet.
                            check_view(label, browser.evaluate(PROBE), expect_rows=4,
                                       links=log_name != "allowance")
                            if shots and log_name != "max":
                                suffix = "" if scheme == "light" else "-dark"
                                if log_name == "allowance":
                                    suffix += "-allowance"
                                browser.screenshot(os.path.join(shots, f"page-{short}-{view}{suffix}.png"))
                    # Print: A4 at 96 dpi is about 794 px wide; the body must fit it as well.
                    browser.view(794, 1123, False, media="print")
                    browser.load("file://" + path)
                    probe = browser.evaluate(PROBE)
                    check_templates.check(probe["scrollWidth"] <= probe["vw"] and not probe["overflow"],
                                          f"{log_name} page, {short}, print: overflow {probe['overflow'][:5]}")
                    if shots and log_name == "sample":
                        with open(os.path.join(shots, f"page-{short}-print.pdf"), "wb") as f:
                            f.write(browser.print_pdf())
        finally:
            browser.close()
    for message in check_templates.failures:
        print("FAIL:", message)
    return 1 if check_templates.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
