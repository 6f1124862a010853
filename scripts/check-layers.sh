#!/usr/bin/env bash
# What the linker cannot see of the layers. The build gives each layer its own library, linked only
# downwards (CMakeLists.txt), so a call up the stack to code compiled in a higher layer fails to
# link. Three things link all the same, and are checked here from the #include lines:
#   - an include that points up to code held whole in a header (inline functions, templates,
#     types, constants): nothing of the higher library is linked for it;
#   - the order among the windows, which share one library (their folders in layers.txt, in order);
#   - a widget header below the windows (the settings library links Qt Widgets for its message box
#     only, the components because they are widgets themselves).
# A file's room comes from its folder alone, by the rule the build uses to give it a library: the
# layers and their folders are read from layers.txt, from the bottom, each folder a room over the
# folders written before it (a file belongs to the longest folder that holds it; the last layer is
# the windows). A test in tests/<layer>/ stands in its layer's highest room; main.cpp and the build
# tools (outils/ folders) stand over everything. A file includes its own room or a room below it.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A ROOM=() TEST_ROOM=()
FOLDERS=()
room=0
windows=0
while read -r layer _ folders; do
  [[ -z $layer || $layer == \#* ]] && continue
  windows=$((room + 1))
  for d in $folders; do
    d=${d%/}
    room=$((room + 1))
    ROOM[$d]=$room
    FOLDERS+=("$d")
  done
  TEST_ROOM[$layer]=$room
done < layers.txt
unplaced=$((room + 1))  # a window folder with no place in layers.txt: refused below
top=$((room + 2))       # main.cpp and the build tools

rank() {
  local f=$1 d best=""
  case $f in
    main.cpp|*/outils/*) echo $top; return ;;
    tests/*/*) d=${f#tests/}; echo "${TEST_ROOM[${d%%/*}]:-0}"; return ;;
  esac
  for d in "${FOLDERS[@]}"; do
    [[ $f == "$d"/* && ${#d} -gt ${#best} ]] && best=$d
  done
  if [[ -z $best ]]; then
    echo 0
  elif [[ ${f#"$best"} == */ui/* && $best != ui && $best != */ui ]]; then
    echo $unplaced
  else
    echo "${ROOM[$best]}"
  fi
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
  if (( rf == unplaced )); then
    echo "layer: $f stands in a window folder that has no place in the windows' order: give it one in layers.txt"
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
  if (( rf < windows )) && [[ $f != components/* && $f != settings/Mess.cpp && $f != tests/* ]]; then
    while IFS= read -r h; do
      if [[ -n ${WIDGET[$h]:-} ]]; then
        echo "layer: $f includes the widget header <$h>: it belongs in a ui/ folder"
        fail=1
      fi
    done < <(grep -oE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q[A-Za-z]+>' "$f" | grep -oE 'Q[A-Za-z]+' || true)
  fi
done < <(git ls-files -co --exclude-standard -- main.cpp "${FOLDERS[@]}" tests \
           | grep -E '\.(h|cpp)$')

if (( fail )); then
  echo "check-layers: includes point up (see above)" >&2
  exit 1
fi
echo "check-layers: every include points down or stays in its room"
