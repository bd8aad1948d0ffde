#!/bin/bash
# Builds the libFuzzer targets with clang and the sanitizers, then fuzzes the RTF reader.
# Usage: scripts/fuzz.sh [SECONDS]   (default 60)
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTALLIMARK_FUZZ=ON -DTALLIMARK_BUILD_GUI=OFF -DTALLIMARK_BUILD_BENCH=OFF -DTALLIMARK_WERROR=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
cmake --build "$build" --target rtf_fuzzer -j "$(nproc)"

# The fuzzer adds what it finds to a working corpus; the seeds in the repository stay as they are.
work="$build/corpus"
mkdir -p "$work" "$build/findings"
cp -n "$root"/tests/fuzz/corpus/* "$work"/ 2>/dev/null || true

cd "$build/findings"
"$build/tests/fuzz/rtf_fuzzer" "$work" \
  -dict="$root/tests/fuzz/rtf.dict" \
  -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1
