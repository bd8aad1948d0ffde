#!/usr/bin/env bash
# Puts the Qt built for Windows into /opt/qt6-mingw, where the cross build looks for it:
# unpacked from the team's ready archive when it is beside the checkout, otherwise built from
# Debian's own qt6-base source (about 45 minutes on two cores) with the options and the patch
# described in that archive's README.
#   scripts/windows-qt.sh [--build]
set -euo pipefail
prefix=/opt/qt6-mingw
toolchains=$(cd "$(dirname "$0")/../.." && pwd)/shared/toolchains
archive=$toolchains/qt-6.4.2-mingw-w64.tar.xz
patch=$toolchains/windows-plugin-without-wintab.patch

if [[ -f $prefix/lib/cmake/Qt6/qt.toolchain.cmake ]]; then
  exit 0
fi
if [[ $(id -u) -ne 0 && ! -w /opt ]]; then
  echo "windows-qt: /opt is not writable; run this as root (sudo $0)" >&2
  exit 1
fi
if [[ -f $archive && ${1:-} != --build ]]; then
  echo "Unpacking $archive into $prefix"
  tar -C /opt -xJf "$archive"
  exit 0
fi
if [[ ${1:-} != --build ]]; then
  cat >&2 <<MSG
windows-qt: no Qt for Windows in $prefix and no ready archive at $archive.
Build it from Debian's qt6-base source (needs a deb-src entry for bookworm, and the Wintab patch
$patch), about 45 minutes on two cores:
  sudo $0 --build
MSG
  exit 1
fi

[[ -f $patch ]] || { echo "windows-qt: the Wintab patch $patch is missing" >&2; exit 1; }
work=$(mktemp -d /tmp/qt6-mingw.XXXXXX)
cd "$work"
apt-get source qt6-base
src=$(find . -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
(cd "$src" && patch -p1 < "$patch")
cat > mingw-w64-x86_64.cmake <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN
mkdir build
cmake -G Ninja -S "$src" -B build -DCMAKE_TOOLCHAIN_FILE="$work/mingw-w64-x86_64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DCMAKE_INSTALL_PREFIX=$prefix \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_network=OFF -DFEATURE_concurrent=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
ninja -C build
cmake --install build
cp "$work/mingw-w64-x86_64.cmake" "$prefix/lib/cmake/"
rm -rf "$work"
