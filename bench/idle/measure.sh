#!/usr/bin/env bash
# CPU the panel uses while it sits idle with the receiver on and the simulated board measuring ten
# times a second: CPU time over 10 s after a 2 s warm-up, as a share of one core, median of 5 runs.
#   bench/idle/measure.sh [build folder] [seconds]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
seconds=${2:-10}
cmake --build "$build" --target orvex | tail -1
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

# Nanoseconds of CPU the process has used, from the scheduler's own count.
cpu_ns() { awk '{ print $1 }' "/proc/$1/schedstat"; }

one_run() {
    "$build/app/orvex" --board sim --switch-on --settings "$folder/ORVEX.ini" >/dev/null 2>&1 &
    local pid=$!
    sleep 2
    local before after
    before=$(cpu_ns "$pid")
    sleep "$seconds"
    after=$(cpu_ns "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v a="$after" -v b="$before" -v s="$seconds" 'BEGIN { printf "%.3f\n", (a - b) / (s * 1e7) }'
}

runs=()
for _ in 1 2 3 4 5; do runs+=("$(one_run)"); done
echo "runs (% of one core): ${runs[*]}"
printf '%s\n' "${runs[@]}" | sort -n | awk '{ v[NR] = $1 } END { print "median: " v[3] " %" }'
