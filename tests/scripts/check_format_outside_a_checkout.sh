#!/usr/bin/env bash
# Runs a copy of check-format.sh where no git checkout is found: it must fail, since it cannot
# list the files it is meant to check.
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/scripts"
cp "$1" "$dir/scripts/check-format.sh"
if GIT_CEILING_DIRECTORIES="$dir" bash "$dir/scripts/check-format.sh" 2>/dev/null; then
    echo "FAIL: check-format.sh passed without a checkout"
    exit 1
fi
echo "PASS: check-format.sh fails without a checkout"
