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

linked() {
    ldd "$1" || fail "ldd cannot list $1"
}

if linked "$1" | grep -E 'libQt6(Charts|DataVisualization|Quick|Qml|Svg|OpenGL)'; then
    fail "quillbrook links the libraries above; they belong to the charts module"
fi
if linked "$2" | grep -E 'libQt6(Gui|Widgets|PrintSupport)'; then
    fail "quillbrook-cli links the libraries above; it runs its text commands on Qt Core"
fi
linked "$3" | grep -q 'libQt6Charts' || fail "the charts module does not link Qt Charts"
echo "PASS: the programs link no library that only their modules need"
