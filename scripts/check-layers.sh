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
racine=${1:+$(cd "$1" && pwd)}  # the tree to check, when it is not this repository
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

# Widget and dialog headers: every header of QtWidgets, and the print dialogs, as a name alone
# (<QDialog>) or under its module's folder (<QtWidgets/QDialog>); the lower-case file names too
# (<qdialog.h>), but for the few that QtWidgets keeps only to forward to QtGui (qaction.h).
qtinc=$(ls -d /usr/include/*/qt6 /usr/include/qt6 2>/dev/null | head -n 1 || true)
declare -A WIDGET=()
if [[ -n $qtinc && -d $qtinc/QtWidgets ]]; then
  for h in "$qtinc"/QtWidgets/*; do
    h=${h##*/}
    if [[ $h == Q* && $h != *.h ]]; then WIDGET[$h]=1
    elif [[ $h == q*.h && ! -e $qtinc/QtGui/$h ]]; then WIDGET[$h]=1
    fi
  done
fi
for h in QPrintDialog QPrintPreviewDialog QPrintPreviewWidget QPageSetupDialog QAbstractPrintDialog; do
  WIDGET[$h]=1; WIDGET[${h,,}.h]=1
done

# The file an include names, from the top of the tree, into `chemin`: "x" is looked for beside
# the including file first, as the compiler does, then from the top (the one include folder);
# <x> from the top only; "." and ".." are folded, so "../editor/Actions.h" is editor/Actions.h.
# A path that leaves the tree keeps its leading "..", and no room.
resoudre() {
  local dossier=$1 nom=$2 guillemets=$3 reste p
  local -a parties=()
  reste=$nom
  if [[ $guillemets == 1 && ( $nom == ./* || $nom == ../* || -e $dossier/$nom ) ]]; then
    reste=$dossier/$nom
  fi
  reste+=/
  while [[ $reste == */* ]]; do
    p=${reste%%/*}; reste=${reste#*/}
    case $p in
      ''|.) ;;
      ..) if (( ${#parties[@]} )) && [[ ${parties[-1]} != .. ]]; then unset 'parties[-1]'; else parties+=(..); fi ;;
      *) parties+=("$p") ;;
    esac
  done
  local IFS=/
  chemin="${parties[*]}"
}

[[ -z $racine ]] || cd "$racine"
# A tree git cannot read would list no file and pass.
git rev-parse --is-inside-work-tree >/dev/null
declare -A RANG=()  # rank of each file included, worked out once
fail=0
while IFS= read -r f; do
  rf=$(rank "$f")
  [[ $rf == 0 ]] && continue
  if (( rf == unplaced )); then
    echo "layer: $f stands in a window folder that has no place in the windows' order: give it one in layers.txt"
    fail=1
  fi
  dossier=.; [[ $f == */* ]] && dossier=${f%/*}
  widgets_interdits=0
  # Tests below the windows may start an application object of their own.
  (( rf < windows )) && [[ $f != components/* && $f != settings/Mess.cpp && $f != tests/* ]] && widgets_interdits=1
  # Every #include, "x" or <x>.
  while IFS= read -r line; do
    line=${line#*include}; line=${line#"${line%%[!$' \t']*}"}
    case $line in
      \"*) guillemets=1; nom=${line#\"}; nom=${nom%%\"*} ;;
      \<*) guillemets=0; nom=${line#\<}; nom=${nom%%\>*} ;;
      *) continue ;;
    esac
    resoudre "$dossier" "$nom" "$guillemets"
    if [[ $chemin == */* && $chemin != ../* ]]; then
      ri=${RANG[$chemin]:-}
      if [[ -z $ri ]]; then ri=$(rank "$chemin"); RANG[$chemin]=$ri; fi
      if (( ri > rf )); then
        [[ $nom == "$chemin" ]] || chemin="$nom, that is $chemin"
        echo "layer: $f includes $chemin, which stands above it"
        fail=1
      fi
    fi
    if (( widgets_interdits )); then
      h=$nom
      case $h in
        QtWidgets/*|QtPrintSupport/*) h=${h#*/} ;;
        */*) h= ;;  # another module's folder, or a file of ours
      esac
      if [[ -n $h && -n ${WIDGET[$h]:-} ]]; then
        echo "layer: $f includes the widget header <$nom>: it belongs in a ui/ folder"
        fail=1
      fi
    fi
  done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' "$f" || true)
done < <(git ls-files -co --exclude-standard -- main.cpp "${FOLDERS[@]}" tests \
           | grep -E '\.(h|cpp)$')

if (( fail )); then
  echo "check-layers: includes point up (see above)" >&2
  exit 1
fi
echo "check-layers: every include points down or stays in its room"
