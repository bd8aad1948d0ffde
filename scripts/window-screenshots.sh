#!/usr/bin/env bash
# Takes the README's pictures of the main window under Xvfb with a window manager (openbox): on
# a 1024x600 school laptop screen, and on a 1920x1080 screen at 200 % scaling. Needs xvfb-run,
# openbox, xwd and Python 3 (scripts/xwd2png.py).
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
mkdir -p docs
# A teacher's folders rather than a developer's: a home of its own (TEACHER_HOME, made anew) with
# the program and its memos in one folder and the sample class in another.
teacher=${TEACHER_HOME:-/home/teacher}
rm -rf "$teacher"
mkdir -p "$teacher/Tallimark" "$teacher/School"
cp -r examples/Grade10A "$teacher/School/"
cp examples/Bron.rtf examples/Source.rtf "$build/app/tallimark" "$teacher/Tallimark/"
shoot() { # WIDTH HEIGHT SCALE FILE
  xvfb-run -a -s "-screen 0 ${1}x${2}x24" bash -c '
    openbox >/dev/null 2>&1 &
    sleep 1
    cd "'"$teacher"'/Tallimark"
    HOME="'"$teacher"'" QT_SCALE_FACTOR='"$3"' ./tallimark "'"$teacher"'/School/Grade10A" >/dev/null 2>&1 &
    app=$!
    sleep 4
    xwd -root -silent | python3 "'"$top"'/scripts/xwd2png.py" > "'"$top"'/docs/'"$4"'"
    kill $app'
  echo "docs/$4"
}
shoot 1024 600 1 window-1024x600.png
shoot 1920 1080 2 window-200-percent.png
