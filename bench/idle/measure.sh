#!/usr/bin/env bash
# CPU the panel uses while it sits idle with the receiver on and the simulated board measuring ten
# times a second, against a bare Qt 6 window sitting idle: CPU time over the measuring time after a
# 2 s warm-up, as a share of one core, median of the runs.
#   bench/idle/measure.sh [build folder] [seconds, 10] [runs, 5]
set -euo pipefail
cd "$(dirname "$0")/../.."
source bench/record.sh
build=${1:-build}
seconds=${2:-10}
runs=${3:-5}
cmake --build "$build" --target orvex bare_qt_window | tail -1
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

# Nanoseconds of CPU the process has used, from the scheduler's own count.
cpu_ns() { awk '{ print $1 }' "/proc/$1/schedstat"; }

# Percent of one core the command uses while idle.
one_run() {
    "$@" >/dev/null 2>&1 &
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

# Prints the median of the runs and records it under NAME.
measure() {
    local name=$1; shift
    local percent=()
    for _ in $(seq "$runs"); do percent+=("$(one_run "$@")"); done
    local median
    median=$(printf '%s\n' "${percent[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
    echo "$name: runs (% of one core) ${percent[*]}, median $median %"
    record "idle.$QT_QPA_PLATFORM.$name.percent" "$median"
}

measure bare "$build/bench/startup/bare_qt_window"
measure orvex "$build/app/orvex" --board sim --port lpt1 --switch-on --settings "$folder/ORVEX.ini"
