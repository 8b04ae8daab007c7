#!/usr/bin/env bash
# Benchmark of the command-line run on the largest report log the reader holds.
#
# Makes a maximal log (65,535 rows over the 31 days of December 2026) in a temporary folder and
# times `zintor LOG` in each language against bench/floor.c (the same job in plain C) and an
# awk one-liner that adds up the same file, every command once a round so that all see the
# same machine load. Prints the median wall time of each, its CPU time, the ratios to the
# floor, to awk and to the first language, and the peak resident memory. See bench/README.md.
set -euo pipefail

usage() {
    cat <<'EOF'
Usage: bench/run.sh [-b BUILD-DIR] [-n RUNS] [-l LANG]... [--no-build] [--keep]
  -b, --build DIR   build folder holding zintor and make_report_log (default: build)
  -n, --runs N      timed rounds, each running every command once (default: 41)
  -l, --lang LANG   LANG value to measure in; repeat for several (default: C and ja_JP.UTF-8)
  --no-build        use the programs as they are; do not run cmake --build first
  --keep            keep the temporary folder with the log and the page
  --other PROGRAM   also time another zintor (an older build, say) in the same rounds
EOF
}

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
runs=41
langs=()
do_build=1
keep=0
other=
while (($#)); do
    case "$1" in
        -b | --build) build=${2:?"$1 needs a folder"}; shift 2 ;;
        -n | --runs) runs=${2:?"$1 needs a number"}; shift 2 ;;
        -l | --lang) langs+=("${2:?"$1 needs a value"}"); shift 2 ;;
        --no-build) do_build=0; shift ;;
        --keep) keep=1; shift ;;
        --other) other=${2:?"$1 needs a program"}; shift 2 ;;
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
floor=$build/bench_floor
if ((do_build)) || [[ ! -x $floor ]]; then
    cc -O2 -o "$floor" "$root/bench/floor.c"
fi
for f in "$zintor" "$build/make_report_log" "$floor" ${other:+"$other"}; do
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
floor_page=$tmp/floor.html

# The language comes from the first non-empty of LC_ALL, LC_MESSAGES and LANG; the first two
# are emptied so that LANG decides.
run_zintor() { LC_ALL='' LC_MESSAGES='' LANG=$1 "${2:-$zintor}" "$log" >/dev/null; }
run_awk() { LC_ALL='' LC_MESSAGES='' LANG=$1 awk -F, "$awk_prog" "$log" >/dev/null; }
run_floor() { "$floor" "$build/zintor.htm_en.txt" "$log" "$floor_page"; }

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

# Runs one command of the round and appends its wall time to its file.
timed() {
    local name=$1 t0 t1
    shift
    t0=$(now_us)
    "$@"
    t1=$(now_us)
    echo $((t1 - t0)) >>"$tmp/$name.us"
}

echo "zintor benchmark: $rows rows over 31 days ($(du -k "$log" | cut -f1) KiB), $runs rounds, $(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg)"
# One untimed run of each: the file cache is warm, and every page must be written.
for lang in "${langs[@]}"; do
    for z in "$zintor" ${other:+"$other"}; do
        rm -f "$page"
        if ! run_zintor "$lang" "$z" || [[ ! -s $page ]]; then
            echo "bench/run.sh: $z wrote no page for LANG=$lang" >&2
            exit 1
        fi
    done
done
run_awk C
run_floor
# Every command once a round, so that all of them see the same machine load.
names=()
for lang in "${langs[@]}"; do
    names+=("zintor.$lang")
    [[ -n $other ]] && names+=("other.$lang")
done
names+=(floor awk)
for name in "${names[@]}"; do : >"$tmp/$name.us"; done
for ((i = 0; i < runs; i++)); do
    for lang in "${langs[@]}"; do
        timed "zintor.$lang" run_zintor "$lang"
        [[ -n $other ]] && timed "other.$lang" run_zintor "$lang" "$other"
    done
    timed floor run_floor
    timed awk run_awk C
done
# CPU time (user and system) of each command, which the other programs of a busy machine
# disturb less than the wall time: the mean task clock of perf stat over the same number of
# runs, when perf is there.
cpu_ms() {
    if ((have_perf)); then
        LC_ALL='' LC_MESSAGES='' LANG=$1 perf stat -r "$runs" -x, -e task-clock "${@:2}" 2>&1 >/dev/null |
            awk -F, '/task-clock/ {printf "%.2f", $1}'
    else
        echo "-"
    fi
}
have_perf=0
perf stat -x, -e task-clock true >/dev/null 2>&1 && have_perf=1
f_cpu=$(cpu_ms C "$floor" "$build/zintor.htm_en.txt" "$log" "$floor_page")
f_us=$(median <"$tmp/floor.us")
a_us=$(median <"$tmp/awk.us")
printf '\n  %-24s median %8.2f ms   cpu %6s ms   page %d KiB\n' floor "$(awk -v u="$f_us" 'BEGIN {print u / 1000}')" \
    "$f_cpu" "$(($(stat -c %s "$floor_page") / 1024))"
printf '  %-24s median %8.2f ms   peak RSS %6.1f MiB\n' awk "$(awk -v u="$a_us" 'BEGIN {print u / 1000}')" \
    "$(awk -v k="$(peak_rss C awk -F, "$awk_prog" "$log")" 'BEGIN {print k / 1024}')"
status=0
first_us=
for lang in "${langs[@]}"; do
    rm -f "$page"
    run_zintor "$lang"
    page_kib=$(($(stat -c %s "$page") / 1024))
    for who in zintor ${other:+other}; do
        z_us=$(median <"$tmp/$who.$lang.us")
        bin=$zintor
        [[ $who == other ]] && bin=$other
        z_rss=$(peak_rss "$lang" "$bin" "$log")
        z_cpu=$(cpu_ms "$lang" "$bin" "$log")
        [[ -z $first_us ]] && first_us=$z_us
        awk -v name="$who LANG=$lang" -v z="$z_us" -v a="$a_us" -v f="$f_us" -v e="$first_us" \
            -v zr="$z_rss" -v kib="$page_kib" -v zc="$z_cpu" -v fc="$f_cpu" -v check=$([[ $who == zintor ]] && echo 1 || echo 0) 'BEGIN {
            printf "  %-24s median %8.2f ms   cpu %6s ms   peak RSS %4.1f MiB   page %d KiB\n", name, z / 1000, zc, zr / 1024, kib
            cpu = "-"
            if (fc + 0 > 0) cpu = sprintf("%.2f", zc / fc)
            printf "  %-24s /floor %.2f (cpu %s)   /awk %.2f   /first language %.2f\n", "", z / f, cpu, z / a, z / e
            if (!check) exit 0
            ok = z / f <= 1.5 && z / a <= 0.3 && z / e <= 1.15 && zr <= 5 * 1024
            printf "  %-24s at most 1.5x floor (aim 1.2x), 0.3x awk, 1.15x the first language, 5 MiB: %s\n", "",
                   ok ? (z / f <= 1.2 ? "met, within the aim" : "met") : "NOT MET"
            exit ok ? 0 : 1
        }' || status=1
    done
done
exit "$status"
