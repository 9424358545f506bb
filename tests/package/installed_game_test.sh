#!/usr/bin/env bash
# Plays an unpacked (never installed) game as a new player would: its own X server, an empty
# HOME, no XDG_DATA_HOME, started from a folder that holds no game data.
# Usage: installed_game_test.sh BINARY. Prints one line per check and "package: N passed, N failed".
set -uo pipefail
game="$(realpath "$1")"
tmp="$(mktemp -d)"
passed=0 failed=0
check() { # check "what" command...
  if "${@:2}" >/dev/null 2>&1; then passed=$((passed + 1)); echo "ok   $1"; else failed=$((failed + 1)); echo "FAIL $1"; fi
}
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$tmp"' EXIT
# Xvfb writes its display number once it takes clients; a busy machine may take a while.
for _ in $(seq 200); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || { echo "FAIL Xvfb did not start"; echo "package: 0 passed, 1 failed"; exit 1; }
DISPLAY=":$(cat "$tmp/display")" HOME="$tmp/home"
export DISPLAY HOME
# No session bus and no sound device of the runner's: the played game stays inside the test.
unset XDG_DATA_HOME DBUS_SESSION_BUS_ADDRESS
export ALSOFT_DRIVERS=null
mkdir -p "$HOME" "$tmp/work"
cd "$tmp/work" || exit 1
player="$HOME/.local/share/hatchling"

start() { # start NAME: runs the game in the background, sets pid and win
  "$game" >"$tmp/$1.out" 2>"$tmp/$1.err" &
  pid=$!
  # SFML does not set _NET_WM_PID; this X server shows no other game's window.
  win=$(timeout 20 xdotool search --sync --name '^Hatchling$' | head -n 1)
  [ -n "$win" ] || {
    echo "FAIL $1: no window"; sed 's/^/  /' "$tmp/$1.err"
    echo "package: $passed passed, $((failed + 1)) failed"; exit 1
  }
}
running() { local state; state=$(ps -o stat= -p "$1") && [[ $state != Z* ]]; }
keys() { for k in "$@"; do xdotool key --window "$win" "$k"; sleep 0.3; done; }
stop_within_a_second() { # sends SIGTERM; true when the game ended with status 0 within a second
  local t0 rc
  t0=$(date +%s%N)
  kill -TERM "$pid"
  while running "$pid" && [ $(($(date +%s%N) - t0)) -lt 1000000000 ]; do sleep 0.02; done
  kill -KILL "$pid" 2>/dev/null # still there after a second: a failure (status 137)
  wait "$pid"; rc=$?
  [ "$rc" -eq 0 ]
}
shot() { import -window "$win" -depth 8 "rgb:$tmp/$1.rgb"; }
until_true() { # until_true SECONDS COMMAND...: true once the command is, false after the seconds
  local end=$((SECONDS + $1))
  until "${@:2}"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.2; done
}
shot_holds() { shot "$1" && "$2" "$tmp/$1.rgb" "${@:3}"; }
wait_shot() { until_true 20 shot_holds "$@"; } # wait_shot NAME CHECK [ARGUMENT]: until CHECK SHOT [ARGUMENT]
offered() { # offered SHOT [UNLIKE]: the food chooser (its blue caption at the top left), unlike that shot
  [ "$(convert -size 480x360 -depth 8 "rgb:$1" -crop 110x30+10+10 txt:- | grep -c '#0000FF')" -gt 20 ] &&
    ! cmp -s "$1" "${2:-/dev/null}"
}
menu_open() { # the main menu's picture covers most of the window: fewer than 72800 white pixels
  local white
  white=$(convert -size 480x360 -depth 8 "rgb:$1" -format %c histogram:info:- | awk '/#FFFFFF/ {n = $1} END {print n + 0}')
  [ "$white" -lt 72800 ]
}
stats() { sed -n 3p "$player/Pets/ANN.data" 2>/dev/null; }
saved() { [ -n "$(stats)" ]; }
moved_on() { saved && [ "$(stats)" != "$newborn" ]; }
save_moved_on() { rm -f "$player/Pets/ANN.data"; keys m s; until_true 20 saved && moved_on; }

# The player's own lists: two foods, one greeting.
mkdir -p "$player/Settings"
printf "Apple 1.0 20 5 20 10 5 0 1\nWorm 3.0 5 5 15 5 5 2 1\n" >"$player/Settings/Food.list"
echo "Hello from my own list" >"$player/Settings/Hello.list"
mine=$(cat "$player/Settings/Food.list" "$player/Settings/Hello.list" | md5sum)

start first
keys m n A N N Return
check "a new pet is saved in the player folder" until_true 20 saved
newborn=$(stats)
timeout 10 "$game" >/dev/null 2>"$tmp/second.err"
check "a second game on the same folder exits 1" test $? -eq 1
check "and says why" grep -qx "refused: \"$player\": another Hatchling is already running with these pets" "$tmp/second.err"
check "while the first keeps running" kill -0 "$pid"
# Saved (each save awaited) until a life step has moved the statistics on; the file then goes, so
# that only the save on SIGTERM can bring it back.
until_true 60 save_moved_on
rm -f "$player/Pets/ANN.data"
# Right twice comes back to the first food.
keys p f
wait_shot food1 offered
keys Right
wait_shot food2 offered "$tmp/food1.rgb"
keys Right
offered_again() { wait_shot food3 offered "$tmp/food2.rgb" && cmp -s "$tmp/food1.rgb" "$tmp/food3.rgb"; }
check "the player's two-food list is the one offered" offered_again
check "SIGTERM with the food chooser open ends the game with 0 within a second" stop_within_a_second
check "and saves the pet's latest statistics" moved_on
check "the player folder holds only what the game wrote and the player put there" \
  test "$(cd "$player" && find . -type f | sort | tr '\n' ' ')" = \
  "./Pets/ANN.data ./Pets/ANN.life ./Settings/Food.list ./Settings/Hello.list ./Settings/Pet.list "
check "the pet list names the pet" test "$(cat "$player/Settings/Pet.list")" = ANN

start killed
kill -KILL "$pid"; wait "$pid" 2>/dev/null
start again
check "after a SIGKILL the next start succeeds" test -n "$win"
keys m
menu_then_stop() { wait_shot menu menu_open; local shown=$?; stop_within_a_second && [ "$shown" -eq 0 ]; }
check "SIGTERM with the main menu open ends the game with 0 within a second" menu_then_stop
check "a second run leaves the player's lists byte for byte" test "$(cat "$player/Settings/Food.list" "$player/Settings/Hello.list" | md5sum)" = "$mine"
check "the package holds the game's twelve sounds" test "$(find "${game%/games/hatchling}/share/hatchling/sounds" -name "*.wav" | wc -l)" -eq 12
echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
