#!/usr/bin/env bash
# What the linker cannot see of the layers. The build gives each layer its own library, linked only
# downwards (CMakeLists.txt), so a call up the stack to code compiled in a higher layer fails to
# link. Three things link all the same, and are checked here from the #include lines:
#   - an include that points up to code held whole in a header (inline functions, templates,
#     types, constants): nothing of the higher library is linked for it;
#   - the order among the windows, which share one library:
#       settings/ui < dialogs < midi/ui < chords/ui < files/ui < view/ui < editor/ui
#   - a widget header below the windows (the settings library links Qt Widgets for its message box
#     only, the components because they are widgets themselves).
# A file's room comes from its folder alone, by the rule the build uses to give it a library:
#   platform < components < song < settings < editor/state
#     < midi < chords < files < view < editor        (the engines, in this order)
#     < the windows, in the order above
#     < main.cpp and the build tools (outils/ folders)
# A file includes its own room or a room below it.
set -euo pipefail
cd "$(dirname "$0")/.."

rank() {
  local f=$1
  case $f in
    main.cpp|*/outils/*) echo 70 ;;
    settings/ui/*) echo 60 ;;
    dialogs/*) echo 61 ;;
    midi/ui/*) echo 62 ;;
    chords/ui/*) echo 63 ;;
    files/ui/*) echo 64 ;;
    view/ui/*) echo 65 ;;
    editor/ui/*) echo 66 ;;
    */ui/*) echo 67 ;;  # a window folder with no place in the order yet: refused below
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
  if (( rf == 67 )); then
    echo "layer: $f stands in a window folder that has no place in the windows' order: give it one in rank()"
    fail=1
  fi
  while IFS= read -r line; do
    inc=${line#*\"}; inc=${inc%%\"*}
    [[ $inc == */* ]] || continue
    ri=$(rank "$inc")
    [[ $ri == 0 ]] && continue
    if (( ri > rf )); then
      echo "layer: $f includes $inc, which stands above it"
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
echo "check-layers: every include points down or stays in its room"
