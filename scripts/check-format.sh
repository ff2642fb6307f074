#!/usr/bin/env bash
# Checks that every C++ file of the project is laid out as .clang-format says;
# prints the files that are not and fails. `--fix` rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null || true)
if [ ${#files[@]} -eq 0 ]; then
    mapfile -t files < <(find src tests bench fuzz tools \( -name '*.cpp' -o -name '*.h' \) | sort)
fi
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
report=$(mktemp)
trap 'rm -f "$report"' EXIT
if ! clang-format --dry-run --Werror "${files[@]}" 2>"$report"; then
    echo "check-format: not laid out as .clang-format says (scripts/check-format.sh --fix rewrites them):" >&2
    grep -o '^[^:]*:[0-9]*:[0-9]*: error' "$report" | cut -d: -f1 | sort -u | sed 's/^/  /' >&2
    exit 1
fi
