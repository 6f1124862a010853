#!/usr/bin/env bash
# Fails on a call that lets pending messages run without going through LaisserPasserMessages
# (platform/Evenements.h): a bare processEvents() also runs the user's next key or click inside the
# step, so keys typed quickly land in the wrong place.
set -euo pipefail
cd "$(dirname "$0")/.."
found=$(git grep -nE 'processEvents[[:space:]]*\(' -- '*.cpp' '*.h' \
          ':!tests' ':!bench' ':!platform/Evenements.cpp' || true)
if [[ -n $found ]]; then
  echo "$found"
  echo "check-events: let pending messages run through LaisserPasserMessages (platform/Evenements.h)" >&2
  exit 1
fi
echo "check-events: every step lets pending messages run through the one routine"
