#!/bin/sh
# Builds Qt for 64-bit Windows from Debian's own qt6-base source, with Debian's
# mingw-w64 cross compiler and the host's Qt tools, into a cache folder outside
# the tree. The build takes an hour or more on two cores, so it is made once and
# reused: a finished prefix has a stamp file and is left alone.
#
#   TALVEN_WINDOWS_CACHE  the cache folder (default ~/.cache/talven-windows)
set -eu
cache="${TALVEN_WINDOWS_CACHE:-$HOME/.cache/talven-windows}"
prefix="$cache/qt6-mingw"
stamp="$prefix/.built"
[ -f "$stamp" ] && exit 0

here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$cache"
toolchain="$here/mingw-w64-toolchain.cmake"

source_dir="$(sh "$here/debian-source.sh" "$cache" qt6-base)"

# Debian's source leaves out the wintab headers (their licence forbids
# changes), hence no tablet events; Windows' platform plugin of this Qt does
# not build without OpenGL, so OpenGL stays on (dynamic, the Windows default).
cmake -S "$source_dir" -B "$cache/qt-build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_tabletevent=OFF
nice cmake --build "$cache/qt-build" --parallel 2
cmake --install "$cache/qt-build"
touch "$stamp"
