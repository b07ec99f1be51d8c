#!/usr/bin/env bash
# with-wine.sh [--prefix DIR] [--display :N] [--hold EXE] -- COMMAND [ARGS...]
#
# Runs COMMAND with a private X server (Xvfb on a free display) and a Wine
# prefix set up for Rolecue's tests: Japanese locale (ANSI code page 932),
# no Gecko/Mono prompts, and UseTakeFocus=N so that focus changes made with
# xdotool reach Wine without a window manager. The prefix is created once and
# reused. Everything this script starts is ended by process id on exit.
#
# --hold EXE starts EXE (tests/support/DesktopHold.cpp) before COMMAND and
# ends it after: it keeps Wine's desktop open for the whole run, so that
# programs started one after another never meet a desktop that is closing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
prefix="${WINEPREFIX:-$root/build/wineprefix}"
use_display=""
hold_exe=""
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) prefix="$2"; shift 2 ;;
    --display) use_display="$2"; shift 2 ;;
    --hold) hold_exe="$2"; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--prefix DIR] [--display :N] [--hold EXE] -- COMMAND..." >&2; exit 2; }
if [ -n "$hold_exe" ] && [ ! -f "$hold_exe" ]; then
  echo "with-wine: $hold_exe not found (build it first)" >&2; exit 2
fi

mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
export WINEPREFIX="$prefix"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

xvfb_pid=""
hold_pid=""
hold_out=""
server_started=""
cleanup() {
  if [ -n "$hold_pid" ]; then
    kill "$hold_pid" 2>/dev/null || true
    wait "$hold_pid" 2>/dev/null || true
  fi
  [ -z "$hold_out" ] || rm -f "$hold_out"
  if [ -n "$server_started" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -n "$use_display" ]; then
  export DISPLAY="$use_display"
else
  # Xvfb picks a free display itself and writes its number to the given fd.
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 30 display_no <"$fifo" || { rm -f "$fifo"; echo "with-wine: Xvfb did not start" >&2; exit 1; }
  rm -f "$fifo"
  export DISPLAY=":$display_no"
fi

server_started=1
if [ ! -f "$prefix/.rolecue-ready" ]; then
  echo "with-wine: creating Wine prefix $prefix (once)" >&2
  wineboot -i >"$prefix/../wineboot.log" 2>&1 || true
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$prefix/.rolecue-ready"
fi
# One persistent server for every Wine process of this run.
wineserver -p
# Start Wine's background processes (services.exe and the rest) here, with no
# standard handles: started by the first test program, they would inherit its
# output pipe and keep ctest waiting for it until the test times out.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
if [ -n "$hold_exe" ]; then
  hold_out=$(mktemp)
  wine "$hold_exe" </dev/null >"$hold_out" 2>/dev/null &
  hold_pid=$!
  for _ in $(seq 1 300); do
    grep -q ready "$hold_out" && break
    kill -0 "$hold_pid" 2>/dev/null || break
    sleep 0.1
  done
  grep -q ready "$hold_out" || { echo "with-wine: $hold_exe did not get a desktop" >&2; exit 1; }
fi

set +e
"$@"
rc=$?
set -e
exit $rc
