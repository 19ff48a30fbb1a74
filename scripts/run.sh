#!/usr/bin/env bash
# Runs Pathgrab.exe under Wine on the given files (or on the bundled samples folder), saves a
# screenshot of its menu, picks an item by its number (default: leaves the menu with Escape) and
# prints the bytes that landed on the clipboard.
#   scripts/run.sh [--flavour x86|x64] [--pick N] [--shot FILE] [FILE ...]
# The x86 flavour where this machine runs 32-bit code, else x64 (--flavour chooses). Uses $DISPLAY when
# it is set, else a private Xvfb. Build and Wine state live in ${PATHGRAB_RUN_BUILD_DIR:-build/run-FLAVOUR}.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

pick=0
shot=menu.png
flavour=
files=()
while [ $# -gt 0 ]; do
  case "$1" in
    --flavour) flavour=${2:?--flavour needs x86 or x64}; shift 2 ;;
    --pick) pick=${2:?--pick needs a number}; shift 2 ;;
    --shot) shot=${2:?--shot needs a file name}; shift 2 ;;
    -h|--help) sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    --) shift; files+=("$@"); break ;;
    -*) echo "run: unknown option $1" >&2; exit 2 ;;
    *) files+=("$1"); shift ;;
  esac
done
case "$pick" in [0-9]) ;; *) echo "run: --pick takes 1 to 9 (0: Escape)" >&2; exit 2 ;; esac
case "$flavour" in x86|x64|"") ;; *) echo "run: --flavour takes x86 or x64" >&2; exit 2 ;; esac
[ ${#files[@]} -gt 0 ] || files=("$root/samples")
shot=$(realpath -m "$shot")

if [ "$(id -u)" -eq 0 ]; then bash scripts/setup.sh >/dev/null; else sudo bash scripts/setup.sh >/dev/null; fi

harness=$root/tests/wine/harness.sh
if [ -n "$flavour" ]; then
  echo "run: the $flavour flavour, as asked"
elif why=$("$harness" can-run-x86); then
  flavour=x86
  echo "run: the x86 flavour, since this machine runs 32-bit code (--flavour x64 runs the other)"
else
  flavour=x64
  echo "run: the x64 flavour, since the x86 one cannot run here: $why"
fi
if [ "$flavour" = x86 ]; then toolchain=mingw-i686 cxx=i686-w64-mingw32-g++-posix
else toolchain=mingw-x86_64 cxx=x86_64-w64-mingw32-g++-posix; fi

build=$(realpath -m "${PATHGRAB_RUN_BUILD_DIR:-$root/build/run-$flavour}")
mkdir -p "$build"
echo "run: building Pathgrab.exe in $build"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/$toolchain.cmake -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target Pathgrab -j"$(nproc)" >/dev/null
# The driver and the kept-alive helper are single files; they need no test build.
driver=$build/rundriver.exe keepalive=$build/keepalive.exe
if [ ! -f "$driver" ] || [ tests/wine/rundriver.cpp -nt "$driver" ] || [ tests/support/Win32Support.cpp -nt "$driver" ] ||
   [ tests/support/Win32Support.h -nt "$driver" ]; then
  $cxx -std=c++17 -O2 -static -s -Itests/support -o "$driver" tests/wine/rundriver.cpp tests/support/Win32Support.cpp
fi
if [ ! -f "$keepalive" ] || [ tests/wine/keepalive.cpp -nt "$keepalive" ]; then
  $cxx -O2 -static -s -mwindows -o "$keepalive" tests/wine/keepalive.cpp
fi

state=$build/wine-rig
out=$(mktemp -d)
cleanup() { "$harness" stop "$state" >/dev/null 2>&1 || true; rm -rf "$out"; }
trap cleanup EXIT
if [ -n "${DISPLAY:-}" ]; then export HARNESS_DISPLAY=$DISPLAY; else unset HARNESS_DISPLAY; fi
echo "run: starting Wine (the first time sets up a prefix, about 10 s)"
"$harness" start "$state" "$flavour" "$keepalive" >/dev/null
# shellcheck disable=SC1091
. "$state/env"

winfiles=()
for f in "${files[@]}"; do
  case "$f" in
    [A-Za-z]:\\*|[A-Za-z]:/*) winfiles+=("$f") ;;          # already a Windows path
    *) winfiles+=("Z:$(realpath -m "$f" | tr / '\\')") ;;  # Wine shows / as drive Z:
  esac
done

"$harness" run "$state" "$driver" "Z:$(echo "$out" | tr / '\\')" "$pick" "Z:$(echo "$build/app/Pathgrab.exe" | tr / '\\')" \
  "${winfiles[@]}" &
drv=$!
for _ in $(seq 300); do
  [ -f "$out/menu.ready" ] && break
  kill -0 "$drv" 2>/dev/null || break
  sleep 0.1
done
if [ -f "$out/menu.ready" ]; then
  sleep 0.3 # let the menu finish drawing
  if import -display "$DISPLAY" -window root "$shot" 2>/dev/null; then echo "run: menu screenshot in $shot"; else echo "run: screenshot failed" >&2; fi
else
  echo "run: no menu appeared" >&2
fi
touch "$out/shot.done"
wait "$drv" || true

echo "run: Pathgrab.exe exit code $(cat "$out/exit.txt" 2>/dev/null || echo '?')"
if [ -f "$out/clipboard.bin" ]; then
  echo "run: clipboard ($(stat -c %s "$out/clipboard.bin") bytes, CF_TEXT):"
  od -An -tx1 -v "$out/clipboard.bin"
  echo "run: as text (code page 932):"
  iconv -f CP932 -t UTF-8 "$out/clipboard.bin" || true
  echo
else
  echo "run: the clipboard holds no text (nothing was copied)"
fi
