#!/usr/bin/env bash
# Benchmark of the command-line run on the largest report log the reader holds.
#
# Makes a maximal log (65,535 rows over the 31 days of December 2026) in a temporary folder and
# times `zintor LOG` against an awk one-liner that adds up the same file, run alternately in one
# loop so that both see the same machine load. Prints the median wall time of each, their ratio
# and zintor's peak resident memory, once per language (the language picks the template and the
# text encoding). See bench/README.md.
set -euo pipefail

usage() {
    cat <<'EOF'
Usage: bench/run.sh [-b BUILD-DIR] [-n RUNS] [-l LANG]... [--no-build] [--keep]
  -b, --build DIR   build folder holding zintor and make_report_log (default: build)
  -n, --runs N      timed runs of each command per language (default: 15)
  -l, --lang LANG   LANG value to measure in; repeat for several (default: C and ja_JP.UTF-8)
  --no-build        use the programs as they are; do not run cmake --build first
  --keep            keep the temporary folder with the log and the page
EOF
}

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
runs=15
langs=()
do_build=1
keep=0
while (($#)); do
    case "$1" in
        -b | --build) build=${2:?"$1 needs a folder"}; shift 2 ;;
        -n | --runs) runs=${2:?"$1 needs a number"}; shift 2 ;;
        -l | --lang) langs+=("${2:?"$1 needs a value"}"); shift 2 ;;
        --no-build) do_build=0; shift ;;
        --keep) keep=1; shift ;;
        -h | --help) usage; exit 0 ;;
        *) echo "bench/run.sh: unknown argument '$1'" >&2; usage >&2; exit 2 ;;
    esac
done
((${#langs[@]})) || langs=(C ja_JP.UTF-8)
if ! [[ $runs =~ ^[1-9][0-9]*$ ]]; then
    echo "bench/run.sh: the number of runs must be a positive integer" >&2
    exit 2
fi
if ! build_abs=$(cd "$build" 2>/dev/null && pwd); then
    echo "bench/run.sh: no build folder '$build'" >&2
    exit 2
fi
build=$build_abs

if ((do_build)); then
    if [[ ! -f $build/CMakeCache.txt ]]; then
        echo "bench/run.sh: $build is not configured; run: cmake -S $root -B $build -DCMAKE_BUILD_TYPE=Release" >&2
        exit 2
    fi
    cmake --build "$build" --target zintor make_report_log >/dev/null
fi
zintor=$build/zintor
for f in "$zintor" "$build/make_report_log"; do
    [[ -x $f ]] || { echo "bench/run.sh: $f is missing; build it first" >&2; exit 2; }
done
gnu_time=/usr/bin/time
if ! "$gnu_time" -f %M -o /dev/null true 2>/dev/null; then
    echo "bench/run.sh: GNU time is missing ($gnu_time); install the Debian package 'time'" >&2
    exit 2
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/zintor-bench.XXXXXX")
if ((keep)); then
    trap 'echo "kept: $tmp"' EXIT
else
    trap 'rm -rf "$tmp"' EXIT
fi
log=$tmp/vorlix_report202612.log
page=$tmp/vorlix_report202612.html
"$build/make_report_log" --max -o "$log"
rows=$(wc -l <"$log")
if ((rows != 65535)); then
    echo "bench/run.sh: the maximal log has $rows rows, not 65535" >&2
    exit 1
fi

awk_prog='{s[$1]+=$3; r[$1]+=$4; h[substr($2,1,2)]+=$3} END {for (k in s) print k, s[k], r[k]}'

# The language comes from the first non-empty of LC_ALL, LC_MESSAGES and LANG; the first two
# are emptied so that LANG decides.
run_zintor() { LC_ALL='' LC_MESSAGES='' LANG=$1 "$zintor" "$log" >/dev/null; }
run_awk() { LC_ALL='' LC_MESSAGES='' LANG=$1 awk -F, "$awk_prog" "$log" >/dev/null; }

# Microseconds since the epoch (EPOCHREALTIME, with the locale's decimal mark removed).
now_us() {
    local t=${EPOCHREALTIME/[.,]/}
    echo "$((10#$t))"
}

# Median of the numbers on standard input (the mean of the middle two for an even count).
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# Peak resident memory in KiB of the largest of three runs.
peak_rss() {
    local best=0 kib
    for _ in 1 2 3; do
        LC_ALL='' LC_MESSAGES='' LANG=$1 "$gnu_time" -f %M -o "$tmp/rss" "${@:2}" >/dev/null
        kib=$(tail -n 1 "$tmp/rss")
        ((kib > best)) && best=$kib
    done
    echo "$best"
}

echo "zintor benchmark: $rows rows over 31 days ($(du -k "$log" | cut -f1) KiB), $runs runs each, $(nproc) CPUs"
status=0
for lang in "${langs[@]}"; do
    rm -f "$page"
    # One untimed run of each: the file cache is warm, and the page must be written.
    if ! run_zintor "$lang" || [[ ! -s $page ]]; then
        echo "bench/run.sh: zintor wrote no page for LANG=$lang" >&2
        exit 1
    fi
    run_awk "$lang"
    : >"$tmp/zintor.us"
    : >"$tmp/awk.us"
    for ((i = 0; i < runs; i++)); do
        t0=$(now_us); run_zintor "$lang"; t1=$(now_us)
        echo $((t1 - t0)) >>"$tmp/zintor.us"
        t0=$(now_us); run_awk "$lang"; t1=$(now_us)
        echo $((t1 - t0)) >>"$tmp/awk.us"
    done
    z_us=$(median <"$tmp/zintor.us")
    a_us=$(median <"$tmp/awk.us")
    z_rss=$(peak_rss "$lang" "$zintor" "$log")
    a_rss=$(peak_rss "$lang" awk -F, "$awk_prog" "$log")
    awk -v lang="$lang" -v z="$z_us" -v a="$a_us" -v zr="$z_rss" -v ar="$a_rss" 'BEGIN {
        ratio = z / a
        printf "\nLANG=%s\n", lang
        printf "  zintor  median %8.1f ms   peak RSS %6.1f MiB\n", z / 1000, zr / 1024
        printf "  awk     median %8.1f ms   peak RSS %6.1f MiB\n", a / 1000, ar / 1024
        printf "  ratio   zintor/awk %.2f\n", ratio
        printf "  target  time no more than awk (aim: half): %s; peak RSS at most 16 MiB: %s\n",
               ratio <= 1 ? (ratio <= 0.5 ? "met, within half" : "met") : "NOT MET",
               zr <= 16 * 1024 ? "met" : "NOT MET"
        exit (ratio <= 1 && zr <= 16 * 1024) ? 0 : 1
    }' || status=1
done
exit "$status"
