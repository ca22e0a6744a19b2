#!/usr/bin/env bash
# Runs a command in the session a screen reader has: a D-Bus session of its own with the
# accessibility bus up, an X display of its own, and Qt exporting its accessibility tree there.
#
#   tests/support/accessibility-session.sh COMMAND [ARGUMENTS...]
set -euo pipefail
if [ -z "${ORVEX_ACCESSIBILITY_SESSION:-}" ]; then
    export ORVEX_ACCESSIBILITY_SESSION=1
    # The accessibility bus puts its socket at $XDG_RUNTIME_DIR/at-spi/bus and removes it when its
    # session ends: sessions run side by side (ctest -j) each need a runtime folder of their own,
    # or the first to end takes the others' bus away.
    runtime=$(mktemp -d "${TMPDIR:-/tmp}/orvex-accessibility.XXXXXX")
    trap 'rm -rf "$runtime"' EXIT
    status=0
    XDG_RUNTIME_DIR=$runtime dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$0" "$@" || status=$?
    exit "$status"
fi
# Qt joins the accessibility bus only when it is running already; asking its address starts it.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec "$@"
