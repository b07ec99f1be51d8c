#!/usr/bin/env bash
# fuzz.sh [SECONDS] [NAME...]
#
# Builds the libFuzzer targets (fuzz/*Fuzz.cpp) with clang++ and the address
# and undefined-behaviour sanitizers, then runs each one (or only the named
# ones, e.g. TesselFuzz) for SECONDS (default 60) on a working copy of its
# committed seed corpus fuzz/corpus/<Name>/. New inputs go to
# fuzz/corpus-run/<Name>/ (not committed); a crash, leak, hang (10 s per
# input) or sanitizer report leaves its input in build/fuzz/artifacts/<Name>/
# and makes the script exit non-zero. Prints each target's executions.
#
# FUZZ_BUILD_DIR changes the build folder (default build/fuzz).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${1:-60}
shift || true
build=${FUZZ_BUILD_DIR:-build/fuzz}

command -v clang++ >/dev/null || { echo "fuzz: clang++ not found (tools/deps.sh installs it)" >&2; exit 1; }

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DROLECUE_FUZZ=ON -DROLECUE_TESTS=OFF -DROLECUE_BENCH=OFF >"$build.configure.log" 2>&1 ||
  { cat "$build.configure.log" >&2; echo "fuzz: configure failed" >&2; exit 1; }

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for src in fuzz/*Fuzz.cpp; do
    [ -e "$src" ] || continue
    names+=("$(basename "$src" .cpp)")
  done
fi
[ ${#names[@]} -gt 0 ] || { echo "fuzz: no targets"; exit 0; }

targets=()
for n in "${names[@]}"; do targets+=("fuzz_$n"); done
cmake --build "$build" -j2 --target "${targets[@]}" >"$build.build.log" 2>&1 ||
  { tail -n 40 "$build.build.log" >&2; echo "fuzz: build failed" >&2; exit 1; }

failed=0
for n in "${names[@]}"; do
  exe="$build/fuzz/fuzz_$n"
  work="fuzz/corpus-run/$n"
  artifacts="$build/artifacts/$n/"
  mkdir -p "$work" "$artifacts"
  seeds=()
  [ -d "fuzz/corpus/$n" ] && seeds+=("fuzz/corpus/$n")
  log="$build/$n.log"
  echo "fuzz: $n for ${seconds} s"
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
    -print_final_stats=1 -artifact_prefix="$artifacts" "$work" "${seeds[@]}" >"$log" 2>&1
  rc=$?
  execs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  if [ $rc -ne 0 ]; then
    failed=1
    grep -E 'ERROR|SUMMARY|Test unit written|==[0-9]+==' "$log" | head -n 20 >&2
    echo "fuzz: $n FAILED (exit $rc) after ${execs:-?} executions; log $log" >&2
  else
    echo "fuzz: $n clean, ${execs:-?} executions in ${seconds} s"
  fi
done
exit $failed
