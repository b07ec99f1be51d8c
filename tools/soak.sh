#!/usr/bin/env bash
# soak.sh [--build DIR] [--rolecue EXE] [--prefix DIR] [SOAK.PY ARGS...]
#
# Paste soak: 1,000 hotkey presses from Rolecue into Wine's notepad, then
# checks that every line arrived in order and that Rolecue's handles, USER
# and GDI objects and memory did not grow (tools/soak.py; --presses N,
# --key-wait MS and the rest go to it). Not a ctest test: it takes minutes.
#
#   --build DIR     MinGW-w64 build folder for Rolecue.exe and e2e_probe.exe
#                   (default build/mingw; configured here when new)
#   --rolecue EXE   soak this Rolecue.exe instead of the build folder's
#   --prefix DIR    Wine prefix (default build/soak-wine, made once)
#
# Prints the figures before and after and exits non-zero on a missing or
# misplaced line or on growth beyond the tolerances it prints. Xvfb, the
# wineserver and every program it starts are ended on exit, pass or fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

build=build/mingw
rolecue=""
prefix=build/soak-wine
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build="$2"; shift 2 ;;
    --rolecue) rolecue="$2"; shift 2 ;;
    --prefix) prefix="$2"; shift 2 ;;
    *) break ;;
  esac
done

for tool in wine Xvfb xdotool python3 x86_64-w64-mingw32-g++-posix; do
  command -v "$tool" >/dev/null || { echo "soak: $tool missing (tools/deps.sh installs it)" >&2; exit 2; }
done

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build.configure.log" 2>&1 ||
    { tail -n 40 "$build.configure.log" >&2; echo "soak: configure failed" >&2; exit 2; }
fi
targets=(e2e_probe)
[ -n "$rolecue" ] || targets+=(Rolecue)
cmake --build "$build" -j2 --target "${targets[@]}" >"$build.soak-build.log" 2>&1 ||
  { tail -n 40 "$build.soak-build.log" >&2; echo "soak: build failed" >&2; exit 2; }
[ -n "$rolecue" ] || rolecue="$build/app/Rolecue.exe"
probe="$build/tests/e2e/e2e_probe.exe"
for f in "$rolecue" "$probe"; do
  [ -f "$f" ] || { echo "soak: $f missing" >&2; exit 2; }
done

absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
# The soak runs in the background so that an interrupt or TERM sent to this
# script reaches the driver, which ends what it started; with-wine.sh then
# ends Xvfb and the wineserver.
pid_file=$(mktemp)
SOAK_PID_FILE="$pid_file" tools/with-wine.sh --prefix "$prefix" -- \
  python3 tools/soak.py --rolecue "$(absolute "$rolecue")" --probe "$(absolute "$probe")" "$@" &
soak=$!
stop() {
  local driver
  driver=$(cat "$pid_file" 2>/dev/null || true)
  [ -z "$driver" ] || kill -TERM "$driver" 2>/dev/null || true
}
trap stop INT TERM
set +e
while :; do
  wait "$soak"
  rc=$?
  # wait returns early (above 128) when a trapped signal arrives.
  kill -0 "$soak" 2>/dev/null || break
done
rm -f "$pid_file"
exit $rc
