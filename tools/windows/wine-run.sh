#!/usr/bin/env bash
# Runs a Windows program of the build under wine, headless, with Qt for
# MinGW (VELTRA2_QT_DIR) and the MinGW runtime on its DLL path.
set -euo pipefail
qt=${VELTRA2_QT_DIR:?VELTRA2_QT_DIR names Qt for MinGW}
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-veltra2} # made by build.sh
winpath() { echo "Z:${1//\//\\}"; }
export WINEPATH="$(winpath "$qt/bin");$(winpath /usr/lib/gcc/x86_64-w64-mingw32/12-posix);$(winpath /usr/x86_64-w64-mingw32/lib)"
export QT_PLUGIN_PATH=$(winpath "$qt/plugins") QML2_IMPORT_PATH=$(winpath "$qt/qml")
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} QT_QUICK_BACKEND=${QT_QUICK_BACKEND:-software}
# The offscreen platform reads fonts from a folder; wine brings some.
export QT_QPA_FONTDIR=${QT_QPA_FONTDIR:-Z:\\usr\\share\\wine\\fonts}
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Wine keeps variables named QT_* from Windows programs; Windows reads names
# without regard to case, so they go across in lower case.
for name in $(compgen -e | grep '^QT_'); do
    export "${name,,}=${!name}"
done
case $(basename "$1") in
tst_*.exe)
    # Without a console window, Qt's test library writes its report to the
    # debugger; the report is asked for in a file and shown from there.
    log=$(mktemp --suffix=.txt)
    trap 'rm -f "$log"' EXIT
    code=0
    wine "$@" -o "$(winpath "$log"),txt" || code=$?
    cat "$log"
    exit $code
    ;;
esac
exec wine "$@"
