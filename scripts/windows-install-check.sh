#!/usr/bin/env bash
# Checks the Windows packages under Wine as a school computer would meet them, in a Wine prefix
# of its own with no Qt or MinGW DLLs on its path: the portable copy runs from its folder; the
# setup installs silently for the current user, the installed copy runs, and the uninstaller
# leaves nothing behind.
#   scripts/windows-install-check.sh [WINDOWS_BUILD]
set -euo pipefail
build=$(cd "${1:-build-windows}" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
setup=$build/Tallimark-$version-win64-setup.exe
portable=$build/Tallimark-$version-win64-portable.zip
for f in "$setup" "$portable"; do
  [[ -f $f ]] || { echo "windows-install-check: $f is missing (make windows-package)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tallimark-install.XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
unset WINEPATH
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
wineboot --init >/dev/null 2>&1
fail() { echo "windows-install-check: $*" >&2; exit 1; }

# The portable copy, unpacked as onto a USB stick.
(cd "$work" && unzip -q "$portable")
got=$(wine "$work/Tallimark-$version-win64-portable/tallimark-cli.exe" --version 2>&1 | tr -d '\r')
[[ $got == *"$version"* ]] || fail "the portable tallimark-cli.exe --version said: $got"
echo "portable: tallimark-cli.exe --version: $got"

# The setup, silently, for the current user.
wine "$setup" /S
wineserver -w
local_appdata=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
installed=$(winepath -u "$local_appdata\\Programs\\Tallimark" 2>/dev/null)
[[ -f $installed/tallimark.exe && -f $installed/platforms/qwindows.dll ]] || fail "nothing installed in $installed"
got=$(wine "$installed/tallimark-cli.exe" --version 2>&1 | tr -d '\r')
[[ $got == *"$version"* ]] || fail "the installed tallimark-cli.exe --version said: $got"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallimark' /v DisplayVersion 2>/dev/null \
  | grep -q "$version" || fail "no entry under the installed apps"
start_menu=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)
[[ -f $start_menu/Tallimark.lnk ]] || fail "no Start-menu entry in $start_menu"
# An installed copy marks into the user's documents, never into its own folder.
wine "$installed/tallimark-cli.exe" mark --memos "$local_appdata\\Programs\\Tallimark" \
  "$local_appdata\\Programs\\Tallimark\\examples\\Grade10A" >/dev/null 2>&1 || true
documents=$(winepath -u "$(wine cmd /c echo %USERPROFILE% 2>/dev/null | tr -d '\r')\\Documents\\Tallimark" 2>/dev/null)
[[ -f $documents/Grade10A/Resultaat.res ]] || fail "the installed copy did not mark into $documents"
[[ ! -e $installed/Grade10A ]] || fail "the installed copy marked into its own folder"
echo "setup: installed in $local_appdata\\Programs\\Tallimark, listed under installed apps, in the Start menu"

wine "$installed/Uninstall Tallimark.exe" /S
wineserver -w
sleep 1
[[ ! -e $installed ]] || fail "the uninstaller left $(find "$installed" | head -n 5 | tr '\n' ' ')"
[[ ! -e $start_menu/Tallimark.lnk ]] || fail "the uninstaller left the Start-menu entry"
if wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallimark' >/dev/null 2>&1; then
  fail "the uninstaller left the installed-apps entry"
fi
echo "uninstall: nothing left behind"
