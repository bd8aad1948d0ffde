#!/usr/bin/env bash
# Checks the Debian package as Debian's own tools do: lintian finds no error and no warning (nor
# a missing hardening flag, which it reports only as information), and appstreamcli finds the
# AppStream metainfo the package carries valid. A tool that is not installed is skipped, and
# the check says so (scripts/install-deps.sh package-check installs both).
#   scripts/check-package.sh [BUILD]    BUILD: the folder `make package` built in (build-package)
set -euo pipefail
build=${1:-build-package}
cd "$(dirname "$0")/.."

shopt -s nullglob
debs=("$build"/tallimark_*.deb)
if [[ ${#debs[@]} -ne 1 ]]; then
  echo "check-package: expected one tallimark .deb in $build (run make package first)" >&2
  exit 1
fi
deb=${debs[0]}
failed=0

if command -v lintian >/dev/null 2>&1; then
  echo "== lintian $deb"
  # Information tags are shown too; of them only the hardening ones fail the check.
  report=$(lintian --display-info --fail-on none "$deb" 2>&1 | grep -v 'running with root privileges' || true)
  [[ -z $report ]] || echo "$report"
  if grep -Eq '^(E|W): |: hardening-' <<<"$report"; then
    echo "check-package: lintian FAILED" >&2
    failed=1
  else
    echo "lintian: no errors, no warnings"
  fi
else
  echo "check-package: lintian SKIPPED (not installed)"
fi

if command -v appstreamcli >/dev/null 2>&1; then
  unpacked=$(mktemp -d)
  trap 'rm -rf "$unpacked"' EXIT
  dpkg-deb -x "$deb" "$unpacked"
  metainfo=("$unpacked"/usr/share/metainfo/*.metainfo.xml)
  if [[ ${#metainfo[@]} -ne 1 ]]; then
    echo "check-package: the package carries ${#metainfo[@]} AppStream metainfo files, not one" >&2
    failed=1
  else
    echo "== appstreamcli validate ${metainfo[0]#"$unpacked"}"
    # The screenshots are on the project's web site; a build machine need not reach it.
    appstreamcli validate --no-net --pedantic "${metainfo[0]}" || failed=1
  fi
else
  echo "check-package: appstreamcli SKIPPED (not installed)"
fi

exit "$failed"
