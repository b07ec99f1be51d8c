#!/usr/bin/env bash
# format-check.sh [--fix]: every C++ file git tracks must be laid out as
# .clang-format says. Lists the files that are not and exits non-zero; with
# --fix, reformats them instead. Also fails when the program's own code
# (not its tests) calls a GDI text function in its "A" form: GDI reads those
# strings in the system code page, not the program's UTF-8, and Wine cannot
# show the fault (wnd/WideText.h converts for the "W" forms).
set -uo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "format: clang-format not found (tools/deps.sh installs it)" >&2; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
gdi='\b(DrawTextA|DrawTextExA|TextOutA|ExtTextOutA|GetTextExtentPoint32A|GetTextExtentExPointA|GetTextMetricsA|CreateFontA|CreateFontIndirectA|TabbedTextOutA|GetTextFaceA)\b'
mapfile -t product < <(git ls-files '*.cpp' '*.h' | grep -v -E '^(tests|bench|fuzz)/')
ansi=$(grep -n -E "$gdi" "${product[@]}" /dev/null)
if [ -n "$ansi" ]; then
  printf '%s\n' "$ansi" >&2
  echo "format: GDI text goes through the W calls (wnd/WideText.h), not the A calls above" >&2
  exit 1
fi

bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  printf 'format: not laid out as .clang-format says: %s\n' "${bad[@]}" >&2
  echo "format: run tools/format-check.sh --fix" >&2
  exit 1
fi
echo "format: ${#files[@]} files laid out as .clang-format says"
