#!/usr/bin/env bash
# bench-wine.sh: builds the Windows benchmarks and runs them under Wine in a
# private Xvfb (tools/with-wine.sh). Prints the measurements and ratios.
#   MainWindowOpen: opening 1,000 / 10,000 / 100,000 serifs through the main
#   window against the scenario's load alone; the paste step's cost beyond
#   KeyWait, to its last key and with the cursor moved.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${ROLECUE_BENCH_BUILD:-$root/build/bench-mingw}"

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DROLECUE_BENCH=ON -DROLECUE_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target bench_main_window_open

# Wine's background processes inherit the output of the first Wine process:
# write to a file, not to a pipe, and show the file afterwards.
out="$build/bench-main-window-open.txt"
"$root/tools/with-wine.sh" --prefix "$build/wineprefix" -- \
  bash -c 'wine "$1" >"$2" 2>&1' _ "$build/app/bench_main_window_open.exe" "$out" || true
grep -v -i '^[0-9a-f]*:\(fixme\|err\|warn\)' "$out" || true
