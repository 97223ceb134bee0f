#!/usr/bin/env bash
# Installs what is missing, checks the formatting and that each layer includes only what it may
# (scripts/check-includes.sh), builds everything in build-test/ as a Debug build under
# AddressSanitizer and UndefinedBehaviorSanitizer with warnings as errors (the benchmarks are
# compiled, not run), and runs every test there, including the one that installs the program and
# starts it on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-format.sh
scripts/check-includes.sh

# The build is the "test" preset of CMakePresets.json; ccache speeds it up where it is installed.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake --preset test "${launcher[@]}" >/dev/null
cmake --build --preset test --parallel "$(nproc)"
ctest --preset test
