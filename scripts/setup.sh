#!/usr/bin/env bash
# Installs what Vexo needs on a Debian 12 machine (run as root); installs nothing that is already there.
set -euo pipefail
PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-private-dev libqt6printsupport6 qt6-qpa-plugins qt6-svg-dev libqt6svg6
  qt6-translations-l10n libcups2-dev
  tango-icon-theme
  libfluidsynth-dev fluidsynth timgm6mb-soundfont
  libsdl2-dev
  fonts-liberation
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth xdotool midicsv
  poppler-utils
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
