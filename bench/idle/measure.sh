#!/usr/bin/env bash
# CPU the panel uses while it sits idle with the receiver on and the simulated board measuring ten
# times a second, against a bare Qt 6 window with a 100 ms timer: user + system time of every
# thread (the scheduler's count in /proc/PID/task/*/schedstat) over the measuring time after a
# 2 s warm-up, as a share of one core. The runs alternate between the two, so that the machine's
# other load falls on both alike; the median of each is recorded. Draws on a private Xvfb server
# unless QT_QPA_PLATFORM or DISPLAY says otherwise.
#   bench/idle/measure.sh [build folder] [seconds, 30] [runs, 5]
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/ensure-packages.sh
source bench/record.sh
source bench/display.sh
ensure_packages xvfb
build=${1:-build}
seconds=${2:-30}
runs=${3:-5}
cmake --build "$build" --target orvex bare_qt_window | tail -1
folder=$(mktemp -d)
trap 'rm -rf "$folder"; [ -z "$XVFB_PID" ] || kill "$XVFB_PID"' EXIT
use_private_display "$folder"
mode=${QT_QPA_PLATFORM:-x11}
export HOME=$folder  # no window.ini or settings of the user's

# Nanoseconds of CPU every thread of the process has used.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { print s }'; }

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

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

bare=()
panel=()
for _ in $(seq "$runs"); do
    bare+=("$(one_run "$build/bench/startup/bare_qt_window" --tick)")
    rm -f "$folder/ORVEX.ini"
    # The steady band: a live band's transmissions would move the meter on some runs and not on
    # others, and decide the figure by chance.
    panel+=("$(one_run "$build/app/orvex" --board sim --sim-band steady --switch-on \
        --settings "$folder/ORVEX.ini")")
done
bare_median=$(printf '%s\n' "${bare[@]}" | median)
panel_median=$(printf '%s\n' "${panel[@]}" | median)
echo "bare with a 100 ms timer: runs (% of one core) ${bare[*]}, median $bare_median %"
echo "orvex: runs (% of one core) ${panel[*]}, median $panel_median %"
awk -v a="$panel_median" -v b="$bare_median" 'BEGIN { printf "ratio %.2f\n", a / b }'
record "idle.$mode.bare.percent" "$bare_median"
record "idle.$mode.orvex.percent" "$panel_median"
