#!/usr/bin/env bash
# bench.sh [BENCHMARK ARGS...]
#
# Builds the benchmarks (bench/*Bench.cpp, Release, native g++) and runs each
# one; every benchmark prints its timings and a table of ratios. Arguments go
# to every benchmark executable (e.g. --benchmark_filter=Parse); without any,
# each benchmark is repeated 5 times and the medians are compared, which
# keeps the ratios steady on a busy machine.
# BENCH_BUILD_DIR changes the build folder (default build/bench).
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
[ ${#args[@]} -gt 0 ] || args=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
rc=0
for t in "${targets[@]}"; do
  echo "== $t"
  "$build/bench/$t" "${args[@]}" || rc=1
done
exit $rc
