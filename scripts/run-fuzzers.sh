#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (the fuzz preset) and runs each of them.
#   scripts/run-fuzzers.sh                    a fixed number of runs per target with seed 1, from
#                                             the corpus in the repository alone: the same inputs
#                                             every time (CI)
#   FUZZ_SECONDS=600 scripts/run-fuzzers.sh   that many seconds for all targets together, shared
#                                             equally, with what earlier runs found by hand kept in
#                                             build-sanitize/fuzz-work/ (by hand)
# A failing input is saved under build-sanitize/fuzz-findings/TARGET/ and the exit status is 1. Such an
# input belongs in tests/fuzz/corpus/TARGET/regressions/ under a name that says what it does, next
# to its fix: the corpus replay test runs it in every build from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-dev

targets=(number_text ini_document settings_file rigctl_session channel_file)
# About 70 s for all targets together on the development machine (2 cores).
declare -A runs=([number_text]=1000000 [ini_document]=100000 [settings_file]=16000
    [rigctl_session]=16000 [channel_file]=30000)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_targets

build=build-sanitize
findings=$build/fuzz-findings
rm -rf "$findings"
if [ -n "${FUZZ_SECONDS:-}" ]; then
    work=$build/fuzz-work
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
# The settings target writes and flushes a file for every input: on tmpfs that costs no disk.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi

status=0
for target in "${targets[@]}"; do
    mkdir -p "$work/$target" "$findings/$target"
    if [ -n "${FUZZ_SECONDS:-}" ]; then
        limit=(-max_total_time=$((FUZZ_SECONDS / ${#targets[@]})))
    else
        limit=(-runs="${runs[$target]}" -seed=1)
    fi
    log=$findings/$target.log
    start=$SECONDS
    if "$build/tests/fuzz/fuzz_$target" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/$target/" \
        "$work/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        echo "fuzz_$target: $(grep -o 'Done [0-9]* runs' "$log" | cut -d' ' -f2) runs in" \
            "$((SECONDS - start)) s, $(grep -o 'new_units_added: *[0-9]*' "$log" | grep -o '[0-9]*$')" \
            "new inputs, no finding"
    else
        tail -n 40 "$log"
        echo "fuzz_$target FOUND A FAILING INPUT: $(ls "$findings/$target")" \
            "in $findings/$target/ (the whole output in $log)"
        status=1
    fi
done
exit $status
