#!/usr/bin/env bash
# Installs what is needed, builds the game (Release) and starts it. The game reads the shipped
# data from the build tree and keeps the player's pets in ${XDG_DATA_HOME:-$HOME/.local/share}/hatchling,
# the same folder an installed game uses; nothing is copied.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/setup.sh
build="${HATCHLING_RELEASE_DIR:-$root/build-release}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target hatchling game_data
exec "$build/hatchling" "$@"
