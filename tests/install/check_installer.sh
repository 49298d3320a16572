#!/usr/bin/env bash
# Installs the Windows installer under wine without questions, looks for the
# program, its Start-menu entry and its uninstall entry, uninstalls, and checks
# that nothing of it is left in the prefix's files or registry.
#   check_installer.sh BUILD_DIR
set -euo pipefail
installer=$(ls "$1"/veltra2-*-win64-setup.exe 2>/dev/null) ||
    { echo "FAIL: no installer in $1: tools/windows/build.sh makes it" >&2; exit 1; }
export WINEDEBUG=-all
# The wine prefix tools/windows/build.sh makes, unless another is named.
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-veltra2}
prefix=$WINEPREFIX
uninstall_keys() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' 2>/dev/null | tr -d '\r' | grep -i veltra2 || true; }
files() { find "$prefix/drive_c" -iname '*veltra2*' -not -path '*/Temp/*' -not -path '*/temp/*' | sort; }
fail() { echo "FAIL: $*" >&2; exit 1; }

folder="$prefix/drive_c/Program Files/VELTRA2"
[ ! -e "$folder" ] && [ -z "$(uninstall_keys)" ] || fail "VELTRA2 is installed already"
before=$(files) # what the program itself wrote when it ran here
# The uninstaller runs on as a copy of itself: wait until it has finished.
gone() {
    for _ in $(seq 120); do
        [ "$(files)" = "$before" ] && [ -z "$(uninstall_keys)" ] && break
        sleep 0.5
    done
}
# A failed check leaves the prefix as it found it, for the next run.
trap 'status=$?; [ $status = 0 ] || { [ ! -e "$folder/Uninstall.exe" ] || { wine "$folder/Uninstall.exe" /S; gone; }; }' EXIT
wine "$installer" /S
for f in veltra2.exe veltra2-devsim.exe veltra2ctl.exe veltra2-exporter.exe qt.conf Qt5Quick.dll platforms/qwindows.dll Uninstall.exe; do
    [ -e "$folder/$f" ] || [ -e "$folder/plugins/$f" ] || fail "not installed: $f"
done
# The installed folder runs on its own, with nothing of the build's around it.
wine "$folder/veltra2.exe" --version | grep -q '^VELTRA2 ' || fail "the installed program does not run"
wine "$folder/veltra2ctl.exe" --version | grep -q '^veltra2ctl ' || fail "the installed veltra2ctl does not run"
wine "$folder/veltra2-exporter.exe" --version | grep -q '^veltra2-exporter ' || fail "the installed exporter does not run"
# Under wine the Start-menu entry may be written a moment after the
# installer has returned.
for _ in $(seq 60); do
    files | grep -i 'Start Menu/Programs/VELTRA2/VELTRA2.lnk' >/dev/null && break
    sleep 0.5
done
files | grep -i 'Start Menu/Programs/VELTRA2/VELTRA2.lnk' >/dev/null || fail "no Start-menu entry: $(files)"
key=$(uninstall_keys)
[ -n "$key" ] || fail "no uninstall entry"
wine reg query "$key" /v UninstallString | grep -qi 'Uninstall.exe' || fail "uninstall entry names no uninstaller"

wine "$folder/Uninstall.exe" /S
gone
[ ! -e "$folder" ] || fail "left behind: $(find "$folder")"
[ "$(files)" = "$before" ] || fail "left behind: $(comm -13 <(echo "$before") <(files))"
[ -z "$(uninstall_keys)" ] || fail "uninstall entry left behind: $(uninstall_keys)"
echo "installed, found and uninstalled without a trace: $(basename "$installer")"
