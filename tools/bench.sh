#!/usr/bin/env bash
# bench.sh [BENCHMARK ARGS...]
#
# Builds the benchmarks (bench/*Bench.cpp, Release, native g++) and runs each
# one; every benchmark prints its timings and a table of ratios. Arguments go
# to every benchmark executable (e.g. --benchmark_filter=Parse); without any,
# each benchmark is repeated BENCH_REPETITIONS times (default 5) and the
# medians are compared, which keeps the ratios steady on a busy machine.
# BENCH_BUILD_DIR changes the build folder (default build/bench).
# A benchmark that fails, or whose ratio table stays empty, makes the script
# say so and exit non-zero.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${BENCH_BUILD_DIR:-build/bench}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DROLECUE_BENCH=ON -DROLECUE_TESTS=OFF \
  -DROLECUE_FUZZ=OFF >"$build.configure.log" 2>&1 ||
  { cat "$build.configure.log" >&2; echo "bench: configure failed" >&2; exit 1; }

targets=()
for src in bench/*Bench.cpp; do
  [ -e "$src" ] || continue
  targets+=("bench_$(basename "$src" .cpp)")
done
[ ${#targets[@]} -gt 0 ] || { echo "bench: no benchmarks"; exit 0; }
cmake --build "$build" -j2 --target "${targets[@]}" >"$build.build.log" 2>&1 ||
  { tail -n 40 "$build.build.log" >&2; echo "bench: build failed" >&2; exit 1; }

args=("$@")
repetitions=${BENCH_REPETITIONS:-5}
[ ${#args[@]} -gt 0 ] ||
  args=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true)
failed=()
for t in "${targets[@]}"; do
  echo "== $t"
  "$build/bench/$t" "${args[@]}"
  code=$?
  if [ $code -ne 0 ]; then
    echo "bench: $t failed (exit $code)" >&2
    failed+=("$t")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "bench: ${#failed[@]} of ${#targets[@]} benchmarks failed: ${failed[*]}" >&2
  exit 1
fi
exit 0
