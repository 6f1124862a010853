#!/usr/bin/env bash
# Fails when an #include points up the layer stack: platform and components < song < settings core
# < engines (editing core, chords, MIDI, files, score-view and print layout) < windows < main.cpp.
# Below the windows no file may include a widget or dialog header either (the message box of the
# settings core is the one dialog there).
set -euo pipefail
cd "$(dirname "$0")/.."

# The window units that live in an engine folder, as path patterns.
WINDOWS=(
  'editor/Main*' 'editor/Splash*' 'dialogs/*'
  'settings/Pref*' 'settings/Welcome*' 'settings/Traduction*'
  'midi/SelMIDI*' 'midi/WaitMidi*'
  'files/Browse*' 'files/ImpASCII*' 'files/TestASCI*'
  'chords/Sais_ac*'
  'view/preview*' 'view/DlgPrint*' 'view/*Widget*' 'view/PanelZoneAff*'
)
DIALOG_ALLOWED=('settings/Mess*')

layer() {
  local f=$1 p
  [[ $f == editor/main.cpp ]] && { echo 6; return; }
  for p in "${WINDOWS[@]}"; do [[ $f == $p ]] && { echo 5; return; }; done
  case $f in
    platform/*|components/*) echo 1 ;;
    song/*) echo 2 ;;
    settings/*) echo 3 ;;
    editor/*|chords/*|midi/*|files/*|view/*) echo 4 ;;
    *) echo 0 ;;
  esac
}

# Widget and dialog headers: every header of QtWidgets, and the print dialogs.
qtinc=$(ls -d /usr/include/*/qt6 /usr/include/qt6 2>/dev/null | head -n 1 || true)
declare -A WIDGET=()
if [[ -n $qtinc && -d $qtinc/QtWidgets ]]; then
  for h in "$qtinc"/QtWidgets/Q*; do h=${h##*/}; [[ $h == *.h ]] || WIDGET[$h]=1; done
fi
for h in QPrintDialog QPrintPreviewDialog QPrintPreviewWidget QPageSetupDialog QAbstractPrintDialog; do WIDGET[$h]=1; done

fail=0
while IFS= read -r f; do
  lf=$(layer "$f")
  [[ $lf == 0 ]] && continue
  while IFS= read -r line; do
    inc=${line#*\"}; inc=${inc%%\"*}
    [[ $inc == */* ]] || continue
    li=$(layer "$inc")
    [[ $li == 0 ]] && continue
    # Components and platform share the bottom room but components sit on the platform.
    if (( li > lf )) || [[ $f == platform/* && $inc == components/* ]]; then
      echo "layer: $f ($lf) includes $inc ($li)"
      fail=1
    fi
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$f" || true)
  if (( lf <= 4 )) && [[ $f != components/* ]]; then
    allowed=0
    for p in "${DIALOG_ALLOWED[@]}"; do [[ $f == $p ]] && allowed=1; done
    if (( !allowed )); then
      while IFS= read -r h; do
        if [[ -n ${WIDGET[$h]:-} ]]; then
          echo "layer: $f ($lf) includes the widget header <$h>"
          fail=1
        fi
      done < <(grep -oE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q[A-Za-z]+>' "$f" | grep -oE 'Q[A-Za-z]+' || true)
    fi
  fi
done < <(git ls-files -co --exclude-standard -- platform components song settings editor chords midi files view dialogs \
           | grep -E '\.(h|cpp)$')

if (( fail )); then
  echo "check-layers: includes point up (see above)" >&2
  exit 1
fi
echo "check-layers: every include points down or across"
