#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Until the calculation windows exist
# it prints the default mortgage's schedule with the command-line tool; arguments are passed on
# to "quillbrook-cli schedule" (try --help).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/src/quillbrook-cli schedule "$@"
