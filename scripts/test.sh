#!/usr/bin/env bash
# Sets up the machine, builds the host build and both Windows flavours, and runs every test tier (host,
# wine, e2e) with one ctest: the x64 flavour under 64-bit Wine on every machine, the x86 flavour under
# 32-bit Wine where the machine runs 32-bit code (elsewhere it is built and checked, not run).
#   scripts/test.sh [ctest arguments...]     e.g. scripts/test.sh -L host, -L x64, -L e2e
#   scripts/test.sh --under-load [ctest arguments...]
#       only the wine and e2e tiers, while stress-ng keeps every core busy: a check that no test depends
#       on the machine's speed (not part of CI); e.g. scripts/test.sh --under-load -L x64
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${PATHGRAB_BUILD_DIR:-$root/build}
under_load=0
if [ "${1:-}" = --under-load ]; then
  under_load=1
  shift
fi
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

stage() { printf '\n== %s (%s)\n' "$1" "$(date +%T)"; }
started=$(date +%s)

stage "set-up"
as_root bash scripts/setup.sh
if [ $under_load -eq 1 ] && ! command -v stress-ng >/dev/null; then
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq stress-ng >/dev/null
fi

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
stress_pid=
trap '[ -z "$stress_pid" ] || kill "$stress_pid" 2>/dev/null || true
for f in x86 x64; do "$root/tests/wine/harness.sh" stop "$build/wine-rig-$f" >/dev/null 2>&1 || true; done' EXIT
if [ $under_load -eq 1 ]; then
  # One CPU hog per core for as long as the tests run; several -L options must all match.
  stress-ng --cpu "$(nproc)" --cpu-load 100 --quiet &
  stress_pid=$!
  echo "under load: stress-ng --cpu $(nproc) (pid $stress_pid)"
  set -- -L 'wine|e2e' "$@"
fi
tested=$(date +%s)
status=0
ctest --test-dir "$build" --output-on-failure "$@" || status=$?
if [ -n "$stress_pid" ]; then
  kill "$stress_pid" 2>/dev/null || true
  wait "$stress_pid" 2>/dev/null || true
  stress_pid=
  echo "tests under load: $(( $(date +%s) - tested )) s"
fi
echo "$x86_line"
echo "total $(( $(date +%s) - started )) s"
exit $status
