#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs:
# the program and the simulator, a valid menu entry, the icon in every size,
# manual pages and AppStream metadata; then the Debian package, as lintian sees it.
#   check_install.sh BUILD_DIR
set -euo pipefail
build=$1
# Staged as the package lays it out: /usr, and the service's files in /lib
# and /etc.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
prefix=$stage/usr

fail() { echo "FAIL: $*"; exit 1; }
[ -x "$prefix/bin/veltra2" ] || fail "program not installed"
[ -x "$prefix/bin/veltra2-devsim" ] || fail "simulator not installed"
[ "$("$prefix/bin/veltra2ctl" --version)" = "veltra2ctl $(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")" ] \
    || fail "command-line companion not installed"
bash -n "$prefix/share/bash-completion/completions/veltra2ctl" || fail "no bash completion for veltra2ctl"
desktop=$prefix/share/applications/com.kestrel_instruments.veltra2.desktop
[ -f "$desktop" ] || fail "no menu entry"
desktop-file-validate "$desktop" || fail "menu entry does not validate"
grep -qx 'Exec=veltra2' "$desktop" || fail "menu entry does not start the program"
for size in 16 22 24 32 48 96 128; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/veltra2.png
    [ -f "$icon" ] || fail "no ${size}px icon"
    file "$icon" | grep -q "PNG image data, $size x $size" || fail "${size}px icon has the wrong size"
done
# The installed program runs from its installed place.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$(env -u DISPLAY "$prefix/bin/veltra2" --version)" = "VELTRA2 $version" ] || fail "installed program does not run"
for program in veltra2 veltra2-devsim veltra2ctl veltra2-exporter; do
    page=$prefix/share/man/man1/$program.1.gz
    [ -f "$page" ] || fail "no manual page for $program"
    zcat "$page" | grep -q '^\.SH DESCRIPTION' || fail "manual page of $program has no description"
done
# The exporter as a service: its unit, its hosts file, and what Prometheus and
# Grafana are given.
[ "$("$prefix/bin/veltra2-exporter" --version)" = "veltra2-exporter $version" ] || fail "exporter not installed"
unit=$stage/lib/systemd/system/veltra2-exporter.service
[ -f "$unit" ] || fail "no systemd unit for the exporter"
grep -qx 'DynamicUser=yes' "$unit" || fail "the exporter's service does not run as its own user"
# Verified as it would run here: the program at its staged place.
sed "s#/usr/bin/veltra2-exporter#$prefix/bin/veltra2-exporter#" "$unit" > "$stage/veltra2-exporter.service"
systemd-analyze verify --man=no "$stage/veltra2-exporter.service" || fail "the unit does not verify"
[ -f "$stage/etc/veltra2/exporter-hosts" ] || fail "no hosts file for the exporter's service"
python3 -m json.tool "$prefix/share/doc/veltra2/examples/veltra2-site.json" >/dev/null || fail "no Grafana dashboard"
metainfo=$prefix/share/metainfo/com.kestrel_instruments.veltra2.metainfo.xml
[ -f "$metainfo" ] || fail "no AppStream metadata"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "AppStream metadata does not validate"

# The Debian package, as lintian sees it: no error, no warning.
(cd "$build" && cpack -G DEB >/dev/null) || fail "no Debian package"
deb=$(ls "$build"/veltra2_"$version"_*.deb)
lintian --fail-on error,warning "$deb" || fail "lintian finds fault with $deb"
echo "install layout: ok"
