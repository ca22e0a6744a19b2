#!/usr/bin/env bash
# Start-up to the first frame and peak memory of the panel against a bare Qt 6 widgets program,
# each the median of five runs. Both end the moment their first frame is drawn. They draw on the
# X display in $DISPLAY, else on a private Xvfb server, else (QT_QPA_PLATFORM=offscreen) into
# memory.
#   bench/startup/measure.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/ensure-packages.sh
source bench/record.sh
source bench/display.sh
ensure_packages time xvfb
build=${1:-build}
cmake --build "$build" --target orvex bare_qt_window | tail -1
export ORVEX_EXIT_AFTER_FIRST_FRAME=1
settings=$(mktemp -d)
trap 'rm -rf "$settings"; [ -z "$XVFB_PID" ] || kill "$XVFB_PID"' EXIT
use_private_display "$settings"
echo "drawing on: ${QT_QPA_PLATFORM:-X display $DISPLAY}"
mode=${QT_QPA_PLATFORM:-x11}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Prints "milliseconds kilobytes" for one run of the command.
one_run() {
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$settings/time" "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo "$(( (end - start) / 1000000 )) $(cat "$settings/time")"
}

measure() {
    local name=$1; shift
    local runs=()
    for _ in 1 2 3 4 5; do runs+=("$(one_run "$@")"); done
    local ms kb
    ms=$(printf '%s\n' "${runs[@]}" | cut -d' ' -f1 | median)
    kb=$(printf '%s\n' "${runs[@]}" | cut -d' ' -f2 | median)
    echo "$name $ms $kb"
}

bare=$(measure bare "$build/bench/startup/bare_qt_window")
panel=$(measure orvex "$build/app/orvex" --board sim --settings "$settings/ORVEX.ini")
echo "program           first frame (ms)   peak RSS (KiB)"
for row in "$bare" "$panel"; do
    read -r name ms kb <<<"$row"
    printf '%-17s %16s %16s\n' "$name" "$ms" "$kb"
done
read -r _ bms bkb <<<"$bare"
read -r _ pms pkb <<<"$panel"
awk -v a="$pms" -v b="$bms" -v c="$pkb" -v d="$bkb" \
    'BEGIN { printf "ratio             %16.2f %16.2f\n", a / b, c / d }'
record "startup.$mode.bare.ms" "$bms"
record "startup.$mode.orvex.ms" "$pms"
record "rss.$mode.bare.kib" "$bkb"
record "rss.$mode.orvex.kib" "$pkb"
