#!/usr/bin/env bash
# Builds VELTRA2 for 64-bit Windows from this tree, lays out a runnable folder
# and makes the installer:
#   tools/windows/build.sh QT_DIR [--test] [--winsparkle WinSparkle.dll]
# QT_DIR is Qt 5 for MinGW-w64 (x86_64, POSIX threads). Installs the Debian
# packages it needs. Output in build-win/: dist/ (the program's folder) and
# veltra2-<version>-win64-setup.exe. With --test, runs the tests under wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
qt=$(cd "${1:?usage: build.sh QT_DIR [--test] [--winsparkle DLL]}" && pwd)
shift
test=0
sparkle=""
while [ $# -gt 0 ]; do
    case $1 in
    --test) test=1; shift ;;
    --winsparkle) sparkle=$(realpath "$2"); shift 2 ;;
    *) echo "build.sh: unknown option $1" >&2; exit 2 ;;
    esac
done
build=${VELTRA2_WIN_BUILD_DIR:-$root/build-win}
dist=$build/dist

# What the cross build needs, besides what the Linux build installs.
"$root/tools/setup.sh" >/dev/null
packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 nsis curl patch xz-utils)
missing=()
for p in "${packages[@]}"; do
    [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing+=("$p")
done
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# A wine prefix of our own, made once.
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-veltra2}
[ -d "$WINEPREFIX/drive_c" ] || WINEDEBUG=-all wineboot -i >/dev/null 2>&1

# cpp-httplib for the exporter: Debian's own source package (the Linux build
# links Debian's binary of it), checked against the archive's hashes, with
# Debian's patches applied; the exporter compiles its header in.
httplib=$build/cpp-httplib
if [ ! -f "$httplib/httplib.h" ]; then
    pool=http://deb.debian.org/debian/pool/main/c/cpp-httplib
    fetched=$(mktemp -d)
    curl -fsS -o "$fetched/orig.tar.xz" "$pool/cpp-httplib_0.11.4+ds.orig.tar.xz"
    curl -fsS -o "$fetched/debian.tar.xz" "$pool/cpp-httplib_0.11.4+ds-1+deb12u1.debian.tar.xz"
    (cd "$fetched" && sha256sum -c --quiet) <<'SUMS'
8b1a5df569003b6a4f24c68489bbda5c64aec94697bdc9ebba5d79408b2ae7eb  orig.tar.xz
a0adf8a38610806f6d94ba69839438635e5e6580775e28ff31d6a081e34f1484  debian.tar.xz
SUMS
    rm -rf "$httplib" && mkdir -p "$httplib"
    tar -xJf "$fetched/orig.tar.xz" -C "$httplib" --strip-components=1
    tar -xJf "$fetched/debian.tar.xz" -C "$httplib"
    while read -r patch; do
        [ -z "$patch" ] || patch -s -p1 -d "$httplib" <"$httplib/debian/patches/$patch"
    done <"$httplib/debian/patches/series"
    rm -rf "$fetched"
fi

# The host's Linguist tools make the catalogue; Qt for MinGW brings no Linux lrelease.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/tools/windows/mingw64.cmake" \
    -DCMAKE_PREFIX_PATH="$qt" -DQt5_DIR="$qt/lib/cmake/Qt5" -DQt5LinguistTools_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt5LinguistTools \
    -DVELTRA2_DEPLOY_DIR="$dist" -DVELTRA2_HTTPLIB_DIR="$httplib" >/dev/null
cmake --build "$build" -j "$(nproc)"

# The program's folder: Qt's libraries, plugins and QML modules as far as the
# program uses them, Qt's Russian catalogues and the MinGW runtime.
rm -rf "$dist"
mkdir -p "$dist/plugins" "$dist/qml" "$dist/translations"
cp "$build/veltra2.exe" "$build/tools/devsim/veltra2-devsim.exe" "$build/veltra2ctl.exe" \
    "$build/veltra2-exporter.exe" "$dist/"
[ -z "$sparkle" ] || cp "$sparkle" "$dist/WinSparkle.dll"
cp -r "$qt/plugins/platforms" "$qt/plugins/imageformats" "$qt/plugins/styles" "$dist/plugins/"
qml_modules=$("$qt/bin/qmlimportscanner" -rootPath "$root/qml" -importPath "$qt/qml" |
    sed -n 's/^ *"path": "\(.*\)",\?$/\1/p' | sort -u)
for module in $qml_modules; do
    # Files, and modules inside one already taken whole, are there already.
    relative=${module#"$qt/qml/"}
    [ -d "$module" ] && [ ! -e "$dist/qml/$relative" ] || continue
    mkdir -p "$dist/qml/$(dirname "$relative")"
    cp -r "$module" "$dist/qml/$relative"
done
cp /usr/share/qt5/translations/{qtbase,qtdeclarative,qtquickcontrols}_ru.qm "$dist/translations/"
# Qt finds its plugins, QML modules and catalogues in the program's folder.
printf '[Paths]\nPrefix=.\n' >"$dist/qt.conf"
# Every DLL a program, plugin or module needs, found in Qt or the MinGW runtime.
runtime=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib "$qt/bin")
while :; do
    wanted=$(find "$dist" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-objdump -p 2>/dev/null |
        sed -n 's/^\s*DLL Name: //p' | sort -u)
    added=0
    for dll in $wanted; do
        [ -e "$dist/$dll" ] && continue
        for dir in "${runtime[@]}"; do
            if [ -e "$dir/$dll" ]; then cp "$dir/$dll" "$dist/"; added=1; break; fi
        done
    done
    [ $added = 1 ] || break
done

(cd "$build" && cpack -G NSIS >/dev/null)
echo "Windows program folder: $dist"
echo "Installer: $(ls "$build"/veltra2-*-win64-setup.exe)"

if [ $test = 1 ]; then
    cd "$build"
    ctest --output-on-failure --timeout 600 -j "$(nproc)"
fi
