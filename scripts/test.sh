#!/usr/bin/env bash
# Installs what is missing, builds Vexo and runs every test: the normal build, then the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"
cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"
