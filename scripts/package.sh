#!/usr/bin/env bash
# Builds the Debian package into dist/: a Release build in build-package/ (warnings do not stop
# it), the package made by CPack with its dependencies from dpkg-shlibdeps, the desktop entry and
# the AppStream metadata checked by their validators, and the package's files listed.
# Install it with: apt-get install ./dist/quillbrook_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh file dpkg-dev desktop-file-utils appstream

desktop-file-validate packaging/org.quillbrook.Quillbrook.desktop
appstreamcli validate --no-net packaging/org.quillbrook.Quillbrook.metainfo.xml

cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DQB_WERROR=OFF -DQB_SANITIZE=OFF \
    -DQB_BUILD_TESTS=OFF -DQB_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-package --parallel "$(nproc)"
rm -rf dist
(cd build-package && cpack -G DEB -B "$PWD/../dist" >/dev/null)
rm -rf dist/_CPack_Packages

shopt -s nullglob
packages=(dist/quillbrook_*.deb)
[ ${#packages[@]} -eq 1 ] || {
    echo "package.sh: expected one package in dist/, found ${#packages[@]}" >&2
    exit 1
}
dpkg-deb --info "${packages[0]}"
dpkg-deb --contents "${packages[0]}"
echo "Built ${packages[0]}"
