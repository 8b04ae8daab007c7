#!/usr/bin/env python3
"""Checks the recorder's service units as `cmake --install` writes them.

Usage:
  check_units.py CMAKE BUILD_DIR INSTALL_DIR
      installs the build into a temporary prefix; `systemd-analyze verify` finds the system
      units, the timer and the user unit clean, `systemd-analyze security --offline=true` rates
      the system service's exposure at most 2.0, the units start the installed programs, and
      the sysusers.d file makes the user they run as.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile


def main(cmake, build, install_dir):
    if shutil.which("systemd-analyze") is None:
        print("systemd-analyze is missing: install the Debian package systemd")
        return 1
    failures = []
    prefix = tempfile.mkdtemp(prefix="zintor-units-")
    try:
        subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True,
                       stdout=subprocess.DEVNULL)
        system = os.path.join(prefix, "lib/systemd/system")
        units = [os.path.join(system, name) for name in
                 ("zintor-record.service", "zintor-pages.service", "zintor-pages.timer")]
        env = dict(os.environ, XDG_RUNTIME_DIR=prefix)
        for args in (["--man=no"] + units,
                     ["--man=no", "--user", os.path.join(prefix, "share/systemd/user/zintor-record.service")]):
            r = subprocess.run(["systemd-analyze", "verify"] + args, capture_output=True, text=True, env=env)
            if r.returncode != 0 or r.stderr.strip():
                failures.append("verify %s: %s" % (args[-1], r.stderr))
        for unit in ("zintor-record.service", "zintor-pages.service"):
            r = subprocess.run(["systemd-analyze", "security", "--offline=true", "--no-pager",
                                os.path.join(system, unit)], capture_output=True, text=True)
            m = re.search(r"Overall exposure level for \S+: (\d+\.\d+)", r.stdout + r.stderr)
            if not m or float(m.group(1)) > 2.0:
                failures.append("security of %s: %s" % (unit, m.group(1) if m else r.stdout[-500:]))
        programs = os.path.join(prefix, install_dir)
        with open(units[0]) as f:
            text = f.read()
        if "ExecStart=%s/zintor-record --folder /var/lib/zintor" % programs not in text:
            failures.append("system unit does not start the installed recorder:\n" + text)
        for bad in ("PrivateNetwork=", "DynamicUser=", "@"):
            if re.search(r"^" + re.escape(bad) + r"(yes|true|[A-Z])", text, re.M):
                failures.append("system unit has " + bad)
        with open(os.path.join(prefix, "lib/sysusers.d/zintor.conf")) as f:
            if not re.search(r"^u zintor ", f.read(), re.M):
                failures.append("sysusers.d file makes no user zintor")
    finally:
        shutil.rmtree(prefix)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
