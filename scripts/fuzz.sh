#!/usr/bin/env bash
# Builds the readers' fuzz target (clang, libFuzzer, ASan + UBSan) and feeds each reader, as many
# at once as there are cores.
# Usage: scripts/fuzz.sh [SECONDS_PER_READER] (default 300). New inputs that find new paths go
# to build-fuzz/corpus/<reader>; a crash leaves its input in build-fuzz/findings/ and makes the
# script fail. The seed corpora in tests/fuzz/corpus are only read. To replay an input:
# HATCHLING_FUZZ_READER=<reader> build-fuzz/fuzz/readers_fuzz <input>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-300}"
build="${HATCHLING_FUZZ_BUILD_DIR:-$root/build-fuzz}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DHATCHLING_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target readers_fuzz
mkdir -p "$build/findings"

feed() { # feed READER: runs the target on that reader; prints one line, fails on a fault
  local reader="$1" log="$build/findings/$1.log"
  mkdir -p "$build/corpus/$reader"
  if HATCHLING_FUZZ_READER="$reader" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
      ASAN_OPTIONS="detect_leaks=1" "$build/fuzz/readers_fuzz" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$reader-" \
      "$build/corpus/$reader" "$root/tests/fuzz/corpus/$reader" >"$log" 2>&1; then
    echo "== $reader: ${seconds}s, $(grep -E '^stat::number_of_executed_units' "$log" | grep -oE '[0-9]+$') inputs"
  else
    echo "!! $reader found a fault: see $log"
    tail -n 30 "$log"
    return 1
  fi
}
export -f feed
export build root seconds
# shellcheck disable=SC2016 # "$1" is for the inner shell
printf '%s\n' food lists life petdata preferences tables template tokenizer window |
  xargs -P "$(nproc)" -n 1 bash -c 'feed "$1"' feed
