#!/usr/bin/env bash
# Sets up a Debian or Ubuntu machine for Versalio, builds it, then starts it ("run") or runs every
# test ("test") or the benchmarks ("bench"). The program folder is build/bin: the archives appear
# there. "bundle" writes the folder users receive instead: a release build in build-release, packed
# into dist/Versalio-VERSION-linux-x86_64.tar.gz (scripts/bundle/make.sh). "fuzz [TARGET...] [SECONDS]"
# builds the libFuzzer targets with clang instead and runs them (bench/fuzz/run.sh). "windows" writes
# the Windows folder, dist/Versalio-VERSION-windows-x86_64.zip, cross-built with MinGW-w64 against a Qt
# for Windows made once from sources; "windows-test" runs the Windows test programs under Wine
# (scripts/windows/).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev fonts-liberation2 poppler-utils desktop-file-utils)
# The fuzz targets build with clang and libFuzzer, installed only when they are asked for.
[ "${1:-run}" = fuzz ] && packages+=(clang libfuzzer-14-dev)
[ "${1:-run}" = bench ] && packages+=(libbenchmark-dev)
# The bundle's probe uses the screens on a virtual X display.
[ "${1:-run}" = bundle ] && packages+=(xvfb xauth)
scripts/install-packages.sh "${packages[@]}"

if [ "${1:-run}" = fuzz ]; then
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz
  exec bench/fuzz/run.sh "${@:2}"
fi

if [ "${1:-run}" = bench ]; then
  cmake --preset bench >/dev/null
  cmake --build --preset bench
  build-bench/bin/bench_archive
  build-bench/bin/bench_elenchi
  build-bench/bin/bench_emissione
  build-bench/bin/bench_riepilogo
  exec build-bench/bin/bench_importazione
fi

case "${1:-run}" in
  windows) exec scripts/windows/build.sh package ;;
  windows-test) exec scripts/windows/build.sh test "${@:2}" ;;
esac

if [ "${1:-run}" = bundle ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release
  exec scripts/bundle/make.sh
fi

cmake --preset default >/dev/null
cmake --build --preset default -j2

case "${1:-run}" in
  run) exec build/bin/versalio ;;
  test) ctest --preset default ;;
  *) echo "usage: $0 [run|test|bench|bundle|windows|windows-test|fuzz [TARGET...] [SECONDS]]" >&2; exit 2 ;;
esac
