#!/usr/bin/env python3
"""Randomized differential test of the command-line run against the
reference page model.

For every case seed the generator (random_cases.py) makes a report log and a
template, and sometimes an odd log file name, an old page beside the log, a
missing template or an unusual locale environment; the case runs once with
the Japanese and once with the English user interface.  The program under
test runs from a folder of its own with the template beside it, exactly as a
user would run it.  Afterwards the folder must hold exactly the expected
files, the page byte for byte as reference_page.py writes it (or no new page
and the old one untouched), and the exit status must be 0 exactly when a
page was written.  The same log's --json figures must be the model's sums
exactly (or none, where the log gives no page).

    differential.py --zintor build/zintor --cases 300 --seed 1

Case seeds are SEED, SEED+1, ..., SEED+CASES-1, preceded by a few fixed
cases (the whole code page, the largest log); a single case is repeated with
--cases 1 --seed N --no-fixed.  On a mismatch the seed, the language and the
first differing byte with its surroundings are printed and the case files
are saved under --save-dir.  The exit status is 1 when any case disagreed.
"""

import argparse
import concurrent.futures
import json
from fractions import Fraction
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import random_cases  # noqa: E402
import reference_page  # noqa: E402

LANGUAGES = [(reference_page.JAPANESE, "ja"), (reference_page.ENGLISH, "en")]
RUN_TIMEOUT_SECONDS = 20
LOCALE_VARIABLES = ("LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE")

# Set in each worker process by start_worker.
_workdir = None
_program = None


def start_worker(zintor_path, scratch_root):
    """Give the worker a folder with its own copy of the program (the program
    finds its template beside its own file, so it cannot be a symlink)."""
    global _workdir, _program
    _workdir = tempfile.mkdtemp(prefix="worker-", dir=scratch_root)
    _program = os.path.join(_workdir, "zintor")
    shutil.copy2(zintor_path, _program)


def clear_workdir():
    for name in os.listdir(_workdir):
        path = os.path.join(_workdir, name)
        if path == _program:
            continue
        if os.path.isdir(path) and not os.path.islink(path):
            shutil.rmtree(path)
        else:
            os.remove(path)


def snapshot():
    """Every file of the work folder but the program: relative path -> bytes."""
    files = {}
    for folder, _dirs, names in os.walk(_workdir):
        for name in names:
            path = os.path.join(folder, name)
            if path != _program:
                with open(path, "rb") as f:
                    files[os.path.relpath(path, _workdir)] = f.read()
    return files


def put(files, relative, data):
    files[relative] = data
    path = os.path.join(_workdir, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def expected_run(case, language, log_path):
    """Exit status and page bytes (None: no page) that the run should give."""
    if not case.template_present or not reference_page.log_path_accepted(log_path):
        return 1, None
    if reference_page.page_path_of(log_path) == log_path:
        # A log named *.html: its page would replace the log itself, so the
        # run refuses and leaves the log as it is.
        return 1, None
    page = reference_page.reference_page(case.log, case.template, language)
    return (1, None) if page is None else (0, page)


WEEKDAY_NAMES = ("Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat")


def expected_figures(log_bytes, language, log_argument):
    """What --json should print for a log, as a dict, or None (no figures: the
    same logs that give no page, whether or not a template is there)."""
    rp = reference_page
    if not rp.log_path_accepted(log_argument):
        return None
    rows = rp.read_log_rows(rp.decode_text_stream(log_bytes, language))
    if len(rows) < 2:
        return None
    t = rp.aggregate(rows)
    if t.month is None:
        return None
    # Capture per weekday and hour: each step for the weekday and hour of its later row.
    weekday_capture, hour_capture, usable, previous = [0] * 7, [0] * 24, 0, 0
    for row in rows:
        decoded = rp.decode_row(row)
        if decoded is None:
            continue
        usable += 1
        year, month, day, hour, minute, second = decoded[:6]
        stamp = day * 86400 + hour * 3600 + minute * 60 + second
        if previous > 0 and 1 <= stamp - previous <= 61:
            weekday_capture[rp.day_of_week(year, month, day % 32)] += stamp - previous
            hour_capture[hour % 24] += stamp - previous
        previous = stamp
    days = []
    for day in range(1, max(1, min(31, rp.days_in_month(t.year, t.month))) + 1):
        days.append({
            "day": day, "date": "%04d-%02d-%02d" % (t.year, t.month, day),
            "weekday": WEEKDAY_NAMES[rp.day_of_week(t.year, t.month, day)],
            "sent": t.day_send[day], "received": t.day_recv[day],
            "capture_seconds": t.day_capture[day],
            "hours": [{"hour": h, "sent": t.day_hour_send[day][h],
                       "received": t.day_hour_recv[day][h]} for h in range(24)]})
    return {
        "format_version": 1, "log": log_argument, "year": t.year, "month": t.month,
        "rows": {"read": len(rows), "skipped": len(rows) - usable},
        "totals": {"sent": t.day_send[32], "received": t.day_recv[32],
                   "capture_seconds": t.day_capture[32]},
        "days": days,
        "weekdays": [{"sent": t.weekday_send[w], "received": t.weekday_recv[w],
                      "capture_seconds": weekday_capture[w]} for w in range(7)],
        "hours": [{"sent": t.hour_send[h], "received": t.hour_recv[h],
                   "capture_seconds": hour_capture[h]} for h in range(24)],
        "figures": expected_glance(rows, t),
    }


def expected_glance(rows, t):
    """The month at a glance by its definition, kept apart from the program's way of
    computing it: exact fractions for the rates, the bins as a dictionary, sorted lists."""
    rp = reference_page
    peaks = {"sent": None, "received": None}  # (rate, bytes, seconds, stamp)
    bins = {}
    previous = last = 0
    for row in rows:
        decoded = rp.decode_row(row)
        if decoded is None:
            continue
        day, hour, minute, second, sent, received = decoded[2:]
        stamp = day * 86400 + hour * 3600 + minute * 60 + second
        step = stamp - previous
        if previous > 0 and 1 <= step <= 61:
            for name, value in (("sent", sent), ("received", received)):
                rate = Fraction(value, step)
                if peaks[name] is None or rate > peaks[name][0]:
                    peaks[name] = (rate, value, step, stamp)
        if 86400 <= stamp < 32 * 86400:  # the five-minute bins of days 1 to 31
            key = (stamp - 86400) // 300
            bins[key] = [a + b for a, b in zip(bins.get(key, [0, 0]), (sent, received))]
        previous = last = stamp

    def peak_of(name):
        _, value, step, stamp = peaks[name]
        seconds = stamp % 86400
        return {"bytes": value, "seconds": step, "bytes_per_second": value // step,
                "date": "%04d-%02d-%02d" % (t.year, t.month, stamp // 86400),
                "time": "%02d:%02d:%02d" % (seconds // 3600, seconds // 60 % 60, seconds % 60)}

    def rate_of(value):
        return {"bytes": value, "seconds": 300, "bytes_per_second": value // 300}

    percentile = None
    if bins:
        n = len(bins)
        index = int(Fraction(95 * n, 100) + Fraction(1, 2)) - 1
        sent = sorted(v[0] for v in bins.values())[index]
        received = sorted(v[1] for v in bins.values())[index]
        billed = dict(rate_of(max(sent, received)),
                      direction="sent" if sent > received else "received")
        percentile = {"bins": n, "sent": rate_of(sent), "received": rate_of(received),
                      "billed": billed}
    estimate = None
    month_days = max(1, min(31, rp.days_in_month(t.year, t.month)))
    elapsed = max(0, last - 86400)
    capture = t.day_capture[32]
    if last // 86400 < month_days and elapsed >= 86400 and 2 * capture >= elapsed:
        month_seconds = month_days * 86400
        estimate = {"sent": t.day_send[32] * month_seconds // elapsed,
                    "received": t.day_recv[32] * month_seconds // elapsed,
                    "elapsed_seconds": elapsed, "capture_seconds": capture,
                    "month_seconds": month_seconds}
    return {"peak": {"sent": peak_of("sent"), "received": peak_of("received")}
            if peaks["sent"] else None,
            "percentile95": percentile, "estimate": estimate,
            "allowance": None}  # the program runs without a settings file


def figures_run(log_bytes, language, arguments, env, log_argument):
    """--json beside the page run: (expected, actual) texts of its outcome."""
    expected = expected_figures(log_bytes, language, log_argument)
    completed = subprocess.run([_program, "--json"] + arguments, env=env,
                               stdin=subprocess.DEVNULL, cwd=_workdir, capture_output=True,
                               timeout=RUN_TIMEOUT_SECONDS)
    actual = None
    if completed.returncode == 0:
        try:
            actual = json.loads(completed.stdout.decode("utf-8"))
        except ValueError as error:
            actual = {"invalid JSON": str(error)}
        if isinstance(actual, dict) and "log" in actual and expected is not None:
            # A file name that is no UTF-8 is compared by its valid part only.
            try:
                os.fsencode(log_argument).decode("utf-8")
            except UnicodeDecodeError:
                expected["log"] = actual["log"]
    elif not completed.stderr.endswith(b"\n") or completed.stderr.count(b"\n") != 1 \
            or completed.stdout:
        actual = {"status": completed.returncode, "stderr": completed.stderr.decode(
            "utf-8", "replace"), "stdout bytes": len(completed.stdout)}

    def text(figures):
        return ("no figures" if figures is None
                else json.dumps(figures, sort_keys=True, indent=1)).encode()
    return text(expected), text(actual)


def run_case(case, language):
    """Run the command-line road once for a case in one language; returns a
    mismatch description (dict) or None."""
    clear_workdir()
    environment = case.environments[language]
    if reference_page.ui_language(environment) != language:
        raise AssertionError("environment %r does not select language %d" % (environment, language))
    files = {}
    template_name = reference_page.template_file_name(language)
    if not case.template_present:
        template_name = reference_page.template_file_name(1 - language)
    put(files, template_name, case.template)
    put(files, case.log_name, case.log)
    log_path = os.path.join(_workdir, case.log_name)
    page_relative = os.path.relpath(reference_page.page_path_of(log_path), _workdir)
    if case.old_page is not None:
        put(files, page_relative, case.old_page)

    argument = log_path
    if case.relative is not None:
        argument = case.relative.replace("{here}", os.path.basename(_workdir)) + case.log_name
    arguments = argument.split(" ", 1) if case.split_args else [argument]

    expected_status, page = expected_run(case, language, argument)
    if page is not None:
        files[page_relative] = page

    env = {k: v for k, v in os.environ.items() if k not in LOCALE_VARIABLES + ("DISPLAY",)}
    env.update(environment)
    try:
        # The program runs from its own folder, so a relative log path names
        # the same file.
        completed = subprocess.run([_program] + arguments, env=env, stdin=subprocess.DEVNULL,
                                   cwd=_workdir,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                   timeout=RUN_TIMEOUT_SECONDS)
        status, stderr = completed.returncode, completed.stderr
    except subprocess.TimeoutExpired:
        status, stderr = "timeout", b""
    actual_files = snapshot()
    # The figures of the same log, read by the same rules, added up by the model. The log is
    # what lies at its path: an old page named like the log (vorlix_report.log.html) took its
    # place, and the page run refused to write over it.
    files["<--json>"], actual_files["<--json>"] = figures_run(
        files[case.log_name], language, arguments, env, argument)
    # A missing template is the one failure with a fixed message.
    message_ok = case.template_present or b"Template File is Not Found." in stderr
    if status == expected_status and actual_files == files and message_ok:
        return None
    return {
        "seed": case.seed, "language": LANGUAGES[language][1], "case": case,
        "template_name": template_name, "page_name": page_relative,
        "expected_files": files, "actual_files": actual_files,
        "status": status, "expected_status": expected_status, "stderr": stderr,
        "environment": environment, "arguments": arguments,
    }


def check_case(case_or_seed):
    """Run one case in both languages; returns the list of mismatches."""
    case = case_or_seed
    if not isinstance(case, random_cases.Case):
        case = random_cases.make_case(case_or_seed)
    mismatches = []
    for language, _label in LANGUAGES:
        m = run_case(case, language)
        if m:
            mismatches.append(m)
    return mismatches


def first_difference(a, b):
    limit = min(len(a), len(b))
    for i in range(limit):
        if a[i] != b[i]:
            return i
    return limit


def describe(m, context=120):
    case = m["case"]
    lines = ["MISMATCH seed %s, language %s (%s)" % (m["seed"], m["language"],
                                                      ", ".join(case.notes) or "plain")]
    lines.append("  run: %s %s with %r" % (os.path.basename(_program or "zintor"),
                                           " ".join(repr(a) for a in m["arguments"]),
                                           m["environment"]))
    lines.append("  exit status: expected %s, got %s" % (m["expected_status"], m["status"]))
    expected, actual = m["expected_files"], m["actual_files"]
    for name in sorted(set(expected) | set(actual)):
        e, a = expected.get(name), actual.get(name)
        if e == a:
            continue
        if e is None or a is None:
            lines.append("  %s: expected %s, found %s" % (
                name, "no file" if e is None else "%d bytes" % len(e),
                "no file" if a is None else "%d bytes" % len(a)))
            continue
        at = first_difference(e, a)
        start = max(0, at - context)
        lines.append("  %s differs at byte %d (expected %d bytes, got %d)"
                     % (name, at, len(e), len(a)))
        lines.append("    expected: %r" % e[start:at + context])
        lines.append("    actual:   %r" % a[start:at + context])
    if not case.template_present:
        lines.append('  expected "Template File is Not Found." on standard error')
    if m["stderr"]:
        lines.append("  stderr: %r" % m["stderr"][:300])
    return "\n".join(lines)


def save(m, save_dir):
    """Keep the case: its inputs as laid out for the run, and both outcomes."""
    folder = os.path.join(save_dir, "seed-%s-%s" % (str(m["seed"]).replace(" ", "_"),
                                                      m["language"]))
    for label, files in (("expected", m["expected_files"]), ("actual", m["actual_files"])):
        for name, data in files.items():
            path = os.path.join(folder, label, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
    with open(os.path.join(folder, "run.txt"), "w") as f:
        f.write("arguments (relative to the program's folder): %r\n" % (m["arguments"],))
        f.write("environment: %r\n" % (m["environment"],))
        f.write("exit status: expected %s, got %s\n" % (m["expected_status"], m["status"]))
    return folder


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--zintor", required=True, help="the program under test")
    parser.add_argument("--cases", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1, help="first case seed")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--save-dir", default=None,
                        help="where mismatching cases are saved (default: a new "
                             "folder under the system's temporary folder)")
    parser.add_argument("--no-fixed", action="store_true",
                        help="skip the fixed cases that run before the seeded ones")
    parser.add_argument("--max-reports", type=int, default=20,
                        help="print at most this many mismatches in detail")
    args = parser.parse_args(argv)

    zintor = os.path.abspath(args.zintor)
    if not os.access(zintor, os.X_OK):
        print("not an executable program: %s" % zintor, file=sys.stderr)
        return 2
    started = time.monotonic()
    work = list(range(args.seed, args.seed + args.cases))
    if not args.no_fixed:
        work = random_cases.fixed_cases() + work
    mismatches = []
    with tempfile.TemporaryDirectory(prefix="zintor-differential-") as scratch:
        with concurrent.futures.ProcessPoolExecutor(
                max_workers=max(1, args.jobs), initializer=start_worker,
                initargs=(zintor, scratch)) as pool:
            for result in pool.map(check_case, work, chunksize=4):
                mismatches.extend(result)

    if mismatches:
        save_dir = args.save_dir or tempfile.mkdtemp(prefix="zintor-mismatches-")
        for i, m in enumerate(mismatches):
            folder = save(m, save_dir)
            if i < args.max_reports:
                print(describe(m))
                print("  case files: %s" % folder)
        failed = sorted({str(m["seed"]) for m in mismatches})
        print("%d of %d cases disagree (seeds %s); case files under %s"
              % (len(failed), len(work), " ".join(failed[:50]), save_dir))
    print("%d cases x %d languages in %.1f s: %s"
          % (len(work), len(LANGUAGES), time.monotonic() - started,
             "FAILED" if mismatches else "all pages agree"))
    return 1 if mismatches else 0


if __name__ == "__main__":
    sys.exit(main())
