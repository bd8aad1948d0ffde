#!/usr/bin/env bash
# Marks the bundled sample class into a fresh destination and prints the report and the results.
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
cli="$build/cli/tallimark-cli"
[[ -x $cli ]] || cli="$top/$build/cli/tallimark-cli"

class_dir="$top/examples/Grade10A"
out_root=$(mktemp -d "${TMPDIR:-/tmp}/tallimark-demo.XXXXXX")

echo "== Marking the sample class $class_dir"
echo "   memos:       $top/examples/Bron.rtf and Source.rtf"
echo "   destination: $out_root/Grade10A"
echo
status=0
"$cli" mark --memos "$top/examples" --out-root "$out_root" "$class_dir"/*.rtf || status=$?
echo
if [[ -f $out_root/Grade10A/Resultaat.res ]]; then
  echo "== $out_root/Grade10A/Resultaat.res"
  tr -d '\r' < "$out_root/Grade10A/Resultaat.res"
  echo
  echo "The marked copies (.rug) are RTF files: open them in LibreOffice Writer or Word, or in"
  echo "the window (make gui, then File > Open Marked SpeedTest)."
fi
exit $status
