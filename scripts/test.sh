#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, checks the formatting and that the
# core library includes nothing above it, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
scripts/check-format.sh
scripts/check-includes.sh
cd build
ctest --output-on-failure --timeout 300
