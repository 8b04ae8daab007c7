#!/usr/bin/env bash
# Benchmark of the recorder: CPU time per row and peak resident memory of zintor-record at one
# row a second, on this machine's counters and on a tree of many interfaces (--root), and
# whether the rows add up to what the counters moved meanwhile. CPU time comes from
# /proc/PID/schedstat (nanoseconds on a processor), read after the first row and again before
# the end, so that the figure per row leaves out the start; peak memory is VmHWM.
set -euo pipefail

usage() {
    cat <<'EOF_USAGE'
Usage: bench/record.sh [-b BUILD-DIR] [-s SECONDS] [-i INTERFACES]
  -b, --build DIR        build folder holding zintor-record (default: build)
  -s, --seconds N        how long each run records, one row a second (default: 30)
  -i, --interfaces N     interfaces in the tree of the second run (default: 200)
EOF_USAGE
}

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
seconds=30
interfaces=200
while (($#)); do
    case "$1" in
        -b | --build) build=${2:?"$1 needs a folder"}; shift 2 ;;
        -s | --seconds) seconds=${2:?"$1 needs a number"}; shift 2 ;;
        -i | --interfaces) interfaces=${2:?"$1 needs a number"}; shift 2 ;;
        -h | --help) usage; exit 0 ;;
        *) echo "bench/record.sh: unknown argument '$1'" >&2; usage >&2; exit 2 ;;
    esac
done
recorder=$build/zintor-record
[[ -x $recorder ]] || { echo "bench/record.sh: $recorder is missing; build it first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rows_in() { cat "$1"/vorlix_report*.log 2>/dev/null | wc -l; }
cpu_ns() { cut -d' ' -f1 "/proc/$1/schedstat"; }
# Sent and received bytes of the physical interfaces the recorder counts by default.
counted_bytes() {
    "$recorder" --list ${2:+--root "$2"} | awk -v col="$1" 'NR > 1 && $4 == "yes" { s += $col } END { printf "%.0f\n", s }'
}

# One run: recorder arguments after the label; prints the figures.
run() {
    local label=$1 tree=${2:-}
    local folder="$work/logs-$label"
    local sent0 recv0
    sent0=$(counted_bytes 2 "$tree")
    recv0=$(counted_bytes 3 "$tree")
    "$recorder" --folder "$folder" --interval 1 ${tree:+--root "$tree"} 2>/dev/null &
    local pid=$!
    until (($(rows_in "$folder") >= 1)); do sleep 0.05; done
    local rows1 cpu1 rows2 cpu2 hwm
    rows1=$(rows_in "$folder")
    cpu1=$(cpu_ns $pid)
    sleep "$seconds"
    rows2=$(rows_in "$folder")
    cpu2=$(cpu_ns $pid)
    hwm=$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")
    kill -TERM $pid
    wait $pid
    local sent1 recv1 rowsSent rowsRecv
    sent1=$(counted_bytes 2 "$tree")
    recv1=$(counted_bytes 3 "$tree")
    read -r rowsSent rowsRecv < <(cat "$folder"/vorlix_report*.log | tr -d '\r' |
        awk -F, '{ s += $3; r += $4 } END { printf "%.0f %.0f\n", s, r }')
    awk -v l="$label" -v rows=$((rows2 - rows1)) -v ns=$((cpu2 - cpu1)) -v kb="$hwm" \
        'BEGIN { printf "  %-28s %5d rows   cpu %7.1f us/row   peak RSS %5.2f MiB\n", l, rows, ns / rows / 1000, kb / 1024 }'
    echo "  $(printf '%-28s' '') rows: sent $rowsSent, received $rowsRecv; counters moved: sent $((sent1 - sent0)), received $((recv1 - recv0)) (the counters' own reads included)"
}

# A tree of many interfaces whose counters move every 0.2 s.
tree=$work/root
mkdir -p "$tree/proc/net" "$tree/sys/class/net"
for ((i = 0; i < interfaces; i++)); do
    ln -s "../../devices/pci0000:00/0000:00:$i.0/net/eth$i" "$tree/sys/class/net/eth$i"
done
write_tree() {
    { echo "Inter-|   Receive"; echo " face |bytes"
      for ((i = 0; i < interfaces; i++)); do
          echo "  eth$i: $(($1 * (i + 1))) 0 0 0 0 0 0 0 $(($1 * 2 * (i + 1))) 0 0 0 0 0 0 0"
      done; } > "$tree/proc/net/dev.new"
    mv "$tree/proc/net/dev.new" "$tree/proc/net/dev"
}
write_tree 1000
(n=1000; while [[ -d $tree ]]; do n=$((n + 1000)); write_tree $n 2>/dev/null || true; sleep 0.2; done) &
mover=$!

echo "zintor-record benchmark: one row a second for $seconds s a run, $(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg)"
run "this machine"
run "$interfaces interfaces (--root)" "$tree"
kill $mover 2>/dev/null || true
wait $mover 2>/dev/null || true
