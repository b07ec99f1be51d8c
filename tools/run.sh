#!/usr/bin/env bash
# The run command: installs what is missing, builds the Windows program and
# starts Rolecue.exe under Wine (Japanese locale, code page 932).
# With DISPLAY set it uses that display; otherwise it starts its own Xvfb,
# saves a screenshot of the started program and says where.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target Rolecue

# Rolecue keeps option.xml beside its executable: run it from its own folder.
rundir="$root/build/run"
mkdir -p "$rundir"
cp build/mingw/app/Rolecue.exe "$rundir/"
cp -n samples/*.xml "$rundir/" 2>/dev/null || true
# Without option.xml the first start reports that the settings could not be
# read (and leaves an empty file behind). Seed one whose recent-files menu
# (ファイル > 最近使ったファイル) lists the samples.
if [ ! -s "$rundir/option.xml" ]; then
  {
    printf '<?xml version="1.0" encoding="Shift_JIS"?>\r\n<Option Version="1.0">\r\n'
    printf '\t<General AddReturn="1" AutoScroll="1" ScrollPos="10"/>\r\n'
    printf '\t<HotKey HotKey="0077" KeyWait="100"/>\r\n'
    printf '\t<Colors>\r\n\t\t<Color Name="ActiveCast" TextColor="000000" BackColor="ffcccc"/>\r\n\t</Colors>\r\n'
    printf '\t<FileHistories>\r\n'
    for f in "$rundir"/*.xml; do
      [ "$(basename "$f")" = option.xml ] && continue
      printf '\t\t<FileHistory FullPath="Z:%s"/>\r\n' "$(printf '%s' "$f" | tr / '\\')"
    done
    printf '\t</FileHistories>\r\n</Option>\r\n'
  } >"$rundir/option.xml"
fi

export WINEPREFIX="${WINEPREFIX:-$root/build/mingw/wineprefix}"
if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting Rolecue on display $DISPLAY (Wine prefix $WINEPREFIX)"
  tools/with-wine.sh --prefix "$WINEPREFIX" --display "$DISPLAY" -- \
    bash -c 'cd "$1" && wine ./Rolecue.exe' _ "$rundir"
else
  shot="$root/build/rolecue-screenshot.png"
  seconds="${ROLECUE_RUN_SECONDS:-0}"
  echo "run: no DISPLAY set: starting a private Xvfb for Rolecue"
  tools/with-wine.sh --prefix "$WINEPREFIX" -- bash -c '
    cd "$1" || exit 1
    wine ./Rolecue.exe >"$1/wine.log" 2>&1 &
    pid=$!
    sleep 6
    import -window root "$2" && echo "run: screenshot of the started program: $2"
    echo "run: Rolecue runs on the private display $DISPLAY (pid $pid); Ctrl+C ends it."
    if [ "$3" -gt 0 ]; then sleep "$3"; kill "$pid" 2>/dev/null; fi
    wait "$pid" || true' _ "$rundir" "$shot" "$seconds"
fi
