#!/usr/bin/env bash
# Installs the Debian packages Tallimark needs to build and test, when they are missing.
# As root it runs apt-get; otherwise it prints the exact command and fails.
#   scripts/install-deps.sh            build and test packages
#   scripts/install-deps.sh fuzz       adds clang and its fuzzer runtime
#   scripts/install-deps.sh gui        adds Xvfb for running the window without a desktop
#   scripts/install-deps.sh format     adds clang-format for scripts/format.sh
#   scripts/install-deps.sh tidy       adds clang-tidy for scripts/tidy.sh
#   scripts/install-deps.sh package    adds what cpack needs to make the Debian package
#   scripts/install-deps.sh package-check adds lintian and appstreamcli, which check the package
#   scripts/install-deps.sh libreoffice adds LibreOffice Writer and AbiWord, which check how
#                                       other word processors show marked copies
#   scripts/install-deps.sh windows    adds mingw-w64, Wine and NSIS, and the Qt built for Windows
#                                       in /opt/qt6-mingw (see scripts/windows-qt.sh)
#   scripts/install-deps.sh locales    generates the locales the tests of numbers and dates use
#                                       (a decimal comma, and South Africa's), as root only
set -euo pipefail

packages=(cmake make g++ ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-qpa-plugins
          libgtest-dev libgmock-dev libbenchmark-dev libxlsxwriter-dev)
for extra in "$@"; do
  case "$extra" in
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    gui)  packages+=(xvfb xauth) ;;
    package) packages+=(dpkg-dev file gzip) ;;
    package-check) packages+=(lintian appstream) ;;
    format) packages+=(clang-format) ;;
    tidy) packages+=(clang-tidy) ;;
    locales) packages+=(locales) ;;
    libreoffice) packages+=(libreoffice-writer-nogui abiword poppler-utils) ;;
    windows) packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nsis zip
                        googletest xz-utils) ;;
    *) echo "install-deps: unknown extra '$extra'" >&2; exit 2 ;;
  esac
done

needs_windows_qt() {
  [[ " $* " == *" windows "* && ! -f /opt/qt6-mingw/lib/cmake/Qt6/qt.toolchain.cmake ]]
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [[ ${#missing[@]} -gt 0 ]]; then
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
fi

# Tests that need a locale skip without it; CI (as root) generates them so that they run.
test_locales=(de_DE.UTF-8 af_ZA.UTF-8 en_ZA.UTF-8)
if [[ " $* " == *" locales "* && $(id -u) -eq 0 ]]; then
  missing_locales=()
  for name in "${test_locales[@]}"; do
    locale -a | grep -qix "${name/UTF-8/utf8}" || missing_locales+=("$name")
  done
  if [[ ${#missing_locales[@]} -gt 0 ]]; then
    for name in "${missing_locales[@]}"; do
      sed -i "s/^# *\(${name} UTF-8\)/\1/" /etc/locale.gen
    done
    locale-gen >/dev/null
  fi
fi

if needs_windows_qt "$@"; then
  exec "$(dirname "$0")/windows-qt.sh"
fi
