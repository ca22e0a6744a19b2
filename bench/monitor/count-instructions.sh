#!/usr/bin/env bash
# Instructions per measurement tick on the simulated board, with and without the access decoder
# listening, counted by callgrind over 10000 ticks: the same on every run whatever else the
# machine is doing. Needs valgrind and a built build/bench/monitor/tick_count.
set -euo pipefail
cd "$(dirname "$0")/../.."
ticks=10000
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for variant in board tap decoder; do
    valgrind --tool=callgrind --callgrind-out-file="$out" \
        --toggle-collect='orvex::Receiver::Timer1_Timer()' \
        build/bench/monitor/tick_count "$variant" "$ticks" >/dev/null 2>&1
    total=$(callgrind_annotate "$out" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
    printf '%-8s %6d instructions per tick\n' "$variant" $((total / ticks))
done
