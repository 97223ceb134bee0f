#!/usr/bin/env bash
# Fails when the core library reaches above its layer: a core file may include only core headers
# and Qt Core, never the desktop program, the command-line tool or another Qt module.
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
