#!/usr/bin/env bash
# Cost at rest: the game with a living pet against a bare SFML window drawing a picture at
# the same rate, each for a while under Xvfb. Reports CPU time, peak memory and the time
# from start to the first white frame.
# Usage: bench/idle_cost.sh [build folder (default build-release)] [seconds (default 60)] [pet | home] [scale (default 1)]
# (home: the game stays on its home screen without a pet, which it repaints once a second)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build-release}" && pwd)"
seconds="${2:-60}"
open=open
[ "${3:-pet}" = home ] && open=no
scale="${4:-1}"
[ -x "$build/hatchling" ] && [ -x "$build/bench/bare_window" ] || {
  echo "build $build first: cmake --build $build --target hatchling bare_window game_data" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$build/game-data" "$work/data"
printf 'IDLE\n' > "$work/data/Settings/Pet.list"
printf 'IDLE 0\nBaby Normal\n30.000000 500.000000 0 0 100 90 0 50 90 \n' > "$work/data/Pets/IDLE.data"

cat > "$work/measure.sh" <<'INNER'
#!/usr/bin/env bash
# $1 name, $2 title, $3 seconds, $4 "open" to open the pet, then the command.
set -euo pipefail
name="$1"; title="$2"; seconds="$3"; open="$4"; shift 4
start=$(date +%s.%N)
"$@" >/dev/null 2>&1 &
pid=$!
# First white frame: the window exists and its top-left corner is white.
deadline=$(( $(date +%s) + 20 ))
while :; do
  [ "$(date +%s)" -lt "$deadline" ] || { echo "$name: no white window within 20 s" >&2; kill "$pid"; exit 1; }
  id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
  if [ -n "$id" ]; then
    pixel=$(import -window "$id" -crop 1x1+5+5 -depth 8 txt:- 2>/dev/null | tail -n 1 || true)
    case "$pixel" in *"#FFFFFF"*) break ;; esac
  fi
  sleep 0.01
done
ready=$(date +%s.%N)
if [ "$open" = open ]; then
  for key in m o Return; do xdotool key --window "$id" "$key"; sleep 0.5; done
fi
# Idle cost is counted from a few seconds after start-up (and after opening the pet), so that
# one-time work (loading pictures and fonts, the menu) is left out for both programs alike.
sleep 5
before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
sleep "$seconds"
ticks=$(( $(awk '{print $14 + $15}' "/proc/$pid/stat") - before ))
total=$(awk '{print $14 + $15}' "/proc/$pid/stat")
hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
kill "$pid"; wait "$pid" 2>/dev/null || true
hz=$(getconf CLK_TCK)
awk -v n="$name" -v t="$ticks" -v hz="$hz" -v s="$seconds" -v m="$hwm" -v a="$start" -v b="$ready" \
  -v all="$total" 'BEGIN { printf "%-10s idle cpu %.2f s in %d s (%.2f%%), %.2f s in all  peak memory %.1f MB  first white frame %.3f s\n", n, t/hz, s, 100*t/hz/s, all/hz, m/1024, b-a }'
INNER
chmod +x "$work/measure.sh"

cd "$work/data"
# A screen on which x2 fits (x3 and x4 need a larger one).
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c "
  '$work/measure.sh' bare Bare '$seconds' no '$build/bench/bare_window' imgs/Baby_Normal0.png '$scale'
  '$work/measure.sh' hatchling Hatchling '$seconds' $open '$build/hatchling' --scale '$scale'
"
