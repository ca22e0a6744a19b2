#!/usr/bin/env bash
# Instructions per measurement tick on the simulated board, with and without the access decoder
# listening (and watching, as while the monitor is open), counted by callgrind over 10000 ticks:
# the same on every run whatever else the machine is doing. Needs valgrind and a built
# tick_count.
#   bench/monitor/count-instructions.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/../.."
ticks=10000
out=$(mktemp)
trap 'rm -f "$out"' EXIT
source bench/record.sh
build=${1:-build}
for variant in board tap decoder watching; do
    valgrind --tool=callgrind --callgrind-out-file="$out" \
        --toggle-collect='orvex::bench::TickingReceiver::tick()' \
        "$build/bench/monitor/tick_count" "$variant" "$ticks" >/dev/null 2>&1
    total=$(callgrind_annotate "$out" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
    printf '%-8s %6d instructions per tick\n' "$variant" $((total / ticks))
    record "tick.$variant.instructions" $((total / ticks))
done
