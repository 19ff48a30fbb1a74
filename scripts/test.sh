#!/usr/bin/env bash
# Sets up the machine, builds the host build and both Windows flavours, and runs every test tier (host,
# wine, e2e) with one ctest: the x64 flavour under 64-bit Wine on every machine, the x86 flavour under
# 32-bit Wine where the machine runs 32-bit code (elsewhere it is built and checked, not run).
#   scripts/test.sh [ctest arguments...]     e.g. scripts/test.sh -L host, -L x64, -L e2e
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${PATHGRAB_BUILD_DIR:-$root/build}

stage() { printf '\n== %s (%s)\n' "$1" "$(date +%T)"; }
started=$(date +%s)

stage "set-up"
if [ "$(id -u)" -eq 0 ]; then bash scripts/setup.sh; else sudo bash scripts/setup.sh; fi

stage "configure"
if why=$(tests/wine/harness.sh can-run-x86); then
  run_x86=ON
  x86_line="x86 flavour: built, checked and run under 32-bit Wine"
else
  run_x86=OFF
  x86_line="x86 flavour: built and checked (format, flags, size, imports, resources) but not run: $why"
fi
echo "$x86_line"
# clang for the host build: the same sanitizers as g++, plus libFuzzer for the fuzz targets.
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DPATHGRAB_RUN_X86=$run_x86 >/dev/null

stage "build (host, then Windows)"
cmake --build "$build" -j"$(nproc)"

stage "test"
# The rigs' fixtures stop Xvfb and Wine however the tests end; this trap covers an interrupted ctest.
trap 'for f in x86 x64; do "$root/tests/wine/harness.sh" stop "$build/wine-rig-$f" >/dev/null 2>&1 || true; done' EXIT
status=0
ctest --test-dir "$build" --output-on-failure "$@" || status=$?
echo "$x86_line"
echo "total $(( $(date +%s) - started )) s"
exit $status
