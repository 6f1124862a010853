#!/usr/bin/env bash
# Installs what is missing, builds Vexo and starts it, optionally on a song file.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target vexo
exec ./build/vexo "$@"
