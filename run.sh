#!/usr/bin/env bash
# Installs what is missing (fonts included), builds the program and starts the front panel.
# Options are passed on: ./run.sh --board sim --trace ports.vcd
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target orvex

# The help and the version are printed without a display.
needs_display=yes
for option in "$@"; do
    case "$option" in
        -h | --help | --help-all | -v | --version) needs_display=no ;;
    esac
done
if [ "$needs_display" = yes ] && [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] &&
    [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found: start ./run.sh from a desktop session, or try: xvfb-run ./run.sh" >&2
    exit 1
fi
exec ./build/app/orvex "$@"
