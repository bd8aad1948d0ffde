#!/usr/bin/env bash
# Starts the Windows build's window under Wine on a virtual screen with a window manager, marks
# the sample class by keyboard as a teacher would (select every test, Insert puts them in the
# green box, then the marking button), and saves a picture of the screen for the README.
#   scripts/windows-screenshot.sh [WINDOWS_BUILD] [OUTPUT.png]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build-windows}" && pwd)
output=${2:-$top/docs/windows-window.png}
display=:${TALLIMARK_SCREEN:-77}
for tool in Xvfb openbox xdotool xwd python3; do
  command -v $tool >/dev/null || { echo "windows-screenshot: needs $tool (xvfb openbox xdotool x11-apps)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tallimark-winshot.XXXXXX")
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 2
export DISPLAY=$display
openbox >/dev/null 2>&1 &
cp -r "$top/examples/Grade10A" "$work/"
cp "$top/examples/Bron.rtf" "$top/examples/Source.rtf" "$work/"
# The memos are looked up in the folder the program starts in.
(cd "$work" && "$top/scripts/wine-run.sh" "$build/app/tallimark.exe" "$(winepath -w "$work/Grade10A" 2>/dev/null)" \
  >/dev/null 2>&1 &)
window=""
for _ in $(seq 60); do
  window=$(xdotool search --name "Tallimark" 2>/dev/null | head -n1 || true)
  [[ -n $window ]] && break
  sleep 1
done
[[ -n $window ]] || { echo "windows-screenshot: the window did not appear" >&2; exit 1; }
sleep 3
xdotool windowactivate --sync "$window" 2>/dev/null || true
if [[ ${TALLIMARK_SCREENSHOT_MARK:-1} == 1 ]]; then
  # The file list has the focus after start-up: select all, Insert into the green box, mark.
  xdotool key --window "$window" ctrl+a Insert
  sleep 1
  xdotool key --window "$window" alt+m 2>/dev/null || true
  sleep 8
fi
mkdir -p "$(dirname "$output")"
xwd -root -silent | python3 "$top/scripts/xwd2png.py" > "$output"
wineserver -k 2>/dev/null || true
echo "$output"
