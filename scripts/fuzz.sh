#!/bin/bash
# Builds a libFuzzer target with clang and the sanitizers, then fuzzes it on one core.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET]   (default 60 seconds, target rtf)
#   rtf      the RTF reader and writer (seeds in tests/fuzz/corpus)
#   record   the class record reader, Tallimark.csv to the figures (seeds in tests/fuzz/record_corpus)
set -euo pipefail

seconds="${1:-60}"
target="${2:-rtf}"
case "$target" in
  rtf) seeds=corpus ;;
  record) seeds=record_corpus ;;
  *) echo "scripts/fuzz.sh: no fuzz target \"$target\" (rtf or record)" >&2; exit 2 ;;
esac
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTALLIMARK_FUZZ=ON -DTALLIMARK_BUILD_GUI=OFF -DTALLIMARK_BUILD_BENCH=OFF -DTALLIMARK_WERROR=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
cmake --build "$build" --target "${target}_fuzzer" -j "$(nproc)"

# The fuzzer adds what it finds to a working corpus; the seeds in the repository stay as they are.
work="$build/$seeds"
mkdir -p "$work" "$build/findings"
cp -n "$root/tests/fuzz/$seeds"/* "$work"/ 2>/dev/null || true

cd "$build/findings"
"$build/tests/fuzz/${target}_fuzzer" "$work" \
  -dict="$root/tests/fuzz/$target.dict" \
  -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1
