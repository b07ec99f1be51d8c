#!/usr/bin/env bash
# The test command: installs what is missing, builds both presets and runs
# every suite. Native suites run directly; the Windows suites run under Wine
# inside a private Xvfb (tools/with-wine.sh). Exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/deps.sh || { echo "test: installing dependencies failed" >&2; exit 1; }

failed=0
summary=()
# Totals for the closing line, read from ctest's own summary lines.
passed_total=0
failed_total=0
count() {  # count LOGFILE
  local line p t
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$1" | tail -n 1)
  [ -n "$line" ] || return 0
  t=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  f=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
  passed_total=$((passed_total + t - f))
  failed_total=$((failed_total + f))
}

step() {  # step NAME COMMAND...
  local name=$1; shift
  echo "== $name"
  if "$@"; then summary+=("ok      $name"); else summary+=("FAILED  $name"); failed=1; fi
}

mkdir -p build
step "format" tools/format-check.sh
step "configure native" cmake --preset native
step "build native" cmake --build --preset native
step "test native" bash -c 'ctest --preset native 2>&1 | tee build/ctest-native.log; exit ${PIPESTATUS[0]}'
count build/ctest-native.log

step "configure mingw" cmake --preset mingw
step "build mingw" cmake --build --preset mingw
# A Windows suite that fails is run once more: without a window manager, Wine
# can hand the activation between two top-level windows back and forth under
# load. A test that hangs ends its suite after a minute with a list of its
# windows (tests/support/Watchdog.cpp); a suite that fails twice fails the run.
# --hold keeps one Wine desktop open from the first suite to the last.
step "test mingw (Wine)" tools/with-wine.sh --prefix build/mingw/wineprefix \
  --hold build/mingw/tests/support/desktop_hold.exe -- \
  bash -c 'ctest --preset mingw --repeat until-pass:2 2>&1 | tee build/ctest-mingw.log; exit ${PIPESTATUS[0]}'
count build/ctest-mingw.log
# A suite that passed only on its second run is named in the summary, so
# that a flaky test shows even when the run is green.
retried=$(grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: [^ ]+ .*\*\*\*(Failed|Timeout|Exception)' \
  build/ctest-mingw.log | sed -E 's/.*Test +#[0-9]+: ([^ ]+) .*/\1/' | sort -u | tr '\n' ' ')
if [ -n "$retried" ] && [[ "${summary[-1]}" == ok* ]]; then
  summary+=("NOTE    passed only when run again: $retried")
fi

# The release zip as a user gets it: tools/package.sh builds it, and
# tests/package/zip_test.py unpacks it into a fresh folder and starts
# Rolecue.exe in a fresh Wine prefix (one test in the totals).
step "package" tools/package.sh
zip=$(ls -t build/Rolecue-*-win64.zip 2>/dev/null | head -n 1)
rm -rf build/zip-test
step "zip test (fresh Wine prefix)" tools/with-wine.sh --prefix build/zip-test/wineprefix -- \
  python3 tests/package/zip_test.py --zip "$zip" \
    --probe build/mingw/tests/package/package_probe.exe --work build/zip-test/run \
    --screenshot build/zip-test/screenshot.png
case "${summary[-1]}" in
  ok*) passed_total=$((passed_total + 1)) ;;
  *) failed_total=$((failed_total + 1)) ;;
esac

if [ "${ROLECUE_SKIP_FUZZ:-}" != 1 ] && [ -x tools/fuzz.sh ]; then
  step "fuzz (${ROLECUE_FUZZ_SECONDS:-60} s per target)" tools/fuzz.sh "${ROLECUE_FUZZ_SECONDS:-60}"
fi

echo
echo "== Summary"
printf '%s\n' "${summary[@]}"
[ $failed -eq 0 ] || failed_total=$((failed_total > 0 ? failed_total : 1))
echo "total: ${passed_total} passed, ${failed_total} failed"
exit $failed
