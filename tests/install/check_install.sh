#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop needs:
# the program and the simulator, a valid menu entry, the icon in every size,
# manual pages and AppStream metadata; then the Debian package, as lintian sees it.
#   check_install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

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
for program in veltra2 veltra2-devsim veltra2ctl; do
    page=$prefix/share/man/man1/$program.1.gz
    [ -f "$page" ] || fail "no manual page for $program"
    zcat "$page" | grep -q '^\.SH DESCRIPTION' || fail "manual page of $program has no description"
done
metainfo=$prefix/share/metainfo/com.kestrel_instruments.veltra2.metainfo.xml
[ -f "$metainfo" ] || fail "no AppStream metadata"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "AppStream metadata does not validate"

# The Debian package, as lintian sees it: no error, no warning.
(cd "$build" && cpack -G DEB >/dev/null) || fail "no Debian package"
deb=$(ls "$build"/veltra2_"$version"_*.deb)
lintian --fail-on error,warning "$deb" || fail "lintian finds fault with $deb"
echo "install layout: ok"
