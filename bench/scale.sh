#!/usr/bin/env bash
# How the command-line run grows: with the rows of the log (1,000, 8,000, 32,000 and 65,535),
# with the size of the template (1 MB and 50 MB), and over a batch of logs run one after the
# other. Prints the median wall time and the peak resident memory of each, for every program
# given (a build of zintor, and an older one to compare with). See bench/README.md.
set -euo pipefail

usage() {
    cat <<'EOF2'
Usage: bench/scale.sh [-n RUNS] [--batch N] PROGRAM...
  -n, --runs N   timed runs of each case and program, interleaved (default: 15)
  --batch N      logs in the batch, run one after the other, each program in turn (default: 1000)
  PROGRAM        a built zintor (its folder holds make_report_log and the templates)
EOF2
}

runs=15
batch=1000
programs=()
while (($#)); do
    case "$1" in
        -n | --runs) runs=${2:?"$1 needs a number"}; shift 2 ;;
        --batch) batch=${2:?"$1 needs a number"}; shift 2 ;;
        -h | --help) usage; exit 0 ;;
        -*) echo "bench/scale.sh: unknown argument '$1'" >&2; usage >&2; exit 2 ;;
        *) programs+=("$(realpath "$1")"); shift ;;
    esac
done
((${#programs[@]})) || { usage >&2; exit 2; }
gnu_time=/usr/bin/time
"$gnu_time" -f %M -o /dev/null true 2>/dev/null || { echo "bench/scale.sh: GNU time is missing" >&2; exit 2; }
maker=$(dirname "${programs[0]}")/make_report_log

tmp=$(mktemp -d "${TMPDIR:-/tmp}/zintor-scale.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

# Each program in a folder of its own, so that it can be given a template of any size.
for ((p = 0; p < ${#programs[@]}; p++)); do
    mkdir "$tmp/p$p"
    cp "${programs[p]}" "$tmp/p$p/zintor"
    cp "$(dirname "${programs[p]}")/zintor.htm_en.txt" "$tmp/p$p/zintor.htm_en.txt"
done
template=$tmp/template.htm_en.txt
cp "$(dirname "${programs[0]}")/zintor.htm_en.txt" "$template"

# A template grown to about size bytes: its first section padded with content lines.
grow_template() {
    python3 - "$template" "$1" "$2" <<'PY'
import sys
src = open(sys.argv[1], 'rb').read()
at = src.index(b'; html_header_end')
line = b'<p>' + b'x' * 92 + b'</p>\n'
open(sys.argv[3], 'wb').write(src[:at] + line * ((int(sys.argv[2]) - len(src)) // len(line)) + src[at:])
PY
}

now_us() {
    local t=${EPOCHREALTIME/[.,]/}
    echo "$((10#$t))"
}
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# One case: every program on log with the given template, interleaved; a line per program.
run_case() {
    local name=$1 log=$2 tpl=$3 p t0 t1 rss
    for ((p = 0; p < ${#programs[@]}; p++)); do
        if [[ -n $tpl ]]; then ln -f "$tpl" "$tmp/p$p/zintor.htm_en.txt"; fi
        : >"$tmp/t$p"
        LANG=C "$tmp/p$p/zintor" "$log" || { echo "bench/scale.sh: no page ($name)" >&2; exit 1; }
    done
    for ((i = 0; i < runs; i++)); do
        for ((p = 0; p < ${#programs[@]}; p++)); do
            t0=$(now_us); LANG=C "$tmp/p$p/zintor" "$log"; t1=$(now_us)
            echo $((t1 - t0)) >>"$tmp/t$p"
        done
    done
    for ((p = 0; p < ${#programs[@]}; p++)); do
        LC_ALL='' LC_MESSAGES='' LANG=C "$gnu_time" -f %M -o "$tmp/rss" "$tmp/p$p/zintor" "$log"
        rss=$(tail -n 1 "$tmp/rss")
        awk -v n="$name" -v p="${programs[p]}" -v u="$(median <"$tmp/t$p")" -v r="$rss" \
            'BEGIN {printf "  %-22s %8.2f ms  peak RSS %7.1f MiB  %s\n", n, u / 1000, r / 1024, p}'
    done
}

echo "zintor scaling: $runs runs a case, $(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg)"
for rows in 1000 8000 32000; do
    "$maker" --month 12 --interval 40 --rows "$rows" -o "$tmp/vorlix_report2026$rows.log"
done
"$maker" --max -o "$tmp/vorlix_report202612.log"
for rows in 1000 8000 32000; do run_case "$rows rows" "$tmp/vorlix_report2026$rows.log" ""; done
run_case "65535 rows" "$tmp/vorlix_report202612.log" ""
grow_template 1048576 "$tmp/t1m"
run_case "65535 rows, 1 MB tpl" "$tmp/vorlix_report202612.log" "$tmp/t1m"
grow_template 52428800 "$tmp/t50m"
run_case "65535 rows, 50 MB tpl" "$tmp/vorlix_report202612.log" "$tmp/t50m"
rm -f "$tmp/t1m" "$tmp/t50m"
for ((p = 0; p < ${#programs[@]}; p++)); do ln -f "$template" "$tmp/p$p/zintor.htm_en.txt"; done

# The batch: logs of a month each (one row a minute), as links to one file, each run once.
mkdir "$tmp/batch"
"$maker" --month 11 -o "$tmp/batch/vorlix_report0.log"
for ((i = 1; i < batch; i++)); do ln "$tmp/batch/vorlix_report0.log" "$tmp/batch/vorlix_report$i.log"; done
echo "batch: $batch logs of $(wc -l <"$tmp/batch/vorlix_report0.log") rows, one run each"
for round in 1 2; do
    for ((p = 0; p < ${#programs[@]}; p++)); do
        t0=$(now_us)
        for ((i = 0; i < batch; i++)); do LANG=C "$tmp/p$p/zintor" "$tmp/batch/vorlix_report$i.log"; done
        t1=$(now_us)
        awk -v r="$round" -v p="${programs[p]}" -v u=$((t1 - t0)) -v n="$batch" \
            'BEGIN {printf "  round %d  %8.2f s  %6.2f ms a log  %s\n", r, u / 1e6, u / n / 1000, p}'
    done
done
