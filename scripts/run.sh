#!/usr/bin/env bash
# Installs what is missing, builds Vexo and starts it, optionally on a song file.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
(
  cd "$root"
  bash scripts/setup.sh
  cmake --preset default >/dev/null
  cmake --build --preset default -j "$(nproc)" --target vexo
)
# The song path stays relative to where the user called us from.
exec "$root/build/vexo" "$@"
