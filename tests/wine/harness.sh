#!/usr/bin/env bash
# The Wine rig of the wine and e2e tiers.
#   harness.sh start STATE KEEPALIVE_EXE   private prefix, own Xvfb, wineboot once, a kept-alive GUI process
#                                          (HARNESS_DISPLAY=:N uses that display instead of an own Xvfb)
#   harness.sh run STATE EXE [ARGS...]     runs EXE under that rig and passes its exit code on
#   harness.sh stop STATE                  ends exactly what start started, by process id, and the prefix's wineserver
set -uo pipefail
cmd=${1:?usage}; state=$(realpath -m "${2:?usage}"); shift 2
envfile="$state/env"

rig_env() {
  export WINEPREFIX="$state/prefix" WINEARCH=win32 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=ja_JP.UTF-8
}

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
  keepalive=${1:?keepalive exe}
  stop_rig
  mkdir -p "$state"
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
    echo "export DISPLAY=$DISPLAY"
    echo "XVFB_PID=$xvfb_pid"
  } >"$envfile"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >"$state/wineboot.log" 2>&1
    wineserver -w
  fi
  # Menus ask for "MS UI Gothic", which Wine lacks; its fallback, the fixed-pitch IPAGothic, clips "_" at
  # the menu's size. IPAPGothic is the proportional counterpart that the UI font is.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAPGothic /f >/dev/null 2>&1
  rm -f "$state/keepalive.ready"
  wine "$keepalive" "$(winepath -w "$state/keepalive.ready" 2>/dev/null)" >"$state/keepalive.log" 2>&1 &
  echo "KEEPALIVE_PID=$!" >>"$envfile"
  for _ in $(seq 600); do [ -f "$state/keepalive.ready" ] && break; sleep 0.1; done
  if ! [ -f "$state/keepalive.ready" ]; then echo "harness: keepalive did not start" >&2; stop_rig; exit 1; fi
  echo "harness: Wine rig up on display $DISPLAY, prefix $WINEPREFIX"
  ;;
run)
  [ -f "$envfile" ] || { echo "harness: rig not started" >&2; exit 1; }
  # shellcheck disable=SC1090
  . "$envfile"
  rig_env
  exec wine "$@"
  ;;
stop)
  stop_rig
  echo "harness: Wine rig stopped"
  ;;
*)
  echo "usage: harness.sh start|run|stop STATE ..." >&2
  exit 2
  ;;
esac
