#!/usr/bin/env bash
# Makes the Windows setup and the portable zip from a cross build:
#   scripts/windows-package.sh [BUILD]   (default build-windows)
# gives BUILD/Tallimark-<version>-win64-setup.exe and BUILD/Tallimark-<version>-win64-portable.zip.
set -euo pipefail
build=${1:-build-windows}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ -n $version ]] || { echo "windows-package: $build is no configured build" >&2; exit 1; }

work=$build/package
stage=$work/Tallimark
rm -rf "$work"
mkdir -p "$work"
cmake --install "$build" --prefix "$stage" --strip >/dev/null
cp "$source_dir/packaging/windows/tallimark.ico" "$work/"
# The runtime DLLs come with their debugging symbols, which a teacher's copy does not need.
find "$stage" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

# Every DLL a program or plugin imports is either part of Windows or carried in the package.
system_dlls='^(kernel32|user32|gdi32|gdiplus|shell32|ole32|oleaut32|advapi32|comdlg32|comctl32|winspool\.drv|ws2_32|version|winmm|imm32|dwmapi|uxtheme|shlwapi|netapi32|userenv|mpr|setupapi|wtsapi32|authz|d3d9|d3d11|d3d12|dxgi|dcomp|dwrite|d2d1|crypt32|secur32|msvcrt|ntdll|shcore|api-ms-win-.*)\.dll$'
missing=0
while IFS= read -r binary; do
  while IFS= read -r dll; do
    lower=${dll,,}
    [[ $lower =~ $system_dlls || $lower == winspool.drv ]] && continue
    if [[ ! -e $stage/$dll ]]; then
      echo "windows-package: $binary needs $dll, which the package does not carry" >&2
      missing=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p')
done < <(find "$stage" -name '*.exe' -o -name '*.dll')
[[ $missing -eq 0 ]] || exit 1

# The uninstaller removes exactly what the setup installed, deepest folders last.
{
  (cd "$stage" && find . -type f | sort) | while IFS= read -r file; do
    printf 'Delete "$INSTDIR\\%s"\n' "${file#./}" | tr '/' '\\'
  done
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | while IFS= read -r dir; do
    printf 'RMDir "$INSTDIR\\%s"\n' "${dir#./}" | tr '/' '\\'
  done
} > "$work/uninstall-files.nsh"

setup=$build/Tallimark-$version-win64-setup.exe
makensis -V2 -DVERSION="$version" -DSTAGE="$(cd "$stage" && pwd)" -DOUTFILE="$(pwd)/$setup" \
  "$source_dir/packaging/windows/tallimark.nsi"

portable=Tallimark-$version-win64-portable
rm -f "$build/$portable.zip"
mv "$stage" "$work/$portable"
(cd "$work" && zip -qr9 "../$portable.zip" "$portable")
mv "$work/$portable" "$stage"
echo "$setup"
echo "$build/$portable.zip"
