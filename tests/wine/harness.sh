#!/usr/bin/env bash
# The Wine rig of the wine and e2e tiers, one per flavour: x86 runs in a 32-bit prefix under the 32-bit
# loader, x64 in a 64-bit prefix under the 64-bit loader (which runs on every x86-64 machine).
#   harness.sh start STATE x86|x64 KEEPALIVE_EXE   private prefix, own Xvfb, wineboot once, a kept-alive GUI
#                                                  process (HARNESS_DISPLAY=:N uses that display instead)
#   harness.sh run STATE EXE [ARGS...]             runs EXE under that rig and passes its exit code on;
#                                                  HARNESS_LOCALE="LANG=... LC_MESSAGES=..." runs it
#                                                  as on a machine with those settings
#   harness.sh stop STATE                          ends exactly what start started, by process id, and the
#                                                  prefix's wineserver
#   harness.sh can-run-x86                         exit 0 when this machine runs 32-bit x86 code and its
#                                                  32-bit Wine starts; else prints why not and exits 1
set -uo pipefail
cmd=${1:?usage}; shift
if [ "$cmd" = can-run-x86 ]; then
  # Both must hold: a kernel that runs 32-bit code (some x86-64 kernels refuse every 32-bit program with
  # "Exec format error"), and a 32-bit Wine that starts.
  why=()
  if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    stamp=${PATHGRAB_X86_STAMP:-/var/tmp/pathgrabber-wine32-failed}
    if [ -s "$stamp" ]; then
      why+=("32-bit Wine could not be installed ($(head -n1 "$stamp"))")
    else
      why+=("32-bit Wine is not installed (wine32:i386)")
    fi
  fi
  if [ ! -x /lib/ld-linux.so.2 ]; then
    why+=("no 32-bit loader is installed (/lib/ld-linux.so.2)")
  elif ! out=$(/lib/ld-linux.so.2 --version 2>&1 >/dev/null); then
    why+=("this kernel runs no 32-bit x86 code (${out##*: })")
  fi
  [ ${#why[@]} -eq 0 ] && exit 0
  line=${why[0]}
  [ ${#why[@]} -lt 2 ] || line+="; ${why[1]}"
  echo "$line"
  exit 1
fi
state=$(realpath -m "${1:?usage}"); shift
envfile="$state/env"

# /usr/bin/wine takes the 32-bit loader whenever wine32 is installed, so each flavour names its own.
rig_env() {
  case "${FLAVOUR:?}" in
  x86) export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32 ;;
  x64) export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 ;;
  *) echo "harness: unknown flavour $FLAVOUR" >&2; exit 2 ;;
  esac
  export WINEPREFIX="$state/prefix" WINEDEBUG=-all
  # winemenubuilder is started in the background for every shortcut saved, and reads it while a test
  # may be deleting it: a busy machine then sees a sharing violation that no Windows shows.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export LC_ALL=ja_JP.UTF-8
  # Not UTC, so that local time and UTC differ and a missing conversion between them shows.
  export TZ=Asia/Tokyo
}
wine() { "$WINELOADER" "$@"; }
wineserver() { "$WINESERVER" "$@"; }

stop_rig() {
  [ -f "$envfile" ] || return 0
  # shellcheck disable=SC1090
  . "$envfile"
  rig_env
  [ -n "${KEEPALIVE_PID:-}" ] && kill "$KEEPALIVE_PID" 2>/dev/null
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$XVFB_PID" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -f "$envfile"
}

case "$cmd" in
start)
  flavour=${1:?flavour}; keepalive=${2:?keepalive exe}
  stop_rig
  FLAVOUR=$flavour
  mkdir -p "$state"
  # A prefix is made for one architecture; a rig that changes flavour starts afresh.
  [ "$(cat "$state/flavour" 2>/dev/null)" = "$FLAVOUR" ] || rm -rf "$state/prefix"
  echo "$FLAVOUR" >"$state/flavour"
  rig_env
  rm -f "$state/display"
  if [ -n "${HARNESS_DISPLAY:-}" ]; then
    # An existing display (the user's): no Xvfb of our own.
    export DISPLAY="$HARNESS_DISPLAY"
    xvfb_pid=
  else
    # -displayfd picks a free display number and tells it; nothing else on the machine is touched.
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$state/display" >"$state/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$state/display" ] && break; sleep 0.1; done
    if ! [ -s "$state/display" ]; then echo "harness: Xvfb did not start" >&2; kill $xvfb_pid 2>/dev/null; exit 1; fi
    export DISPLAY=":$(head -n1 "$state/display")"
  fi
  {
    echo "FLAVOUR=$FLAVOUR"
    echo "export DISPLAY=$DISPLAY"
    echo "XVFB_PID=$xvfb_pid"
  } >"$envfile"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot.exe -i >"$state/wineboot.log" 2>&1
    wineserver -w
  fi
  # Wine keeps its profiles in "users"; the pictures' user folders go in a "Users" beside it, spelt as
  # Windows spells it (an exact name wins over a case-insensitive match, so C:\Users finds this one).
  mkdir -p "$WINEPREFIX/drive_c/Users"
  # Menus ask for "MS UI Gothic", which Wine lacks; its fallback, the fixed-pitch IPAGothic, clips "_" at
  # the menu's size. IPAPGothic is the proportional counterpart that the UI font is.
  wine reg.exe add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAPGothic /f >/dev/null 2>&1
  # A program that crashes ends at once with its backtrace on standard error: the debugger's dialog would
  # hold it, unseen on this display, until ctest gives up on it.
  wine reg.exe add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  rm -f "$state/keepalive.ready"
  "$WINELOADER" "$keepalive" "$(wine winepath.exe -w "$state/keepalive.ready" 2>/dev/null)" >"$state/keepalive.log" 2>&1 &
  echo "KEEPALIVE_PID=$!" >>"$envfile"
  for _ in $(seq 600); do [ -f "$state/keepalive.ready" ] && break; sleep 0.1; done
  if ! [ -f "$state/keepalive.ready" ]; then echo "harness: keepalive did not start" >&2; stop_rig; exit 1; fi
  echo "harness: $FLAVOUR Wine rig up on display $DISPLAY, prefix $WINEPREFIX"
  ;;
run)
  [ -f "$envfile" ] || { echo "harness: rig not started" >&2; exit 1; }
  # shellcheck disable=SC1090
  . "$envfile"
  rig_env
  # Each process takes the system code page (LC_CTYPE), and the format, UI language and keyboard
  # (LC_MESSAGES), from its own environment; the rig's desktop stays Japanese.
  if [ -n "${HARNESS_LOCALE:-}" ]; then
    unset LC_ALL
    # shellcheck disable=SC2086
    export $HARNESS_LOCALE
  fi
  exec "$WINELOADER" "$@"
  ;;
stop)
  stop_rig
  echo "harness: Wine rig stopped"
  ;;
*)
  echo "usage: harness.sh start|run|stop STATE ... | can-run-x86" >&2
  exit 2
  ;;
esac
