#!/usr/bin/env bash
# Installs the Debian packages Tallimark needs to build and test, when they are missing.
# As root it runs apt-get; otherwise it prints the exact command and fails.
#   scripts/install-deps.sh            build and test packages
#   scripts/install-deps.sh fuzz       adds clang and its fuzzer runtime
#   scripts/install-deps.sh gui        adds Xvfb for running the window without a desktop
#   scripts/install-deps.sh format     adds clang-format for scripts/format.sh
#   scripts/install-deps.sh libreoffice adds LibreOffice Writer and AbiWord, which check how
#                                       other word processors show marked copies
set -euo pipefail

packages=(cmake make g++ ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
          libgtest-dev libgmock-dev libbenchmark-dev)
for extra in "$@"; do
  case "$extra" in
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    gui)  packages+=(xvfb xauth) ;;
    package) packages+=(dpkg-dev file) ;;
    format) packages+=(clang-format) ;;
    libreoffice) packages+=(libreoffice-writer-nogui abiword poppler-utils) ;;
    *) echo "install-deps: unknown extra '$extra'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y --no-install-recommends "${missing[@]}"
else
  echo "Tallimark needs these Debian packages. Install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
