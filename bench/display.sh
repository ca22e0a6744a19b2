# Sourced by the measurement scripts that draw. `use_private_display FOLDER`: unless
# QT_QPA_PLATFORM or DISPLAY already says where to draw, starts an Xvfb server of its own on a free
# display number (the server names it in FOLDER once it is ready) and exports DISPLAY; the
# server's process id is left in XVFB_PID for the caller's trap.
XVFB_PID=
use_private_display() {
    if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${DISPLAY:-}" ]; then
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$1/display" >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 50); do [ -s "$1/display" ] && break; sleep 0.1; done
        export DISPLAY=":$(cat "$1/display")"
    fi
}
