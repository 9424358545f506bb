#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test. Tests with windows start X
# servers of their own, so the suite runs in parallel and needs no display.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/setup.sh
build="${HATCHLING_BUILD_DIR:-$root/build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)" | tee "$build/ctest-summary.log"
# A quarter day of scripted play: every save reads back and the heap stays flat after warming up.
"$build/bench/week_of_play" 0.25 >"$build/week-of-play.log" || { cat "$build/week-of-play.log"; exit 1; }

# The whole suite again under AddressSanitizer (with LeakSanitizer) and UndefinedBehaviorSanitizer,
# in the tree that also builds the readers' fuzz target. Leaks inside the X and Mesa libraries
# that the windows load are not the game's; the suppressions name only those libraries.
asan="$root/build-asan"
cmake -S "$root" -B "$asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DHATCHLING_FUZZ=ON >/dev/null
cmake --build "$asan" -j"$(nproc)" --target hatchling_tests week_of_play readers_fuzz
(
  cd "$asan"
  export ASAN_OPTIONS="detect_leaks=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$root/tests/hardening/lsan.supp:print_suppressions=0:use_tls=0"
  # The death on screen waits on a life step that the sanitizers slow down too much; it runs in
  # the plain build above.
  ctest --output-on-failure -j"$(nproc)" -E '^EndToEndDeath\.' >"$asan/ctest-asan.log" ||
    { tail -n 100 "$asan/ctest-asan.log"; exit 1; }
  tail -n 3 "$asan/ctest-asan.log"
  ./bench/week_of_play 0.25 >"$asan/week-of-play.log" || { cat "$asan/week-of-play.log"; exit 1; }
)

# Every reader fuzzed briefly; scripts/fuzz.sh alone runs them for longer.
HATCHLING_FUZZ_BUILD_DIR="$asan" "$root/scripts/fuzz.sh" "${HATCHLING_FUZZ_SECONDS:-10}"

# The Debian package, unpacked (never installed) and played from a clean home; each of its
# checks counts in the closing line. It is made from the build tree above, which is already built.
deb=$(HATCHLING_RELEASE_DIR="$build" HATCHLING_BUILD_TYPE=RelWithDebInfo "$root/scripts/package.sh" | tail -n 1)
unpacked=$(mktemp -d)
dpkg-deb -x "$deb" "$unpacked"
"$root/tests/package/installed_game_test.sh" "$unpacked/usr/games/hatchling" | tee "$build/package-test.log" || true
rm -rf "$unpacked"

# One closing line for the whole run (the sanitizer and fuzz stages fail the script on any fault).
summary=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$build/ctest-summary.log" | tail -n 1)
total=$(echo "$summary" | sed -E 's/.* out of ([0-9]+).*/\1/')
failed=$(echo "$summary" | sed -E 's/.*, ([0-9]+) tests failed.*/\1/')
package=$(grep -E "^package: [0-9]+ passed, [0-9]+ failed$" "$build/package-test.log" || echo "package: 0 passed, 1 failed")
package_passed=$(echo "$package" | sed -E 's/package: ([0-9]+) passed.*/\1/')
package_failed=$(echo "$package" | sed -E 's/.*, ([0-9]+) failed/\1/')
passed=$((total - failed + package_passed))
failed=$((failed + package_failed))
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
