#!/usr/bin/env bash
# Makes Qt 6.4.2 for Windows (x86_64-w64-mingw32, posix threads) from sources, once: qtbase from
# Debian's source package of qt6-base, qtsvg from its release archive. The machine's own Qt 6.4.2
# serves as the host tools (moc, rcc, uic). The result is kept outside the build trees, in
#   ${VERSALIO_CACHE:-$HOME/.cache/versalio}/qt-6.4.2-mingw-x86_64-shared-release
# and made only when missing. Where ../shared/windows/ holds a ready qt-6.4.2-mingw*.tar.xz, that is
# unpacked instead of building. Prints the prefix on its last line.
#
# Usage: scripts/windows/qt.sh [--print-prefix]
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
version=6.4.2
name="qt-$version-mingw-x86_64-shared-release"
cache=${VERSALIO_CACHE:-$HOME/.cache/versalio}
prefix="$cache/$name"
shared="$here/../shared/windows"

if [ "${1:-}" = --print-prefix ]; then echo "$prefix"; exit 0; fi
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools ninja-build cmake
          dpkg-dev xz-utils qt6-base-dev qt6-base-dev-tools qt6-svg-dev)
"$here/scripts/install-packages.sh" "${packages[@]}"

mkdir -p "$cache"

# A ready Qt for Windows beside the project: unpack it under the cache's name.
ready=$(ls "$shared"/qt-$version-mingw*.tar.xz 2>/dev/null | head -n 1 || true)
if [ -n "$ready" ]; then
  work=$(mktemp -d "$cache/unpack.XXXXXX")
  tar -xJf "$ready" -C "$work"
  top=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  rm -rf "$prefix"
  mv "$top" "$prefix"
  rm -rf "$work"
  touch "$prefix/.complete"
  echo "$prefix"
  exit 0
fi

src="$cache/src-$version"
mkdir -p "$src"

# qtbase: Debian's source package, which needs a deb-src entry for the machine's own suites.
if [ ! -d "$src/qtbase" ]; then
  if ! apt-get source --print-uris qt6-base >/dev/null 2>&1 || \
     [ -z "$(apt-get source --print-uris qt6-base 2>/dev/null | grep -F .dsc)" ]; then
    list=/etc/apt/sources.list.d/versalio-deb-src.sources
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | $sudo tee "$list" >/dev/null
    else
      grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $sudo tee "${list%.sources}.list" >/dev/null
    fi
    $sudo apt-get update -qq
  fi
  (cd "$src" && apt-get source -qq qt6-base >/dev/null)
  dir=$(find "$src" -mindepth 1 -maxdepth 1 -type d -name "qt6-base-$version*" | head -n 1)
  [ -n "$dir" ] || { echo "Debian's qt6-base source is not version $version" >&2; exit 1; }
  mv "$dir" "$src/qtbase"
fi
# qtsvg: the module's release archive.
if [ ! -d "$src/qtsvg" ]; then
  tar -xJf "$shared/qtsvg-everywhere-src-$version.tar.xz" -C "$src"
  dir=$(find "$src" -mindepth 1 -maxdepth 1 -type d -name "qtsvg*" | head -n 1)
  mv "$dir" "$src/qtsvg"
fi

toolchain="$here/scripts/windows/mingw-w64-x86_64.cmake"
jobs=${VERSALIO_QT_JOBS:-2}
common=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain"
        -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_HOST_PATH=/usr
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF)

build="$cache/build-$name"
cmake -S "$src/qtbase" -B "$build/qtbase" "${common[@]}" -DBUILD_SHARED_LIBS=ON \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_tabletevent=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_opengl_dynamic=ON
cmake --build "$build/qtbase" -j"$jobs"
cmake --install "$build/qtbase"

cmake -S "$src/qtsvg" -B "$build/qtsvg" "${common[@]}" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_FIND_ROOT_PATH="$prefix"
cmake --build "$build/qtsvg" -j"$jobs"
cmake --install "$build/qtsvg"

touch "$prefix/.complete"
echo "$prefix"
