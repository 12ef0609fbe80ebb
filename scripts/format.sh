#!/usr/bin/env bash
# Lays out every C++ file of the project with .clang-format; --check only
# reports the files that differ (and fails), changing nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
if [ "${1:-}" = "--check" ]; then
  # shellcheck disable=SC2086
  clang-format --dry-run --Werror $files
  echo "layout: $(echo "$files" | wc -l) files as .clang-format lays them out"
else
  # shellcheck disable=SC2086
  clang-format -i $files
fi
