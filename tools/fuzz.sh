#!/usr/bin/env bash
# fuzz.sh [SECONDS] [NAME...]
# fuzz.sh --total SECONDS [NAME...]
#
# Builds the libFuzzer targets (fuzz/*Fuzz.cpp) with clang++ and the address
# and undefined-behaviour sanitizers, then runs each one (or only the named
# ones, e.g. TesselFuzz) in turn, one fuzzing process at a time: for SECONDS
# each (default 60), or with --total for SECONDS in all, split evenly over
# the targets.
#
# Seeds: the test data of a target's area (tests/data/tessel, scenario and
# option for TesselFuzz; tests/data/scenario and the samples (Shift_JIS and
# UTF-8) for ScenarioFuzz;
# tests/data/option for OptionFuzz), read in place, plus the inputs kept in
# fuzz/corpus/<Name>/ that are not test data. New inputs go to
# fuzz/corpus-run/<Name>/ (not committed); a crash, leak, hang (10 s per
# input) or sanitizer report leaves its input in <build>/artifacts/<Name>/
# and makes the script exit non-zero. Prints each target's executions and
# time, and the sum over all.
#
# FUZZ_BUILD_DIR changes the build folder <build> (default build/fuzz).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

usage() { echo "usage: tools/fuzz.sh [SECONDS] [NAME...] | --total SECONDS [NAME...]" >&2; exit 2; }

total=
if [ "${1:-}" = "--total" ]; then
  [ $# -ge 2 ] || usage
  total=$2
  shift 2
  [[ "$total" =~ ^[0-9]+$ ]] && [ "$total" -gt 0 ] || usage
  seconds=
else
  seconds=${1:-60}
  shift || true
  [[ "$seconds" =~ ^[0-9]+$ ]] && [ "$seconds" -gt 0 ] || usage
fi
build=${FUZZ_BUILD_DIR:-build/fuzz}

# The seed folders of a target besides fuzz/corpus/<Name>.
seed_folders() {
  case "$1" in
    TesselFuzz) echo tests/data/tessel tests/data/scenario tests/data/option ;;
    ScenarioFuzz) echo tests/data/scenario samples ;;
    OptionFuzz) echo tests/data/option ;;
  esac
}

command -v clang++ >/dev/null || { echo "fuzz: clang++ not found (tools/deps.sh installs it)" >&2; exit 1; }

mkdir -p "$(dirname "$build")"
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

# Each target's share of a total: the first ones take the remainder.
count=${#names[@]}
if [ -n "$total" ]; then
  [ "$total" -ge "$count" ] || { echo "fuzz: --total needs at least 1 s per target" >&2; exit 2; }
  echo "fuzz: ${total} s over ${count} targets"
fi

failed=0
all_execs=0
started=$SECONDS
i=0
for n in "${names[@]}"; do
  if [ -n "$total" ]; then
    budget=$((total / count + (i < total % count ? 1 : 0)))
  else
    budget=$seconds
  fi
  i=$((i + 1))
  exe="$build/fuzz/fuzz_$n"
  work="fuzz/corpus-run/$n"
  artifacts="$build/artifacts/$n/"
  mkdir -p "$work" "$artifacts"
  seeds=()
  [ -d "fuzz/corpus/$n" ] && seeds+=("fuzz/corpus/$n")
  for folder in $(seed_folders "$n"); do
    [ -d "$folder" ] && seeds+=("$folder")
  done
  log="$build/$n.log"
  echo "fuzz: $n for ${budget} s (seeds: ${seeds[*]:-none})"
  t0=$SECONDS
  # The first folder takes the new inputs; the seed folders are only read.
  "$exe" -max_total_time="$budget" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
    -print_final_stats=1 -artifact_prefix="$artifacts" "$work" "${seeds[@]}" >"$log" 2>&1
  rc=$?
  took=$((SECONDS - t0))
  execs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  [[ "${execs:-}" =~ ^[0-9]+$ ]] && all_execs=$((all_execs + execs))
  if [ $rc -ne 0 ]; then
    failed=1
    grep -E 'ERROR|SUMMARY|Test unit written|==[0-9]+==' "$log" | head -n 20 >&2
    echo "fuzz: $n FAILED (exit $rc) after ${execs:-?} executions in ${took} s; log $log" >&2
  else
    echo "fuzz: $n clean, ${execs:-?} executions in ${took} s"
  fi
done
echo "fuzz: ${all_execs} executions over ${count} target$([ "$count" -ne 1 ] && echo s) in $((SECONDS - started)) s$([ $failed -eq 0 ] && echo ", no findings")"
exit $failed
