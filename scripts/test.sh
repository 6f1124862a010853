#!/usr/bin/env bash
# Installs what is missing, builds Vexo and runs every test: the layer check, the check that every
# step lets pending messages run through the one routine, the cases those two checks must refuse
# or let through (before building; CTest, which also runs them, leaves them out below), the normal
# build (with warnings as errors under CI), each test executable once
# more as one shuffled process with three seeds,
# then the sanitizer build (AddressSanitizer with leak detection + UndefinedBehaviorSanitizer), and
# the ThreadSanitizer build over the player and playback tests only (the threads live there), through
# CTest and as one process.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
bash scripts/check-layers.sh
bash scripts/check-events.sh
bash scripts/test-guards.sh
preset=default
[ -n "${CI:-}" ] && preset=ci
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$jobs"
ctest --preset "$preset" -j "$jobs" -LE guards
bindir=build; [ "$preset" = ci ] && bindir=build-ci
mapfile -t executables < "$bindir/tests/test_executables.txt"  # one per layer with tests
for seed in 11 23 37; do
  for exe in "${executables[@]}"; do
    echo "Shuffled single-process run of ${exe##*/}, seed $seed"
    "$exe" --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1
  done
done
cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs" -LE guards
cmake --preset tsan
cmake --build --preset tsan -j "$jobs"
ctest --preset tsan -j "$jobs"
# The same groups once more as one process, as the normal build's shuffled runs run: whether a race
# shows must not depend on how the tests are spread over processes. A run with reports fails.
# The groups and the sanitizer's options are those CTest ran, written by the build (tests/CMakeLists.txt);
# a missing list, option or group fails here rather than widening or narrowing the run.
bash scripts/check-tsan-groups.sh build-tsan/tests
{ read -r groupes; read -r options; } < build-tsan/tests/tsan.txt
filtre=$(sed -E 's/ +/.*:/g; s/$/.*/' <<< "$groupes")
mapfile -t executables < build-tsan/tests/test_executables.txt
for exe in "${executables[@]}"; do
  echo "Thread-sanitized single-process run of ${exe##*/}: $groupes"
  TSAN_OPTIONS="$options" "$exe" --gtest_filter="$filtre" --gtest_brief=1
done
