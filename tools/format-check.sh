#!/usr/bin/env bash
# format-check.sh [--fix]: every C++ file git tracks must be laid out as
# .clang-format says. Lists the files that are not and exits non-zero; with
# --fix, reformats them instead.
set -uo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "format: clang-format not found (tools/deps.sh installs it)" >&2; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
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
