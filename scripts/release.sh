#!/usr/bin/env bash
# Builds both flavours in the release configuration and writes the archives and their sums:
#   dist/Pathgrabber-<version>-x86.zip, dist/Pathgrabber-<version>-x64.zip, dist/SHA256SUMS
#   scripts/release.sh [OUTDIR]        (default dist/; builds in build/release-x86 and build/release-x64)
# Given the address the archives will be downloaded from, it also writes the winget and Scoop manifests
# (scripts/manifests.sh):
#   PATHGRAB_RELEASE_BASE=https://example.org/pathgrabber/1.0.6.0/ [PATHGRAB_HOMEPAGE=...] scripts/release.sh
# Byte for byte the same from every clean tree of a commit: the executables carry no time stamp and no
# build path, and every archive entry is dated at the commit (SOURCE_DATE_EPOCH, when set, instead).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$(realpath -m "${1:-$root/dist}")

if [ "$(id -u)" -eq 0 ]; then bash scripts/setup.sh --no-x86 >/dev/null; else sudo bash scripts/setup.sh --no-x86 >/dev/null; fi

version=$(sed -n 's/^#define PATHGRAB_VERSION_TEXT "\(.*\)"$/\1/p' resources/Version.h)
[ -n "$version" ] || { echo "release: no version in resources/Version.h" >&2; exit 1; }
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || true)}
[ -n "$epoch" ] || { echo "release: not a git checkout; set SOURCE_DATE_EPOCH" >&2; exit 1; }

mkdir -p "$out"
rm -f "$out"/Pathgrabber-*.zip "$out/SHA256SUMS"
# Windows users read the texts in Notepad: CR LF line ends, and a byte order mark on the Japanese one.
crlf() { sed 's/$/\r/' "$1"; }
for flavour in x86 x64; do
  case $flavour in x86) toolchain=mingw-i686 ;; x64) toolchain=mingw-x86_64 ;; esac
  build=$root/build/release-$flavour
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/$toolchain.cmake -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DBUILD_TESTING=OFF -DPATHGRAB_WERROR=ON >/dev/null
  cmake --build "$build" --target Pathgrab -j"$(nproc)" >/dev/null
  tests/footprint.sh $flavour "$build/app/Pathgrab.exe" >/dev/null ||
    { tests/footprint.sh $flavour "$build/app/Pathgrab.exe"; exit 1; }

  stage=$build/stage
  rm -rf "$stage" && mkdir -p "$stage"
  cp "$build/app/Pathgrab.exe" "$stage/Pathgrab.exe"
  { printf '\357\273\277'; crlf docs/release-readme.txt | sed -e "s/@VERSION@/$version/" -e "s/@FLAVOUR@/$flavour/"; } \
    >"$stage/README.txt"
  crlf LICENSE >"$stage/LICENSE.txt"
  chmod 644 "$stage"/*
  touch -d "@$epoch" "$stage"/*
  zip=$out/Pathgrabber-$version-$flavour.zip
  # -X: no owner ids or extra time fields; -D: no folder entries; entry times are local, so UTC.
  (cd "$stage" && TZ=UTC zip -q -X -D "$zip" Pathgrab.exe README.txt LICENSE.txt)
  echo "release: $zip"
done
(cd "$out" && sha256sum Pathgrabber-"$version"-x86.zip Pathgrabber-"$version"-x64.zip >SHA256SUMS)
cat "$out/SHA256SUMS"
bash scripts/manifests.sh "$out" "$version"
