#!/usr/bin/env bash
# Benchmark of `zintor --all FOLDER` against the same pages written by single runs.
#
# Makes a folder of report logs of a month each (make_report_log, one row a minute: 43,200
# rows, about 1.3 MB a log) and times, alternately in each round so that both see the same
# machine load: `zintor --all FOLDER` with no page there, and `zintor LOG` for every log one
# after another. Prints the median wall time of each, their ratio and the pages compared
# byte for byte. See bench/README.md.
set -euo pipefail

usage() {
    cat <<'EOF_USAGE'
Usage: bench/all.sh [-b BUILD-DIR] [-n LOGS] [-r ROUNDS] [-i SECONDS] [--no-build] [--keep]
  -b, --build DIR     build folder holding zintor and make_report_log (default: build)
  -n, --logs N        report logs in the folder (default: 1000)
  -r, --rounds R      timed rounds of each way (default: 3)
  -i, --interval S    seconds between a log's rows (default: 60, a month of 43,200 rows)
  --no-build          use the programs as they are; do not run cmake --build first
  --keep              keep the temporary folder with the logs and the pages
EOF_USAGE
}

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
logs=1000
rounds=3
interval=60
do_build=1
keep=0
while (($#)); do
    case "$1" in
        -b | --build) build=${2:?"$1 needs a folder"}; shift 2 ;;
        -n | --logs) logs=${2:?"$1 needs a number"}; shift 2 ;;
        -r | --rounds) rounds=${2:?"$1 needs a number"}; shift 2 ;;
        -i | --interval) interval=${2:?"$1 needs a number"}; shift 2 ;;
        --no-build) do_build=0; shift ;;
        --keep) keep=1; shift ;;
        -h | --help) usage; exit 0 ;;
        *) echo "bench/all.sh: unknown argument '$1'" >&2; usage >&2; exit 2 ;;
    esac
done
for n in "$logs" "$rounds" "$interval"; do
    [[ $n =~ ^[1-9][0-9]*$ ]] || { echo "bench/all.sh: '$n' is no positive integer" >&2; exit 2; }
done
((logs <= 1200)) || { echo "bench/all.sh: at most 1200 logs (100 years of months)" >&2; exit 2; }
build=$(cd "$build" 2>/dev/null && pwd) || { echo "bench/all.sh: no build folder" >&2; exit 2; }
if ((do_build)); then
    cmake --build "$build" --target zintor make_report_log >/dev/null
fi
zintor=$build/zintor
for f in "$zintor" "$build/make_report_log"; do
    [[ -x $f ]] || { echo "bench/all.sh: $f is missing; build it first" >&2; exit 2; }
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/zintor-bench-all.XXXXXX")
if ((keep)); then
    trap 'echo "kept: $tmp"' EXIT
else
    trap 'rm -rf "$tmp"' EXIT
fi
folder=$tmp/logs
mkdir "$folder"
# Twelve months of different traffic, each copied to the logs of its month of the years from
# 1990 on (vorlix_report199001.log, ...): the pages differ by month, the work is alike.
for month in $(seq 1 12); do
    "$build/make_report_log" --month "$month" --interval "$interval" --seed "$month" \
        -o "$tmp/month$month.log"
done
for ((i = 0; i < logs; i++)); do
    year=$((1990 + i / 12)) month=$((i % 12 + 1))
    cp "$tmp/month$month.log" "$folder/$(printf 'vorlix_report%04d%02d.log' "$year" "$month")"
done
rows=$(wc -l <"$tmp/month1.log")

# The language from LANG alone.
export LC_ALL='' LC_MESSAGES='' LANG=C
now_us() {
    local t=${EPOCHREALTIME/[.,]/}
    echo "$((10#$t))"
}
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
remove_pages() { find "$folder" -name '*.html' -delete; }
singles() {
    local log
    for log in "$folder"/*.log; do
        "$zintor" "$log" || return 1
    done
}

echo "zintor --all benchmark: $logs logs of $rows rows ($(du -sk "$folder" | cut -f1) KiB), $rounds rounds, $(nproc) CPUs"
remove_pages
singles
mkdir "$tmp/single-pages"
cp "$folder"/*.html "$tmp/single-pages/"
: >"$tmp/all.us"
: >"$tmp/single.us"
for ((r = 0; r < rounds; r++)); do
    remove_pages
    t0=$(now_us)
    summary=$("$zintor" --all "$folder")
    t1=$(now_us)
    echo $((t1 - t0)) >>"$tmp/all.us"
    if [[ $summary != "$logs pages written, 0 up to date, 0 failed" ]]; then
        echo "bench/all.sh: --all said '$summary'" >&2
        exit 1
    fi
    remove_pages
    t0=$(now_us)
    singles
    t1=$(now_us)
    echo $((t1 - t0)) >>"$tmp/single.us"
done
remove_pages
"$zintor" --all "$folder" >/dev/null
same=yes
for page in "$tmp/single-pages"/*.html; do
    cmp -s "$page" "$folder/${page##*/}" || { same=no; echo "differs: ${page##*/}" >&2; }
done
t_up=$(now_us)
"$zintor" --all "$folder" >"$tmp/up-to-date"
t_up=$(($(now_us) - t_up))

a_us=$(median <"$tmp/all.us")
s_us=$(median <"$tmp/single.us")
awk -v a="$a_us" -v s="$s_us" -v n="$logs" -v same="$same" -v up="$t_up" \
    -v upsaid="$(cat "$tmp/up-to-date")" 'BEGIN {
    printf "\n  --all FOLDER        median %8.2f s   %6.2f ms a page\n", a / 1e6, a / 1e3 / n
    printf "  zintor LOG x %-5d  median %8.2f s   %6.2f ms a page\n", n, s / 1e6, s / 1e3 / n
    printf "  ratio   --all/single runs %.2f (aim: at most 0.33)\n", a / s
    printf "  pages   byte-identical to single runs: %s\n", same
    printf "  again   --all with every page up to date: %.1f ms (%s)\n", up / 1e3, upsaid
    exit same == "yes" ? 0 : 1
}'
