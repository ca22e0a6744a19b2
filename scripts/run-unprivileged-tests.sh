#!/usr/bin/env bash
# Runs the test programs whose permission cases skip as root (root may write anywhere) as an
# ordinary user, so those cases really run in CI, which runs as root.
# Usage: scripts/run-unprivileged-tests.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
programs=(tests/files/files_tests tests/settings/settings_tests tests/controls/receiver_tests
          tests/controls/channel_bank_tests)
# Cases that make files of other users need root; they ran in the ordinary suite.
root_only='RootRun.*:OtherUsersFiles.*'

if [ "$(id -u)" -ne 0 ]; then
    echo "Not root: the permission cases already ran in the ordinary suite."
    exit 0
fi
user=nobody
uid=$(id -u "$user")
gid=$(id -g "$user")

# The build folder may sit where the user cannot reach it: run copies from a folder of its own.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
chmod 755 "$stage"
mkdir -m 700 "$stage/tmp" "$stage/home"
chown "$uid:$gid" "$stage/tmp" "$stage/home"
status=0
for program in "${programs[@]}"; do
    cp "$build/$program" "$stage/"
    name=$(basename "$program")
    echo "== $name as $user"
    if ! output=$(cd "$stage" && setpriv --reuid="$uid" --regid="$gid" --clear-groups \
        env -i PATH=/usr/bin:/bin HOME="$stage/home" TMPDIR="$stage/tmp" \
        QT_QPA_PLATFORM=offscreen "./$name" --gtest_filter="-$root_only" 2>&1); then
        status=1
    fi
    echo "$output" | grep -E '^\[  (PASSED|FAILED|SKIPPED) |^\[  FAILED  \]' || true
    if echo "$output" | grep -q '^\[  SKIPPED \]'; then
        echo "$name skipped cases as an ordinary user:"
        echo "$output" | grep '^\[  SKIPPED \]'
        status=1
    fi
done
exit $status
