#!/usr/bin/env python3
"""Checks that the files describing a release agree with the project and with each other.

Usage:
  check_release.py VERSION METAINFO DESKTOP_FILE MIME_FILE CHANGELOG
      `appstreamcli validate --no-net` passes the metainfo (fails, naming the package, without
      it); its latest release and the top entry of the Debian changelog are VERSION (the
      project's); it launches the desktop entry and provides the binary the entry starts and
      the file type the entry and the shared-mime-info file declare.
"""
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

MIME_NS = "{http://www.freedesktop.org/standards/shared-mime-info}"


def entry_keys(desktop_file):
    with open(desktop_file, encoding="utf-8") as f:
        return dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line and not line.startswith("#"))


def changelog_version(changelog):
    with open(changelog, encoding="utf-8") as f:
        top = re.match(r"^\S+ \(([^)]+)\)", f.readline())
    if not top:
        return None
    version = re.sub(r"^\d+:", "", top.group(1))  # no epoch
    return re.sub(r"-[^-]*$", "", version)  # nor Debian revision


def main(version, metainfo, desktop_file, mime_file, changelog):
    failures = []
    validator = shutil.which("appstreamcli")
    if not validator:
        print("appstreamcli is missing: install the Debian package appstream (make deps does)")
        return 1
    r = subprocess.run([validator, "validate", "--no-net", metainfo], capture_output=True, text=True)
    if r.returncode != 0:
        failures.append("appstreamcli validate --no-net %s:\n%s" % (metainfo, r.stdout + r.stderr))
    component = ET.parse(metainfo).getroot()
    releases = component.findall("releases/release")
    keys = entry_keys(desktop_file)
    mime_types = [t.get("type") for t in ET.parse(mime_file).getroot().iter(MIME_NS + "mime-type")]
    # (what, found, expected)
    agreements = [
        ("metainfo's latest release", releases[0].get("version") if releases else None, version),
        ("Debian changelog's top entry", changelog_version(changelog), version),
        ("metainfo's file name", os.path.basename(metainfo), component.findtext("id") + ".metainfo.xml"),
        ("metainfo's launchable", component.findtext("launchable"), os.path.basename(desktop_file)),
        ("metainfo's name", component.findtext("name"), keys.get("Name")),
        ("metainfo's binary", component.findtext("provides/binary"), keys.get("Exec", "").split(" ")[0]),
        ("metainfo's media type", component.findtext("provides/mediatype"), keys.get("MimeType", "").rstrip(";")),
        ("file type of the mime file", mime_types, [keys.get("MimeType", "").rstrip(";")]),
    ]
    for what, found, expected in agreements:
        if found != expected:
            failures.append("%s is %r, expected %r" % (what, found, expected))
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
