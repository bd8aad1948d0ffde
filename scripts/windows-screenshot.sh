#!/usr/bin/env bash
# Starts the Windows build's window under Wine on a virtual screen with a window manager, marks
# the sample class by keyboard as a teacher would (select every test, Insert puts them in the
# green box, then the marking button), and saves a picture of the screen for the README.
#   scripts/windows-screenshot.sh [WINDOWS_BUILD] [OUTPUT.png]
# TALLIMARK_SCREEN picks the virtual display (default :77), TALLIMARK_SCREENSHOT_MARK=0 takes the
# window before marking, TALLIMARK_SCREENSHOT_LOG=FILE keeps what Wine and the program print.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build-windows}" && pwd)
output=${2:-$top/docs/windows-window.png}
display=:${TALLIMARK_SCREEN:-77}
for tool in Xvfb openbox xdotool xwd python3 pngtopnm; do
  command -v $tool >/dev/null || { echo "windows-screenshot: needs $tool (xvfb openbox xdotool x11-apps netpbm)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tallimark-winshot.XXXXXX")
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 2
export DISPLAY=$display
openbox >/dev/null 2>&1 &
# The class on a drive of its own (S:), as on a school's share, so that the tree shows it alone.
mkdir -p "$work/School"
cp -r "$top/examples/Grade10A" "$work/School/"
# A portable copy beside the class, with its memos, keeps the marked class beside itself.
mkdir -p "$work/School/Tallimark"
cp "$build/app/tallimark.exe" "$top/examples/Bron.rtf" "$top/examples/Source.rtf" "$work/School/Tallimark/"
prefix=${WINEPREFIX:-$HOME/.local/share/tallimark-wine}
"$top/scripts/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true # makes the prefix when it is new
ln -sfn "$work/School" "$prefix/dosdevices/s:"
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true # Wine sees a new drive when it starts again
trap 'kill $xvfb 2>/dev/null || true; rm -f "$prefix/dosdevices/s:"; rm -rf "$work"' EXIT
# The memos are looked up in the folder the program starts in.
(cd "$work/School/Tallimark" && "$top/scripts/wine-run.sh" 'S:\Tallimark\tallimark.exe' 'S:\Grade10A' \
  >"${TALLIMARK_SCREENSHOT_LOG:-/dev/null}" 2>&1 &)
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
  # The file list has the focus after start-up: select all, Insert into the green box, then the
  # marking button (it has no key of its own). The picture shows the session's end: every
  # test's verdict in the report, the progress bar full; the closing message is moved aside.
  xdotool key --window "$window" ctrl+a Insert
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + WIDTH * 78 / 100)) $((Y + 118)) click 1
  xdotool mousemove 0 0
  done_box=""
  for _ in $(seq 120); do
    done_box=$(xdotool search --onlyvisible --name '^Done$' 2>/dev/null | head -n1 || true)
    [[ -n $done_box ]] && break
    sleep 0.5
  done
  [[ -n $done_box ]] && xdotool windowmove "$done_box" 1400 0
  sleep 3
  mkdir -p "$(dirname "$output")"
  # The window opens at the screen's top left corner; the picture keeps it and its frame.
  xwd -root -silent | python3 "$top/scripts/xwd2png.py" | pngtopnm |
    pnmcut -left 0 -top 0 -width $((X + WIDTH + 5 < 1366 ? X + WIDTH + 5 : 1366)) -height $((HEIGHT + 28 < 768 ? HEIGHT + 28 : 768)) |
    pnmtopng > "$output"
else
  mkdir -p "$(dirname "$output")"
  xwd -root -silent | python3 "$top/scripts/xwd2png.py" > "$output"
fi
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
echo "$output"
