#!/usr/bin/env bash
# Installs, idempotently, everything the Windows build, the host build and all test tiers need on a
# fresh Debian 12 machine. Both README commands call it; nobody needs to run it by hand.
#   setup.sh            everything, the 32-bit Wine of the x86 flavour's run included where it installs
#   setup.sh --no-x86   everything but the 32-bit Wine (a release build, a run of the x64 flavour only)
# A package index that cannot be fetched (a mirror in sync) is reported and passed over: apt works with
# the lists it has. The 64-bit set must install; the 32-bit Wine may not, and then the set-up says why and
# succeeds, and the test command runs the x64 flavour alone.
set -euo pipefail

want_x86=1
[ "${1:-}" = --no-x86 ] && want_x86=0

need_root() { if [ "$(id -u)" -ne 0 ]; then echo "setup: run as root (or through sudo)" >&2; exit 1; fi; }

packages=(
  cmake make g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 xvfb x11-utils zip
  locales imagemagick fonts-ipafont-gothic
  googletest libbenchmark-dev
  clang-format
  cmark
  python3 python3-jsonschema python3-yaml
)
x86_packages=(wine32:i386)
# Where a 32-bit set could not be installed, the reason is kept for an hour, so that the other scripts
# of the same run (the release tier, a second call) do not wait for apt to fail again.
x86_stamp=${PATHGRAB_X86_STAMP:-/var/tmp/pathgrabber-wine32-failed}

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

export DEBIAN_FRONTEND=noninteractive
updated=0
# apt-get update, tried a few times; an index that still fails is one line, not the end of the set-up.
update_index() {
  [ $updated -eq 0 ] || return 0
  updated=1
  local try out=
  for try in 1 2 3; do
    if out=$(apt-get update -qq 2>&1) && ! grep -q '^E: ' <<<"$out"; then return 0; fi
    [ $try -lt 3 ] && sleep "${PATHGRAB_APT_PAUSE:-5}"
  done
  echo "setup: a package index could not be fetched, going on with the lists apt has: $(grep -m1 '^E: ' <<<"$out" | cut -c1-240 || true)"
}

mapfile -t missing < <(missing_of "${packages[@]}")
if [ ${#missing[@]} -gt 0 ]; then
  need_root
  update_index
  if ! err=$(apt-get install -y -qq "${missing[@]}" 2>&1 >/dev/null); then
    echo "setup: could not install ${missing[*]}:" >&2
    printf '%s\n' "$err" >&2
    exit 1
  fi
fi

if [ $want_x86 -eq 1 ]; then
  mapfile -t missing < <(missing_of "${x86_packages[@]}")
  if [ ${#missing[@]} -gt 0 ]; then
    if [ -f "$x86_stamp" ] && [ -n "$(find "$x86_stamp" -mmin -60 2>/dev/null)" ]; then
      echo "setup: 32-bit Wine not installed: $(cat "$x86_stamp") (tried within the hour)"
    else
      need_root
      if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
        updated=0
      fi
      update_index
      if err=$(apt-get install -y -q "${missing[@]}" 2>&1); then
        rm -f "$x86_stamp"
      else
        # apt's own reason: its error, and the first dependency it could not meet.
        why=$(grep -m1 '^E: ' <<<"$err" | cut -c4- || true)
        dep=$(grep -m1 ': Depends: ' <<<"$err" | sed -E 's/^ +//; s/ +/ /g' || true)
        why=$(cut -c1-240 <<<"${why:-apt-get install ${missing[*]} failed}${dep:+; first unmet: $dep}")
        echo "$why" >"$x86_stamp"
        echo "setup: 32-bit Wine not installed: $(cat "$x86_stamp")"
      fi
    fi
  fi
fi

# Wine takes the system code page and the user locale from these: Japanese (932), English (1252),
# Chinese (936), and Hindi for a system whose code page is UTF-8 (65001).
generate=0
for loc in ja_JP en_US zh_CN hi_IN; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$"; then
    need_root
    sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" >> /etc/locale.gen
    generate=1
  fi
done
[ $generate -eq 0 ] || locale-gen >/dev/null

echo "setup: ok"
