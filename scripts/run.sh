#!/usr/bin/env bash
# Installs what is needed, builds the game (Release) and starts it in the player's data folder.
# The shipped files are refreshed on every run; the player's own pets and pet list are never
# overwritten or deleted.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/setup.sh
build="${HATCHLING_RELEASE_DIR:-$root/build-release}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target hatchling game_data

data="${XDG_DATA_HOME:-$HOME/.local/share}/hatchling"
shipped="$build/game-data"
mkdir -p "$data/Settings" "$data/Pets" "$data/imgs" "$data/fonts"
# Shipped content: refreshed every time.
cp -f "$shipped"/imgs/* "$data/imgs/"
cp -f "$shipped"/fonts/* "$data/fonts/"
for f in Food.list Game.list Hello.list WindowApp.data StatePic.list StateMove.list; do
  cp -f "$shipped/Settings/$f" "$data/Settings/$f"
done
cp -f "$shipped/Pets/Default.default" "$data/Pets/Default.default"
# The player's own files: created when missing, never replaced.
[ -e "$data/Settings/Pet.list" ] || : > "$data/Settings/Pet.list"

cd "$data"
exec "$build/hatchling"
