#!/usr/bin/env bash
# Runs a Windows program of the build under wine, headless, with Qt for
# MinGW (VELTRA2_QT_DIR) and the MinGW runtime on its DLL path.
set -euo pipefail
qt=${VELTRA2_QT_DIR:?VELTRA2_QT_DIR names Qt for MinGW}
winpath() { echo "Z:${1//\//\\}"; }
export WINEPATH="$(winpath "$qt/bin");$(winpath /usr/lib/gcc/x86_64-w64-mingw32/12-posix);$(winpath /usr/x86_64-w64-mingw32/lib)"
export QT_PLUGIN_PATH=$(winpath "$qt/plugins") QML2_IMPORT_PATH=$(winpath "$qt/qml")
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} QT_QUICK_BACKEND=${QT_QUICK_BACKEND:-software}
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
