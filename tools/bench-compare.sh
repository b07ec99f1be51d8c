#!/usr/bin/env bash
# bench-compare.sh [BASE] [ROUNDS]
#
# Before and after, side by side: builds bench/ScenarioBench.cpp of the
# working tree twice, once against the program as it is now and once against
# commit BASE (default HEAD; its tree is exported with git archive, the
# benchmark source copied over its own), checks that both read the same
# input file (its fingerprint), and runs the two in turn ROUNDS times
# (default 3), each run repeating every benchmark 5 times. Prints each
# build's median of the medians for loading and saving 10,000 and 100,000
# serifs, and the ratios now / BASE.
#
# With --wine first, it also builds bench/MainWindowOpen.cpp of each tree for
# Windows and runs both under Wine (tools/with-wine.sh), printing their
# lines side by side: the open into the main window and the paste step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

wine=0
if [ "${1:-}" = "--wine" ]; then
  wine=1
  shift
fi
base=${1:-HEAD}
rounds=${2:-3}
work=build/bench-compare
rev=$(git rev-parse --short "$base")
rm -rf "$work/base-src"
mkdir -p "$work/base-src"
git archive "$base" | tar -x -C "$work/base-src"
cp bench/ScenarioBench.cpp "$work/base-src/bench/ScenarioBench.cpp"

build() {  # build SOURCE BUILD
  cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release -DROLECUE_BENCH=ON -DROLECUE_TESTS=OFF \
    -DROLECUE_FUZZ=OFF >"$2.configure.log" 2>&1 || { cat "$2.configure.log" >&2; exit 1; }
  cmake --build "$2" -j2 --target bench_ScenarioBench >"$2.build.log" 2>&1 ||
    { tail -n 30 "$2.build.log" >&2; exit 1; }
}
echo "bench-compare: building now and $rev"
build . "$work/now"
build "$work/base-src" "$work/base"

filter='Load/CScript|Save/CScript'
for r in $(seq 1 "$rounds"); do
  for side in base now; do
    "$work/$side/bench/bench_ScenarioBench" --benchmark_filter="$filter" \
      --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
      --benchmark_out="$work/$side-$r.json" --benchmark_out_format=json >"$work/$side-$r.txt"
  done
done

python3 - "$work" "$rounds" "$rev" <<'PY'
import json, re, statistics, sys
work, rounds, rev = sys.argv[1], int(sys.argv[2]), sys.argv[3]
def inputs(side):
    text = open("%s/%s-1.txt" % (work, side)).read()
    return re.findall(r"^input: .*$", text, re.M)
if inputs("base") != inputs("now"):
    sys.exit("bench-compare: the two builds read different files:\n%s\n%s"
             % ("\n".join(inputs("base")), "\n".join(inputs("now"))))
print("\n".join(inputs("now")))
times = {}
for side in ("base", "now"):
    for r in range(1, rounds + 1):
        for b in json.load(open("%s/%s-%d.json" % (work, side, r)))["benchmarks"]:
            if b.get("aggregate_name") == "median":
                times.setdefault((side, b["run_name"]), []).append(b["real_time"])
print("%-30s %12s %12s %7s" % ("median of %d rounds, ms" % rounds, rev, "now", "ratio"))
for name in sorted({n for _, n in times}):
    before = statistics.median(times[("base", name)])
    after = statistics.median(times[("now", name)])
    print("%-30s %12.2f %12.2f %7.3f" % (name.replace("/real_time", ""), before, after,
                                         after / before))
PY

if [ $wine -eq 1 ]; then
  for side in now base; do
    src=.
    [ $side = base ] && src="$work/base-src"
    cmake -S "$src" -B "$work/wine-$side" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DROLECUE_BENCH=ON -DROLECUE_TESTS=OFF >/dev/null
    cmake --build "$work/wine-$side" -j2 --target bench_main_window_open >/dev/null
  done
  for side in base now; do
    out="$root/$work/wine-$side.txt"
    # Wine's background processes inherit the first one's output: a file,
    # not a pipe.
    tools/with-wine.sh --prefix "$work/wineprefix" -- \
      bash -c 'wine "$1" >"$2" 2>&1' _ "$work/wine-$side/app/bench_main_window_open.exe" "$out" || true
  done
  echo
  echo "== under Wine: $rev"
  grep -v -i '^[0-9a-f]*:\(fixme\|err\|warn\)' "$work/wine-base.txt" || true
  echo "== under Wine: now"
  grep -v -i '^[0-9a-f]*:\(fixme\|err\|warn\)' "$work/wine-now.txt" || true
fi
