#!/usr/bin/env bash
# Fails when a file of src/ reaches outside what its layer may use:
#   core     core headers and Qt Core only, never the desktop program, the command-line tool, a
#            module or another Qt module. Inside core the folders are floors, and no folder
#            includes one above it: the engine and formatting at the bottom with the program's
#            services, then the shared state, then printing and the settings, and the reports at
#            the top.
#   desktop  core, desktop and, of the charts module, only what it offers (chartsmodule.h,
#            chartpicture.h); Qt Core, Gui, Widgets and Print Support. Qt Charts, Data
#            Visualization and Svg are the charts module's, loaded at the first Show Graph.
#   cli      core, cli and only what the charts and PDF modules offer; Qt Core only, so text
#            commands never load a window system.
#   charts   the charts module: core, desktop and charts; any Qt module.
#   pdf      the PDF module: core, desktop and pdf; Qt Core, Gui, Widgets and Print Support.
# What a module offers (chartsmodule.h, chartpicture.h, pdfmodule.h) is included by the programs
# that load it, so it includes Qt Core only.
set -euo pipefail
cd "$(dirname "$0")/.."

qtcore=${QTCORE_INCLUDE_DIR:-$(find /usr/include /usr/local/include -maxdepth 4 -type d -path '*qt6/QtCore' 2>/dev/null | head -n 1)}
if [ -z "$qtcore" ] || [ ! -d "$qtcore" ]; then
    echo "check-includes: cannot find the Qt Core headers" >&2
    exit 1
fi
qtroot=$(dirname "$qtcore")

mapfile -t files < <(find src -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
for layer in core desktop cli charts pdf; do
    if ! printf '%s\n' "${files[@]}" | grep -q "^src/$layer/"; then
        echo "check-includes: no $layer files found" >&2
        exit 1
    fi
done

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

# The Qt modules a layer may include; "any" for all of them.
qt_modules() {
    case "$1" in
    core | cli) echo QtCore ;;
    desktop | pdf) echo QtCore QtGui QtWidgets QtPrintSupport ;;
    *) echo any ;;
    esac
}

# Whether a layer may include a header of ours, named from src/.
may_include() {
    local layer=$1 header=$2
    case "$header" in
    core/*) return 0 ;;
    charts/chartsmodule.h | charts/chartpicture.h) [ "$layer" != core ] ;;
    pdf/pdfmodule.h) [ "$layer" = cli ] || [ "$layer" = pdf ] ;;
    desktop/*) [ "$layer" = desktop ] || [ "$layer" = charts ] || [ "$layer" = pdf ] ;;
    "$layer"/*) return 0 ;;
    *) return 1 ;;
    esac
}

bad=0
while IFS=: read -r file line text; do
    header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$text")
    layer=${file#src/}
    layer=${layer%%/*}
    case "$text" in
    *'"'*)
        # Headers of the generated code (moc files) are beside the file, not named from src/.
        case "$header" in
        */*) ;;
        *) continue ;;
        esac
        if ! may_include "$layer" "$header"; then
            if [ "$layer" = core ]; then
                echo "$file:$line: the core library includes \"$header\" from a higher layer" >&2
            else
                echo "$file:$line: $layer includes \"$header\", which is not its to use" >&2
            fi
            bad=1
        elif [ "$layer" = core ]; then
            from=${file#src/core/}
            from=${from%%/*}
            to=${header#core/}
            to=${to%%/*}
            if [ "$(floor "$to")" -gt "$(floor "$from")" ]; then
                echo "$file:$line: core/$from includes \"$header\" from a folder above it" >&2
                bad=1
            fi
        fi
        ;;
    *'<Q'*)
        allowed=$(qt_modules "$layer")
        case "$file" in
        src/charts/chartsmodule.h | src/charts/chartpicture.h | src/pdf/pdfmodule.h) allowed=QtCore ;;
        esac
        [ "$allowed" = any ] && continue
        module=${header%%/*}
        name=${header##*/}
        found=0
        for qt in $allowed; do
            if { [ "$module" = "$header" ] && [ -e "$qtroot/$qt/$name" ]; } || [ "$module" = "$qt" ]; then
                found=1
            fi
        done
        if [ $found -eq 0 ]; then
            if [ "$layer" = core ]; then
                echo "$file:$line: the core library includes <$header> outside Qt Core" >&2
            else
                echo "$file:$line: $layer includes <$header> outside ${allowed// /, }" >&2
            fi
            bad=1
        fi
        ;;
    esac
done < <(grep -n -H -E '^[[:space:]]*#[[:space:]]*include' "${files[@]}")

exit $bad
