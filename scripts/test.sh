#!/usr/bin/env bash
# Installs what is missing, builds Vexo and runs every test: the layer check, the check that every
# step lets pending messages run through the one routine, the cases those two checks must refuse
# or let through (before building; CTest, which also runs them, leaves them out below), the normal
# build (with warnings as errors under CI), each test executable once
# more as one shuffled process with three seeds,
# then the sanitizer build (AddressSanitizer with leak detection + UndefinedBehaviorSanitizer), and
# the ThreadSanitizer build over the player and playback tests only (the threads live there), through
# CTest and as one process. The last line says whether the whole run passed, and names the stage
# that stopped it when one did.
set -euo pipefail
cd "$(dirname "$0")/.."
etape="installing what is missing"
trap 'code=$?; if [ "$code" -eq 0 ]; then echo "The whole run passed."
      else echo "The run failed at the stage: $etape (exit code $code)."; fi' EXIT
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
etape="layer check"
bash scripts/check-layers.sh
etape="pending-messages check"
bash scripts/check-events.sh
etape="cases of the two checks"
bash scripts/test-guards.sh
preset=default
[ -n "${CI:-}" ] && preset=ci
etape="normal build"
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$jobs"
etape="normal tests through CTest"
ctest --preset "$preset" -j "$jobs" -LE guards
bindir=build; [ "$preset" = ci ] && bindir=build-ci
mapfile -t executables < "$bindir/tests/test_executables.txt"  # one per layer with tests
etape="shuffled single-process runs"
for seed in 11 23 37; do
  for exe in "${executables[@]}"; do
    echo "Shuffled single-process run of ${exe##*/}, seed $seed"
    "$exe" --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1
  done
done
etape="sanitizer build"
cmake --preset asan
cmake --build --preset asan -j "$jobs"
etape="sanitizer tests"
ctest --preset asan -j "$jobs" -LE guards
etape="thread-sanitizer build"
cmake --preset tsan
cmake --build --preset tsan -j "$jobs"
etape="thread-sanitizer tests through CTest"
ctest --preset tsan -j "$jobs"
# The same groups once more as one process, as the normal build's shuffled runs run: whether a race
# shows must not depend on how the tests are spread over processes. A run with reports fails.
# The groups and the sanitizer's options are those CTest ran, written by the build (tests/CMakeLists.txt);
# a missing list, option or group fails here rather than widening or narrowing the run.
etape="thread-sanitizer single-process runs"
bash scripts/check-tsan-groups.sh build-tsan/tests
{ read -r groupes; read -r options; } < build-tsan/tests/tsan.txt
filtre=$(sed -E 's/ +/.*:/g; s/$/.*/' <<< "$groupes")
mapfile -t executables < build-tsan/tests/test_executables.txt
for exe in "${executables[@]}"; do
  echo "Thread-sanitized single-process run of ${exe##*/}: $groupes"
  TSAN_OPTIONS="$options" "$exe" --gtest_filter="$filtre" --gtest_brief=1
done
