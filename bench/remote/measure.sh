#!/usr/bin/env bash
# Requests per second and latency of the rigctl server, against Hamlib's rigctld with its dummy
# rig in the same run. Ours runs headless on the simulated board, switched on, its measurement
# cycle running; every F does the real port work. One client on loopback, one request at a time;
# each measurement is run three times and the median run (by rate, and by p99) is reported.
# rigctld's dummy rig sleeps in every set, so its F runs once, with at most 250 requests.
#   bench/remote/measure.sh [build folder] [requests] [seconds per run]
set -euo pipefail
cd "$(dirname "$0")/../.."
source bench/record.sh
build=${1:-build}
requests=${2:-20000}
seconds=${3:-15}
cmake --build "$build" --target orvex rigctl_load | tail -1
command -v rigctld >/dev/null || { echo "rigctld is missing (Debian: libhamlib-utils)"; exit 1; }
folder=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$folder"
}
trap cleanup EXIT

# Waits up to 10 s for a line matching $2 in file $1, and prints the port it names.
port_in() {
    for _ in $(seq 100); do
        if grep -qE "$2" "$1" 2>/dev/null; then
            grep -oE "$2" "$1" | head -1 | grep -oE '[0-9]+$'
            return
        fi
        sleep 0.1
    done
    echo "no server came up: $(cat "$1")" >&2
    exit 1
}
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

"$build/app/orvex" --headless --rigctl 127.0.0.1:0 --board sim --switch-on \
    --settings "$folder/ORVEX.ini" 2>"$folder/orvex.log" &
pids+=($!)
ours=$(port_in "$folder/orvex.log" 'on 127\.0\.0\.1:[0-9]+')

theirs=$(free_port)
rigctld -m 1 -T 127.0.0.1 -t "$theirs" >"$folder/rigctld.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    python3 -c "import socket; socket.create_connection(('127.0.0.1', $theirs)).close()" \
        2>/dev/null && break
    sleep 0.1
done

# Runs the load generator `runs` times; prints the median rate, p50 and p99 (each the median of its
# column) and records the rate and the p99 under remote.COMMAND.SERVER.
measure() {
    local server=$1 port=$2 command=$3 count=$4 runs=$5 lines=()
    for _ in $(seq "$runs"); do
        lines+=("$("$build/bench/remote/rigctl_load" "$port" "$command" "$count" "$seconds")")
    done
    local median
    median=$(printf '%s\n' "${lines[@]}" | awk '
        { rate[NR] = $3; p50[NR] = $4; p99[NR] = $5; failed += $2 }
        function middle(v, n,   i, j, t) {
            for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
            return v[int((n + 1) / 2)]
        }
        END { print middle(rate, NR), middle(p50, NR), middle(p99, NR), failed }')
    read -r rate p50 p99 failed <<<"$median"
    printf '%-8s %-3s %8s /s  p50 %7s us  p99 %8s us  failures %s  (runs: %s)\n' "$server" \
        "$command" "$rate" "$p50" "$p99" "$failed" "$(printf '%s; ' "${lines[@]}")"
    record "remote.$command.$server.rate" "$rate"
    record "remote.$command.$server.p99_us" "$p99"
}

measure ours "$ours" f "$requests" 3
measure rigctld "$theirs" f "$requests" 3
measure ours "$ours" F "$requests" 3
measure rigctld "$theirs" F $((requests < 250 ? requests : 250)) 1
