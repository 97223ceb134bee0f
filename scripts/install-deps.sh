#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when any is missing;
# packages named on the command line are installed too (the packaging and screenshot scripts
# name what only they need).
set -euo pipefail

packages=(
    cmake g++ ninja-build clang-format git
    qt6-base-dev qt6-charts-dev qt6-datavisualization-dev qt6-declarative-dev
    qt6-svg-dev qt6-qpa-plugins
    libgl1-mesa-dri xvfb xauth xdotool fonts-liberation man-db
    libbenchmark-dev
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
