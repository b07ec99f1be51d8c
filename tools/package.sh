#!/usr/bin/env bash
# The release: builds Rolecue.exe in release mode with the mingw preset's
# toolchain (in build/package) and writes build/Rolecue-<version>-win64.zip,
# one folder Rolecue/ holding
#   Rolecue.exe                    static and stripped
#   option.xml                     every setting at its default, written by
#                                  the program's own option code
#   samples/                       the sample scenarios
#   はじめにお読みください.txt     the guide, Shift_JIS with CR LF
#   LICENSE.txt                    MIT, CR LF
# The version is project(VERSION) of CMakeLists.txt. The same commit gives
# the same zip, byte for byte: no time stamp or build path goes into the
# program, and every entry of the zip carries the commit's time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/deps.sh

build=build/package
native=build/package-native
# -ffile-prefix-map: source paths (in exception texts) relative to the
# project; --no-insert-timestamp: no build time in the PE header; -s: stripped.
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DROLECUE_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$root/=" \
  -DCMAKE_EXE_LINKER_FLAGS="-s -Wl,--no-insert-timestamp" >/dev/null
cmake --build "$build" --target Rolecue -j2
# The default option file comes from the option code itself, built natively.
cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Release -DROLECUE_TESTS=OFF >/dev/null
cmake --build "$native" --target default_option -j2

version=$(sed -n 's/^#define ROLECUE_VERSION_TEXT "\(.*\)"$/\1/p' "$build/res/Version.h")
[ -n "$version" ] || { echo "package: no version in $build/res/Version.h" >&2; exit 1; }

stage="$build/stage/Rolecue"
rm -rf "$build/stage"
mkdir -p "$stage/samples"
cp "$build/app/Rolecue.exe" "$stage/Rolecue.exe"
"$native/dist/default_option" "$stage/option.xml"
cp samples/*.xml "$stage/samples/"
python3 - "$version" "$stage" <<'PY'
import sys
version, stage = sys.argv[1], sys.argv[2]
def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")
with open("dist/readme-ja.txt", encoding="utf-8") as f:
    guide = crlf(f.read().replace("@VERSION@", version))
with open(stage + "/はじめにお読みください.txt", "wb") as f:
    f.write(guide.encode("cp932"))
with open("LICENSE", encoding="utf-8") as f:
    license_text = crlf(f.read())
with open(stage + "/LICENSE.txt", "wb") as f:
    f.write(license_text.encode("ascii"))
PY

epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 315532800)}
zip="build/Rolecue-$version-win64.zip"
rm -f "$zip"
python3 dist/make_zip.py "$stage" "$zip" "$epoch"
python3 -m zipfile -l "$zip"
echo "package: $zip ($(stat -c %s "$zip") bytes, sha256 $(sha256sum "$zip" | cut -d' ' -f1))"
