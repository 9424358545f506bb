#!/usr/bin/env bash
# The house rule of the sources: each folder of src/ is a floor, and an include may only go down
# to a lower floor or stay in its own folder. The two folders of floor 5 do not use each other.
# Tests keep the rule of the folder they test (tests/e2e and tests/fuzz drive the whole game).
# Prints every include that breaks it and fails; prints one line and succeeds when none does.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

floor() { # floor FOLDER: its floor, or nothing for a folder outside the house
  case "$1" in
    support) echo 1 ;; growth) echo 2 ;; presentation) echo 3 ;; pet) echo 4 ;;
    views | minigame) echo 5 ;; core) echo 6 ;;
  esac
}

broken=0 checked=0
while IFS= read -r file; do
  folder=$(echo "$file" | cut -d/ -f2)
  own=$(floor "$folder")
  [ -n "$own" ] || continue
  while IFS=: read -r line include; do
    target=$(echo "$include" | sed -E 's/.*#include "([^/"]+)\/.*/\1/')
    to=$(floor "$target")
    checked=$((checked + 1))
    [ -n "$to" ] || continue
    if [ "$to" -gt "$own" ] || { [ "$to" -eq "$own" ] && [ "$target" != "$folder" ]; }; then
      echo "$file:$line: $include runs from $folder (floor $own) to $target (floor $to)"
      broken=$((broken + 1))
    fi
  done < <(grep -nE '^\s*#\s*include\s+"[^/"]+/' "$file" || true)
done < <(find src tests -name '*.cpp' -o -name '*.h' | sort)

if [ "$broken" -gt 0 ]; then
  echo "floors: $broken of $checked includes run up a floor or across floor 5"
  exit 1
fi
echo "floors: all $checked includes go down or stay in their folder"
