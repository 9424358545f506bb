#!/usr/bin/env bash
# Builds the Debian package (Release, in build-release/) and checks it: lintian, the desktop
# entry and the AppStream metadata. Prints the package's path last. HATCHLING_RELEASE_DIR and
# HATCHLING_BUILD_TYPE let the test run package its own build tree instead of building again
# (the packaged binary is stripped either way).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/setup.sh
build="${HATCHLING_RELEASE_DIR:-$root/build-release}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="${HATCHLING_BUILD_TYPE:-Release}" -DHATCHLING_INSTALL_BINDIR=games >/dev/null
cmake --build "$build" -j"$(nproc)" --target hatchling game_data desktop_files >&2
rm -f "$build"/hatchling_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/hatchling_*_amd64.deb)
lintian --fail-on error "$deb" >&2
desktop-file-validate assets/install/*.desktop
appstreamcli validate --no-net assets/install/*.metainfo.xml >/dev/null
echo "$deb"
