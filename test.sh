#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs the whole suite. Quick when all is there.
# In CI (CI set) warnings are errors.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
ensure_locale de_DE UTF-8

preset=dev
if [ -n "${CI:-}" ]; then
    preset=ci
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j "$(nproc)"
