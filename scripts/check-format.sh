#!/usr/bin/env bash
# Fails when a C++ file is not laid out as .clang-format says; "--fix" rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
# A check that cannot list the files has checked nothing, and says so by failing.
if ! listing=$(git ls-files '*.cpp' '*.h'); then
    echo "check-format: cannot list the C++ files (needs git and a checkout)" >&2
    exit 1
fi
mapfile -t files <<<"$listing"
if [ -z "$listing" ]; then
    echo "check-format: no C++ files found" >&2
    exit 1
fi
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
else
    clang-format --dry-run --Werror "${files[@]}"
fi
