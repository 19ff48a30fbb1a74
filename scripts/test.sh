#!/usr/bin/env bash
# Sets up the machine, builds both builds and runs every test tier (host, wine, e2e) with one ctest.
#   scripts/test.sh [ctest arguments...]     e.g. scripts/test.sh -L host
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${PATHGRAB_BUILD_DIR:-$root/build}

stage() { printf '\n== %s (%s)\n' "$1" "$(date +%T)"; }
started=$(date +%s)

stage "set-up"
if [ "$(id -u)" -eq 0 ]; then bash scripts/setup.sh; else sudo bash scripts/setup.sh; fi

stage "configure"
# clang for the host build: the same sanitizers as g++, plus libFuzzer for the fuzz targets.
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null

stage "build (host, then Windows)"
cmake --build "$build" -j"$(nproc)"

stage "test"
# The rig's fixture stops Xvfb and Wine however the tests end; this trap covers an interrupted ctest.
trap '"$root/tests/wine/harness.sh" stop "$build/wine-rig" >/dev/null 2>&1 || true' EXIT
ctest --test-dir "$build" --output-on-failure "$@"
echo "total $(( $(date +%s) - started )) s"
