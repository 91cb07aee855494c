#!/usr/bin/env bash
# Formats the C++ sources (src, tests, bench, fuzz) in place with the repository's
# .clang-format. With --check nothing is changed: it lists the files that differ from the
# style and fails if there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-}
case "$mode" in
  ""|--check) ;;
  *) echo "usage: scripts/format.sh [--check]" >&2; exit 2 ;;
esac
clang_format=${CLANG_FORMAT:-clang-format}
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
                                     'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
if [ "$mode" = --check ]; then
  unformatted=()
  for f in "${files[@]}"; do
    if ! "$clang_format" --dry-run --Werror "$f" > /dev/null 2>&1; then
      unformatted+=("$f")
    fi
  done
  if [ ${#unformatted[@]} -gt 0 ]; then
    printf '%s\n' "${unformatted[@]}"
    echo "${#unformatted[@]} of ${#files[@]} files need scripts/format.sh" >&2
    exit 1
  fi
  echo "all ${#files[@]} files are formatted"
else
  "$clang_format" -i "${files[@]}"
fi
