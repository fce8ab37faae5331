#!/usr/bin/env bash
# The Windows program, built on Linux from the same source with MinGW-w64 and a Qt for Windows made
# from sources (scripts/windows/qt.sh).
#   package  writes dist/Versalio-VERSION-windows-x86_64.zip: one folder "Versalio" to unzip and start
#   test     runs the test programs that need no real screen under Wine
# The password store and the guide are made by the Linux build's own steps (build/), since they are
# the same files on both systems.
set -euo pipefail
cd "$(dirname "$0")/../.."
what=${1:-package}
triple=x86_64-w64-mingw32
here=scripts/windows
cache=${VERSALIO_CACHE:-$HOME/.cache/versalio}

packages=(wine wine64 binutils-mingw-w64-x86-64)
scripts/install-packages.sh "${packages[@]}"

qt=$("$here/qt.sh" | tail -n 1)
[ -f "$qt/.complete" ] || { echo "build.sh: no Qt for Windows at $qt" >&2; exit 1; }

# Wine runs the Windows programs: prefixes of their own in the cache, no questions about Mono or
# Gecko, and Windows' Arial, Courier New and Tahoma taken by the Liberation fonts of the same widths,
# as a Windows PC has them. Extra NAME VALUE pairs go into the prefix's environment.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
winePrefix() {
  export WINEPREFIX=$1; shift
  [ -d "$WINEPREFIX" ] && return 0
  wineboot -i >/dev/null 2>&1 || true
  local key='HKCU\Software\Wine\Fonts\Replacements'
  wine reg add "$key" /v Arial /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1
  wine reg add "$key" /v Tahoma /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1
  wine reg add "$key" /v "Courier New" /t REG_SZ /d "Liberation Mono" /f >/dev/null 2>&1
  while [ $# -ge 2 ]; do
    wine reg add 'HKCU\Environment' /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1
    shift 2
  done
  wineserver -w
}
winePrefix "$cache/wine"

build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/$here/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DVERSALIO_BUILD_TESTS=ON >/dev/null

if [ "$what" = test ]; then
  # Wine hands no QT_ variable of Linux to Windows programs: the tests' prefix sets them itself, to run
  # without a screen and to have Qt Test write its report out instead of to a debugger.
  winePrefix "$cache/wine-test" QT_QPA_PLATFORM offscreen QT_FORCE_STDERR_LOGGING 1
  cmake --build "$build" -j2
  "$here/stage.sh" "$build/bin" "$qt"
  # The tests run without a screen, as on Linux.
  install -D -m 644 "$qt/plugins/platforms/qoffscreen.dll" "$build/bin/plugins/platforms/qoffscreen.dll"
  exec ctest --test-dir "$build" --output-on-failure --timeout 900 "${@:2}"
fi
[ "$what" = package ] || { echo "usage: $0 [package|test [CTEST ARGS...]]" >&2; exit 2; }

cmake --build "$build" -j2 --target versalio versalio-tool
# The Linux build's steps: the first-access password store and the guide.
cmake --preset default >/dev/null
cmake --build --preset default --target versalio-accesso guida

version=$(wine "$build/bin/versalio-tool.exe" --version | tr -d '\r' | sed -n 's/^versalio-tool //p')
[ -n "$version" ] || { echo "build.sh: versalio-tool.exe --version said no version" >&2; exit 1; }

work="$build/dist"
folder="$work/Versalio"
rm -rf "$work"
mkdir -p "$folder/licenze"
install -m 755 "$build/bin/versalio.exe" "$build/bin/versalio-tool.exe" "$folder/"
"$here/stage.sh" "$folder" "$qt" --list > "$work/origini.txt"
# The carried programs and DLLs keep what Windows needs to load them, not their debugging symbols.
find "$folder" \( -name '*.dll' -o -name '*.exe' \) -exec $triple-strip --strip-unneeded {} +
build/generatori/versalio-accesso "$folder"
[ -f "$folder/unins000.dll" ] || { echo "build.sh: no password store was written" >&2; exit 1; }
install -m 644 build/bin/Guida.pdf "$folder/"
sed 's/$/\r/' "$here/LEGGIMI.txt" > "$folder/LEGGIMI.txt"

# The licences: Qt's (its sources are Debian's qt6-base and the qtsvg release), and those of the
# MinGW runtime the folder carries, from the Debian packages that hold it.
src="$cache/src-6.4.2"
for m in qtbase qtsvg; do
  for l in "$src/$m"/LICENSES/*; do install -D -m 644 "$l" "$folder/licenze/qt/$m/$(basename "$l")"; done
done
[ -f "$src/qtbase/debian/copyright" ] && install -m 644 "$src/qtbase/debian/copyright" "$folder/licenze/qt/qtbase/debian-copyright.txt"
cut -f2 "$work/origini.txt" | grep -v "^$qt/" | while read -r f; do
  pkg=$(dpkg -S "$f" 2>/dev/null | head -n 1) || { echo "build.sh: no package owns $f" >&2; exit 1; }
  pkg=${pkg%%: *}
  install -m 644 "/usr/share/doc/$pkg/copyright" "$folder/licenze/$pkg.txt"
done

mkdir -p dist
zip="$PWD/dist/Versalio-$version-windows-x86_64.zip"
rm -f "$zip"
(cd "$work" && cmake -E tar cf "$zip" --format=zip Versalio)
echo "$zip"
