#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, checks the formatting and runs every
# test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
scripts/check-format.sh
cd build
ctest --output-on-failure --timeout 300
