#!/usr/bin/env bash
# Installs what the build needs (only what is missing) and builds VELTRA2 into
# build/. Safe to run again: a second run installs nothing and builds only what
# changed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VELTRA2_BUILD_DIR:-$root/build}

packages=(
    cmake g++ make clang-format openssl clang libclang-rt-14-dev llvm
    qtbase5-dev qtdeclarative5-dev qtdeclarative5-dev-tools qtquickcontrols2-5-dev
    qttools5-dev qttools5-dev-tools qttranslations5-l10n
    qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-controls2
    qml-module-qtquick-templates2 qml-module-qtquick-layouts qml-module-qt-labs-settings
    qml-module-qttest qml-module-qtquick-extras qml-module-qtquick-controls
    qml-module-qt-labs-folderlistmodel qml-module-qt-labs-platform qml-module-qtquick-dialogs
    qml-module-qtquick-privatewidgets desktop-file-utils dpkg-dev file
    help2man lintian appstream pkg-config libcpp-httplib-dev prometheus python3-yaml systemd
    xvfb xauth x11-utils dbus at-spi2-core python3-pyatspi libxcb1-dev
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
# Node.js comes with these machines; install Debian's only where there is none.
command -v npm >/dev/null 2>&1 || missing+=(nodejs npm)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The icon font package, pinned by package-lock.json.
stamp=$root/node_modules/.package-lock.json
if [ ! -f "$stamp" ] || [ "$root/package-lock.json" -nt "$stamp" ]; then
    (cd "$root" && npm ci --no-audit --no-fund --loglevel=error)
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
