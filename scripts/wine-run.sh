#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine, finding the Qt and MinGW runtime DLLs
# where Debian and scripts/install-deps.sh put them. Used by ctest as the cross-compiling
# emulator, and by hand:  scripts/wine-run.sh build-windows/cli/tallimark-cli.exe --version
set -euo pipefail
qt=${TALLIMARK_WINDOWS_QT:-/opt/qt6-mingw}
gcc_dlls=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
pthread_dlls=/usr/x86_64-w64-mingw32/lib
winpath() { echo "Z:${1//\//\\}"; }
export WINEPATH="$(winpath "$qt/bin");$(winpath "$gcc_dlls");$(winpath "$pthread_dlls")${WINEPATH:+;$WINEPATH}"
export QT_PLUGIN_PATH="$(winpath "$qt/plugins")"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml,winemenubuilder.exe="}
export WINEPREFIX=${WINEPREFIX:-$HOME/.local/share/tallimark-wine}
if [[ ! -d $WINEPREFIX ]]; then
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
fi
exec wine "$@"
