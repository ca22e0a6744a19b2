#!/usr/bin/env bash
# Requests per second and latency of the rigctl server, against Hamlib's rigctld with its dummy
# rig in the same run. Ours runs headless on the simulated board, switched on, its measurement
# cycle running; every F does the real port work. One client on loopback, one request at a time.
#   bench/remote/measure.sh [build folder] [requests] [seconds per run]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
requests=${2:-20000}
seconds=${3:-20}
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

echo "server command requests failures requests/s p50_us p99_us"
for command in f F; do
    echo "orvex $command $("$build/bench/remote/rigctl_load" "$ours" "$command" "$requests" "$seconds")"
    echo "rigctld $command $("$build/bench/remote/rigctl_load" "$theirs" "$command" "$requests" "$seconds")"
done
