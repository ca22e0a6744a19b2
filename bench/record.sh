# Sourced by the measurement scripts. `record NAME VALUE` adds a figure to the file named by
# $ORVEX_BENCH_RESULTS, where bench/run-all.sh collects them for the performance table; run by
# hand, a script only prints.
record() {
    if [ -n "${ORVEX_BENCH_RESULTS:-}" ]; then
        echo "$1 $2" >>"$ORVEX_BENCH_RESULTS"
    fi
}
