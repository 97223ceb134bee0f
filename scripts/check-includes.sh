#!/usr/bin/env bash
# Fails when the core library reaches above its layer: a core file may include only core headers
# and Qt Core, never the desktop program, the command-line tool or another Qt module. Inside core
# the folders are floors, and no folder includes one above it: the engine and formatting at the
# bottom with the program's services, then the shared state, then printing and the settings, and
# the reports at the top.
set -euo pipefail
cd "$(dirname "$0")/.."

qtcore=${QTCORE_INCLUDE_DIR:-$(find /usr/include /usr/local/include -maxdepth 4 -type d -path '*qt6/QtCore' 2>/dev/null | head -n 1)}
if [ -z "$qtcore" ] || [ ! -d "$qtcore" ]; then
    echo "check-includes: cannot find the Qt Core headers" >&2
    exit 1
fi

mapfile -t files < <(find src/core -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
if [ ${#files[@]} -eq 0 ]; then
    echo "check-includes: no core files found" >&2
    exit 1
fi

# The floor of each core folder; a file may include its own floor and those below.
floor() {
    case "$1" in
    engine | format | program) echo 0 ;;
    state) echo 1 ;;
    print | settings) echo 2 ;;
    reports) echo 3 ;;
    *) echo 9 ;;
    esac
}

bad=0
while IFS=: read -r file line text; do
    header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$text")
    case "$text" in
    *'"'*)
        case "$header" in
        desktop/* | cli/*)
            echo "$file:$line: the core library includes \"$header\" from a higher layer" >&2
            bad=1
            ;;
        core/*)
            from=${file#src/core/}
            from=${from%%/*}
            to=${header#core/}
            to=${to%%/*}
            if [ "$(floor "$to")" -gt "$(floor "$from")" ]; then
                echo "$file:$line: core/$from includes \"$header\" from a folder above it" >&2
                bad=1
            fi
            ;;
        esac
        ;;
    *'<Q'*)
        module=${header%%/*}
        name=${header##*/}
        if [ "$module" != "$header" ] && [ "$module" != QtCore ]; then
            echo "$file:$line: the core library includes <$header> outside Qt Core" >&2
            bad=1
        elif [ "$module" = "$header" ] && [ ! -e "$qtcore/$name" ]; then
            echo "$file:$line: the core library includes <$header> outside Qt Core" >&2
            bad=1
        fi
        ;;
    esac
done < <(grep -n -H -E '^[[:space:]]*#[[:space:]]*include' "${files[@]}")

exit $bad
