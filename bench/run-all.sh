#!/usr/bin/env bash
# Runs every benchmark and writes the one performance table of docs/performance.md (between its
# markers; the prose stays): each figure next to its anchor measured in the same run, the ratio,
# and the machine it ran on. About ten minutes; configures and builds what is missing, so it
# works on a fresh clone.
#   bench/run-all.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" time libhamlib-utils valgrind
build=${1:-build}

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake --preset dev -B "$build" >/dev/null
fi
cmake --build "$build" --target orvex bare_qt_window port_access_bench widgets_bench rigctl_load \
    save_bench tick_count |
    tail -1

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
export ORVEX_BENCH_RESULTS=$results/figures.txt
: >"$ORVEX_BENCH_RESULTS"

{
    echo "$(date -u +%Y-%m-%d) on $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)," \
        "$(nproc) cores, load average $(cut -d' ' -f1 /proc/loadavg) at the start"
    echo "$(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r)"
    compiler=$(grep '^CMAKE_CXX_COMPILER:' "$build/CMakeCache.txt" | cut -d= -f2)
    echo "$("$compiler" --version | head -1), $(grep '^CMAKE_BUILD_TYPE:' "$build/CMakeCache.txt" |
        cut -d= -f2), Qt $(pkg-config --modversion Qt6Core)"
} >"$results/machine.txt"

# Google Benchmark: medians of repetitions, in CPU time (steadier than wall time on a busy machine).
echo "== port access"
"$build/bench/hardware/port_access_bench" --benchmark_filter='ioctl|LoadDivider' \
    --benchmark_repetitions=5 --benchmark_min_time=0.2 --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/port_access.json" --benchmark_out_format=json >/dev/null
echo "== dial repaint"
QT_QPA_PLATFORM=offscreen "$build/bench/widgets/widgets_bench" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/widgets.json" --benchmark_out_format=json >/dev/null

echo "== settings save"
"$build/bench/files/save_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/save.json" --benchmark_out_format=json >/dev/null

echo "== start-up and peak memory, X display (a private Xvfb server)"
env -u DISPLAY -u QT_QPA_PLATFORM bench/startup/measure.sh "$build"
echo "== start-up and peak memory, offscreen"
QT_QPA_PLATFORM=offscreen bench/startup/measure.sh "$build"
echo "== idle CPU, X display (a private Xvfb server), 5 runs of 30 s alternating with the anchor"
env -u DISPLAY -u QT_QPA_PLATFORM bench/idle/measure.sh "$build" 30 5
echo "== the measurement tick with the monitor's decoder, counted by callgrind"
bench/monitor/count-instructions.sh "$build"

echo "== remote control, against Hamlib's rigctld"
bench/remote/measure.sh "$build"
echo "== remote server under load and abuse"
PYTHONPATH=tests/support python3 tests/remote/rigctl_abuse.py "$build/app/orvex"
echo "== remote server: one client's backlog of saves and power switching"
PYTHONPATH=tests/support python3 tests/remote/rigctl_fairness.py "$build/app/orvex"

echo "== the table"
python3 bench/performance_table.py "$results" docs/performance.md
