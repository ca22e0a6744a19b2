# Shared by test.sh and run.sh: installs Debian packages and locales that are not there yet.

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev
                libbenchmark-dev)
# Fonts: the panel names Arial and Courier New; Liberation is metric-compatible, DejaVu the fallback.
# Qt's SVG plugins draw the window icon.
RUN_PACKAGES=(fonts-liberation fonts-dejavu-core libqt6svg6)
# libhamlib-utils: Hamlib's own rigctl client tests the remote-control server, rigctld is the
# benchmark's reference. dbus-x11: a root run must not autolaunch a session bus, as D-Bus would.
# The screen-reader tests read the panel over AT-SPI in a D-Bus session of their own
# (at-spi2-core, python3-pyatspi, dbus-bin for dbus-run-session and dbus-send).
TEST_PACKAGES=("${RUN_PACKAGES[@]}" sigrok-cli locales python3 xvfb xauth libhamlib-utils
               dbus-x11 at-spi2-core python3-pyatspi dbus-bin dbus-daemon)
# scripts/check-package.sh: the tools that build and check the Debian package.
PACKAGE_CHECK_PACKAGES=(dpkg-dev lintian desktop-file-utils appstream man-db)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" >/dev/null
    fi
}

# ensure_locale de_DE UTF-8: the number-text tests run under a comma-decimal locale.
ensure_locale() {
    if ! locale -a 2>/dev/null | grep -qi "^$1\.utf-\?8$"; then
        as_root localedef -i "$1" -f "$2" "$1.$2"
    fi
}
