#!/usr/bin/env bash
# Takes the README's picture of the Mortgage Tables window, docs/mortgage-tables.png: builds the
# program as scripts/run.sh does, starts it on a virtual display with fresh settings, opens
# Mortgage Tables, calculates the default mortgage and photographs the window.
set -euo pipefail
cd "$(dirname "$0")/.."
# Runs inside xvfb-run: opens the window, calculates and photographs it.
if [ "${1:-}" = "--on-display" ]; then
    "$2" >/dev/null 2>&1 &
    pid=$!
    trap 'kill "$pid" 2>/dev/null || true' EXIT
    window() { timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | tail -n 1; }
    menu=$(window "Quillbrook Win95")
    xdotool windowfocus --sync "$menu" key alt+t
    tables=$(window "Mortgage Tables")
    xdotool windowfocus --sync "$tables" key alt+c
    sleep 1
    import -window "$tables" docs/mortgage-tables.png
    exit 0
fi

scripts/install-deps.sh imagemagick
cmake --preset release >/dev/null
cmake --build --preset release --parallel "$(nproc)" --target quillbrook

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
# Fresh settings, so the picture shows the program's defaults and not this machine's user.
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache \
    XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
# A copy of the program and its help in a folder of their own, so no settings file beside
# the build's program is read or written.
mkdir -p "$work/program"
cp build/src/quillbrook build/src/Corvathe.hlp "$work/program/"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" --on-display "$work/program/quillbrook"
echo docs/mortgage-tables.png
