#!/usr/bin/env bash
# The house rule of the functions: none in src/ or tools/ is longer than 50 lines, so that each
# can be read at a glance and does one thing. clang-tidy measures them (lines of the body, blank
# and comment lines included) from the compile commands of a build tree.
# Usage: scripts/check_function_length.sh [BUILD_DIR] (default: build). Prints every function
# over the limit and fails; prints one line and succeeds when there is none.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
limit=50
cd "$root"
[ -f "$build/compile_commands.json" ] || { echo "function length: no $build/compile_commands.json"; exit 1; }

config="{CheckOptions: [{key: readability-function-size.LineThreshold, value: $limit}]}"
report=$(find src tools -name '*.cpp' | sort |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet -checks='-*,readability-function-size' \
    -header-filter="^$root/(src|tools)/" -config="$config" 2>/dev/null |
  awk -v root="$root/" '
    / warning: function .* exceeds recommended size/ {
      split($0, at, ":"); place = at[1] ":" at[2]; sub(root, "", place)
      name = $0; sub(/.*warning: function /, "", name); sub(/ exceeds.*/, "", name)
    }
    / note: [0-9]+ lines including/ && place != "" {
      n = $0; sub(/.* note: /, "", n); sub(/ lines.*/, "", n)
      print place ": " name " has " n " lines"; place = ""
    }' | sort -u)
if [ -n "$report" ]; then
  echo "$report"
  echo "function length: $(echo "$report" | wc -l) functions are longer than $limit lines"
  exit 1
fi
echo "function length: no function in src/ or tools/ is longer than $limit lines"
