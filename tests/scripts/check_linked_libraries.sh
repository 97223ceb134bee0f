#!/usr/bin/env bash
# What the programs link, as the dynamic loader lists it before they start: the desktop program
# no chart, QML or Svg library (the charts module brings those at the first Show Graph), the
# command-line tool no library of Qt's GUI part (its modules bring them for --pdf and chart). The
# charts module itself does link Qt Charts, so the check looks where the libraries went.
#
#   check_linked_libraries.sh QUILLBROOK QUILLBROOK_CLI CHARTS_MODULE
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The listings are read whole before they are searched: a search that stops at its first match
# would cut ldd off, and the pipe would fail for it.
program=$(ldd "$1") || fail "ldd cannot list $1"
tool=$(ldd "$2") || fail "ldd cannot list $2"
charts=$(ldd "$3") || fail "ldd cannot list $3"

if grep -E 'libQt6(Charts|DataVisualization|Quick|Qml|Svg|OpenGL)' <<<"$program"; then
    fail "quillbrook links the libraries above; they belong to the charts module"
fi
if grep -E 'libQt6(Gui|Widgets|PrintSupport)' <<<"$tool"; then
    fail "quillbrook-cli links the libraries above; it runs its text commands on Qt Core"
fi
grep -q 'libQt6Charts' <<<"$charts" || fail "the charts module does not link Qt Charts"
echo "PASS: the programs link no library that only their modules need"
