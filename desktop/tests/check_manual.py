#!/usr/bin/env python3
"""Checks the manual page.

Usage:
  check_manual.py MANUAL_PAGE PROGRAM
      groff renders the page with every warning on (-ww) and says nothing, and the options the
      page's OPTIONS section describes are the ones `PROGRAM --help` lists, and its title
      line names the source as "zintor VERSION" with the version `PROGRAM --version` prints.
"""
import re
import subprocess
import sys


def main(manual, program):
    failures = []
    groff = subprocess.run(["groff", "-man", "-ww", "-Tutf8", manual], capture_output=True)
    if groff.returncode != 0 or groff.stderr:
        failures.append("groff -man -ww: status %d\n%s" % (groff.returncode,
                                                           groff.stderr.decode(errors="replace")))
    with open(manual, encoding="utf-8") as f:
        text = f.read()
    options_section = text.split(".SH OPTIONS", 1)[1].split("\n.SH ", 1)[0]
    in_manual = set(re.findall(r"^\.TP\n\.BI? \\-\\-([a-z]+)", options_section, re.M))
    usage = subprocess.run([program, "--help"], capture_output=True, text=True)
    in_help = set(re.findall(r"^  --([a-z]+)", usage.stdout, re.M))
    if not in_help or in_manual != in_help:
        failures.append("options of the manual %s, of --help %s" % (sorted(in_manual),
                                                                      sorted(in_help)))
    title = re.search(r'^\.TH \S+ \d+ "[^"]*" "([^"]*)"', text, re.M)
    version = subprocess.run([program, "--version"], capture_output=True, text=True).stdout.split()
    expected = "zintor " + version[-1] if version else None
    if not title or title.group(1) != expected:
        failures.append("title line names %r, expected %r from --version"
                        % (title.group(1) if title else None, expected))
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
