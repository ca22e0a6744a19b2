#!/usr/bin/env bash
# Runs a command in the session a screen reader has: a D-Bus session of its own with the
# accessibility bus up, an X display of its own, and Qt exporting its accessibility tree there.
#
#   tests/support/accessibility-session.sh COMMAND [ARGUMENTS...]
set -euo pipefail
if [ -z "${ORVEX_ACCESSIBILITY_SESSION:-}" ]; then
    export ORVEX_ACCESSIBILITY_SESSION=1
    exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
# Qt joins the accessibility bus only when it is running already; asking its address starts it.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec "$@"
