#!/usr/bin/env bash
# Builds the Debian package into dist/: a Release build in build-package/ (the "package" preset of
# CMakePresets.json; warnings do not stop it), the package made by CPack with its dependencies
# from dpkg-shlibdeps, the desktop entry and the AppStream metadata checked by their validators,
# the package checked by lintian, which must find no error and no warning, and its files listed.
# Install it with: apt-get install ./dist/quillbrook_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh file dpkg-dev desktop-file-utils appstream lintian

cmake --preset package >/dev/null
# The metadata is checked as installed, with the version the build wrote into it.
desktop-file-validate packaging/org.quillbrook.Quillbrook.desktop
appstreamcli validate --no-net build-package/packaging/org.quillbrook.Quillbrook.metainfo.xml

cmake --build --preset package --parallel "$(nproc)"
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

# Informational notes are shown but do not fail the package; errors and warnings do.
echo "lintian ${packages[0]}"
if ! lintian --display-info --fail-on error,warning "${packages[0]}"; then
    echo "package.sh: lintian found errors or warnings in ${packages[0]}" >&2
    exit 1
fi
echo "Built ${packages[0]}"
