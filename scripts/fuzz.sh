#!/usr/bin/env bash
# Builds the fuzz targets of the readers (clang, libFuzzer, ASan + UBSan) and runs each one.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] (default 300). New inputs that find new paths go
# to build-fuzz/corpus/<target>; a crash leaves its input in build-fuzz/findings/ and makes the
# script fail. The seed corpora in tests/fuzz/corpus are only read.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-300}"
build="${HATCHLING_FUZZ_BUILD_DIR:-$root/build-fuzz}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DHATCHLING_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzzers
mkdir -p "$build/findings"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_OPTIONS="detect_leaks=1"
status=0
for target in "$build"/fuzz/*_fuzz; do
  name="$(basename "$target")"
  work="$build/corpus/$name"
  mkdir -p "$work"
  echo "== $name: ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/findings/$name-" "$work" "$root/tests/fuzz/corpus/$name" \
      >"$build/findings/$name.log" 2>&1; then
    echo "!! $name found a fault: see $build/findings/$name.log"
    tail -n 30 "$build/findings/$name.log"
    status=1
  else
    grep -E "^stat::number_of_executed_units|^#[0-9]+.*DONE" "$build/findings/$name.log" | tail -n 2 || true
  fi
done
exit $status
