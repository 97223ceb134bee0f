#!/usr/bin/env bash
# Installs what is missing, builds the program (Release, in build/) and starts it. Warnings do not
# stop this build: a newer compiler's new warning must not keep a user from the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --parallel "$(nproc)" --target quillbrook quillbrook-cli
exec build/src/quillbrook "$@"
