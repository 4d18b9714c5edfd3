#!/bin/sh
# Builds libxlsxwriter for 64-bit Windows from Debian's own source package,
# with Debian's mingw-w64 cross compiler and mingw zlib, into the cache folder
# beside Qt. A finished prefix has a stamp file and is left alone.
#
#   TALVEN_WINDOWS_CACHE  the cache folder (default ~/.cache/talven-windows)
set -eu
cache="${TALVEN_WINDOWS_CACHE:-$HOME/.cache/talven-windows}"
prefix="$cache/xlsxwriter-mingw"
stamp="$prefix/.built"
[ -f "$stamp" ] && exit 0

here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$cache"

source_dir="$(sh "$here/debian-source.sh" "$cache" libxlsxwriter)"

# A DLL of its own, as on Debian; the zip writer and the temporary files come
# from its own third_party folder, zlib from mingw's.
rm -rf "$cache/xlsxwriter-build"
cmake -S "$source_dir" -B "$cache/xlsxwriter-build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED_LIBS=ON -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF
nice cmake --build "$cache/xlsxwriter-build" --parallel 1
cmake --install "$cache/xlsxwriter-build"
touch "$stamp"
