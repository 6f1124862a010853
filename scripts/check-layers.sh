#!/usr/bin/env bash
# Fails when an #include points up the layer stack. A file's room comes from its folder alone:
#   platform < components < song < settings < editor/state
#     < midi < chords < files < view < editor        (the engines, in this order)
#     < every ui/ folder and dialogs/                (the windows)
#     < main.cpp and the build tools (outils/ folders)
# A file includes its own folder or a room below it; between two engine folders only downwards,
# so the engines never form a circle. Below the windows no file includes a widget or dialog header
# either; the components are widgets themselves, and the message box's function is the one dialog
# the engines reach.
set -euo pipefail
cd "$(dirname "$0")/.."

rank() {
  local f=$1
  case $f in
    main.cpp|*/outils/*) echo 70 ;;
    dialogs/*|*/ui/*) echo 60 ;;
    platform/*) echo 10 ;;
    components/*) echo 11 ;;
    song/*) echo 20 ;;
    settings/*) echo 30 ;;
    editor/state/*) echo 40 ;;
    midi/*) echo 50 ;;
    chords/*) echo 51 ;;
    files/*) echo 52 ;;
    view/*) echo 53 ;;
    editor/*) echo 54 ;;
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
  rf=$(rank "$f")
  [[ $rf == 0 ]] && continue
  while IFS= read -r line; do
    inc=${line#*\"}; inc=${inc%%\"*}
    [[ $inc == */* ]] || continue
    ri=$(rank "$inc")
    [[ $ri == 0 ]] && continue
    if (( ri > rf )); then
      echo "layer: $f includes $inc, which stands above it"
      fail=1
    elif (( ri == rf )) && (( rf < 60 )) && [[ ${f%/*} != "${inc%/*}" ]]; then
      echo "layer: $f includes $inc, a folder of its own room"
      fail=1
    fi
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$f" || true)
  if (( rf < 60 )) && [[ $f != components/* && $f != settings/Mess.cpp ]]; then
    while IFS= read -r h; do
      if [[ -n ${WIDGET[$h]:-} ]]; then
        echo "layer: $f includes the widget header <$h>: it belongs in a ui/ folder"
        fail=1
      fi
    done < <(grep -oE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q[A-Za-z]+>' "$f" | grep -oE 'Q[A-Za-z]+' || true)
  fi
done < <(git ls-files -co --exclude-standard -- main.cpp platform components song settings editor chords midi files view dialogs \
           | grep -E '\.(h|cpp)$')

if (( fail )); then
  echo "check-layers: includes point up (see above)" >&2
  exit 1
fi
echo "check-layers: every include points down or stays in its folder"
