#!/usr/bin/env bash
# Installs the program into a temporary prefix and runs the installed "quillbrook" the way a user
# does, on a virtual display with real key presses: the main menu, Mortgage Tables by its
# shortcut, Calculate, Show Graph and back, back to the menu, Personalize Settings with a name
# typed and saved, and Exit Program. Then: no chart library was loaded before Show Graph, which
# loaded the charts module from the prefix; the program ended with status 0, its settings went
# to the user's data folder, and nothing was written under the prefix. The installed
# quillbrook-cli draws a chart and a PDF with its modules, and no installed program or module
# carries a RUNPATH.
#
#   tst_installedprogram.sh CMAKE BUILD_DIR
set -euo pipefail

name="Installed Test User"
wait_seconds=60

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The visible window of that exact title, once it is there (the newest when several are).
window() {
    timeout "$wait_seconds" xdotool search --sync --onlyvisible --name "^$1\$" | tail -n 1 ||
        fail "no window \"$1\" appeared"
}

# Gives the window the keyboard focus (there is no window manager to do it) and presses keys.
keys() {
    local id=$1
    shift
    xdotool windowfocus --sync "$id"
    xdotool key --delay 100 "$@"
}

gone() {
    local deadline=$((SECONDS + wait_seconds))
    while xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || fail "window \"$1\" did not close"
        sleep 0.2
    done
}

# Runs inside xvfb-run: drives the program and hands back its exit status.
if [ "${1:-}" = "--on-display" ]; then
    program=$2
    "$program" >"$3" 2>&1 &
    pid=$!
    trap 'kill "$pid" 2>/dev/null || true' EXIT

    # The menu shows after the background window of the same title; the menu is the one in front.
    menu=$(window "Quillbrook Win95")
    keys "$menu" alt+t
    tables=$(window "Mortgage Tables")
    keys "$tables" alt+c
    # Qt Charts, Data Visualization and the Qt Quick and QML libraries they bring wait for the
    # first chart, which loads them with the charts module installed in lib/quillbrook/modules/.
    if grep -E 'libQt6(Charts|DataVisualization|Quick|Qml)' "/proc/$pid/maps" >&2; then
        fail "chart libraries were loaded before Show Graph"
    fi
    keys "$tables" alt+s
    chart=$(window "Charts")
    grep -q " $4/lib/quillbrook/modules/quillbrook-charts.so\$" "/proc/$pid/maps" ||
        fail "the Charts window did not come from the installed charts module"
    keys "$chart" alt+x
    gone "Charts"
    tables=$(window "Mortgage Tables")
    keys "$tables" alt+x
    gone "Mortgage Tables"

    menu=$(window "Quillbrook Win95")
    keys "$menu" alt+p
    personalize=$(window "Personalize")
    # The focus starts in the currency box; Enter moves on to the name box.
    keys "$personalize" Return
    xdotool type --delay 50 "$name"
    keys "$personalize" alt+x
    gone "Personalize"

    menu=$(window "Quillbrook Win95")
    keys "$menu" alt+x
    status=0
    wait "$pid" || status=$?
    trap - EXIT
    exit "$status"
fi

cmake=$1
build=$2
for tool in xvfb-run xdotool readelf; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/quillbrook" ] || fail "quillbrook is not in bin/"
[ -f "$prefix/share/quillbrook/Corvathe.hlp" ] || fail "the help file is not in share/quillbrook/"
[ ! -e "$prefix/bin/Corvathe.hlp" ] || fail "the help file is beside the installed program"
for module in quillbrook-charts.so quillbrook-pdf.so; do
    [ -f "$prefix/lib/quillbrook/modules/$module" ] ||
        fail "$module is not in lib/quillbrook/modules/"
done
for file in "$prefix"/bin/* "$prefix"/lib/quillbrook/modules/*; do
    if readelf -d "$file" | grep -E 'RUNPATH|RPATH' >&2; then
        fail "$file is installed with a RUNPATH"
    fi
done
listing() { find "$prefix" -printf '%y %m %s %T@ %p\n' | sort; }
listing >"$work/before"

# A user's own folders, all fresh, so nothing of the machine's user is read or changed.
mkdir -p "$work/home" "$work/data" "$work/config" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config \
    XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb
cd "$work/home"

status=0
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    bash "$0" --on-display "$prefix/bin/quillbrook" "$work/program.log" "$(realpath "$prefix")" || status=$?
if [ "$status" -ne 0 ]; then
    cat "$work/program.log" >&2
    fail "the program or the session ended with status $status"
fi

settings=$XDG_DATA_HOME/Quillbrook/Quillbrook/Personal.Mtg
[ -f "$settings" ] || {
    find "$work" -name Personal.Mtg >&2
    fail "no settings file in the user's data folder"
}
grep -q "^0,\"$name\",\"\\$\",0"$'\r'"\$" "$settings" ||
    fail "the settings file holds $(cat -A "$settings"), not the name typed"

# The tool's drawing commands load their modules from the prefix too.
"$prefix/bin/quillbrook-cli" chart mortgage --output "$work/balance.png" ||
    fail "the installed quillbrook-cli did not draw a chart"
"$prefix/bin/quillbrook-cli" report loan --pdf "$work/loan.pdf" ||
    fail "the installed quillbrook-cli did not write a PDF"
[ -s "$work/balance.png" ] && [ -s "$work/loan.pdf" ] || fail "a picture or a PDF is empty"

listing >"$work/after"
if ! diff -u "$work/before" "$work/after" >&2; then
    fail "something under the install prefix changed"
fi
echo "PASS: installed program started, showed a chart from its module, saved its settings in the" \
    "data folder, exited with 0; the installed tool drew a chart and a PDF"
