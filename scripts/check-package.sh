#!/usr/bin/env bash
# Builds the Debian package in its own folder (Release, no tests or benchmarks) and checks it as a
# distribution would: its control data and contents, lintian, the desktop entry, the AppStream
# file, the manual page; then installs it and runs the installed program.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure-packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${PACKAGE_CHECK_PACKAGES[@]}"

build=build-package
step() { printf '\n== %s\n' "$*"; }

step "Building the package"
# Debian's hardening flags and its -O2 (in place of Release's -O3), without debug information (the
# package ships stripped binaries, so no source paths to map either).
export DEB_BUILD_MAINT_OPTIONS="hardening=+bindnow reproducible=-fixfilepath,-fixdebugpath"
export CPPFLAGS="$(dpkg-buildflags --get CPPFLAGS)"
export CXXFLAGS="$CPPFLAGS $(DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get CXXFLAGS)"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
# With paths taken relative to the checkout, ccache serves a clone in another folder too.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$PWD"
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
      -DORVEX_BUILD_TESTS=OFF -DORVEX_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build"
rm -f "$build"/orvex_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/orvex_*.deb)
echo "$deb"

step "dpkg-deb --info"
dpkg-deb --info "$deb"
for field in Depends Maintainer Section Description; do
    dpkg-deb --field "$deb" "$field" | grep -q . || { echo "no $field field" >&2; exit 1; }
done
dpkg-deb --field "$deb" Depends | grep -q libqt6widgets6 ||
    { echo "Depends lacks the Qt 6 libraries: dpkg-shlibdeps did not run" >&2; exit 1; }

step "dpkg-deb --contents"
contents=$(dpkg-deb --contents "$deb")
echo "$contents"
for path in usr/bin/orvex usr/share/applications/org.orvex.FrontPanel.desktop \
            usr/share/icons/hicolor/scalable/apps/org.orvex.FrontPanel.svg \
            usr/share/metainfo/org.orvex.FrontPanel.metainfo.xml usr/share/man/man1/orvex.1.gz \
            usr/lib/systemd/user/orvex-rigctl.service usr/share/doc/orvex/copyright \
            usr/share/doc/orvex/changelog.gz; do
    grep -q " \./$path\$" <<<"$contents" || { echo "the package lacks /$path" >&2; exit 1; }
done

step "lintian"
lintian --fail-on error --info "$deb"

step "desktop-file-validate and appstreamcli validate"
desktop-file-validate app/data/org.orvex.FrontPanel.desktop
appstreamcli validate --no-net app/data/org.orvex.FrontPanel.metainfo.xml

step "man ./orvex.1"
warnings=$(cd app/data && MANWIDTH=80 man --warnings -E UTF-8 ./orvex.1 2>&1 >/dev/null)
if [ -n "$warnings" ]; then echo "$warnings" >&2; exit 1; fi
(cd app/data && MANWIDTH=80 man -E UTF-8 ./orvex.1 | head -n 12)

step "Installing the package"
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
version=$(/usr/bin/orvex --version)
echo "$version"
[ "$version" = "orvex $(dpkg-deb --field "$deb" Version)" ] ||
    { echo "the installed program names another version" >&2; exit 1; }
# The installed program draws its first frame, window icon and all, with what the package pulled in.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
QT_QPA_PLATFORM=offscreen ORVEX_EXIT_AFTER_FIRST_FRAME=1 timeout 60 /usr/bin/orvex --board sim \
    --settings "$scratch/ORVEX.ini" 2>"$scratch/stderr"
if grep -q "window icon" "$scratch/stderr"; then cat "$scratch/stderr" >&2; exit 1; fi
as_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq orvex >/dev/null
echo "Package checked: $deb"
