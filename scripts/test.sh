#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test (under an X server).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/setup.sh
build="${HATCHLING_BUILD_DIR:-$root/build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure -j1
