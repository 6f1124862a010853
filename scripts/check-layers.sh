#!/usr/bin/env bash
# What the linker cannot see of the layers. The build gives each layer its own library, linked only
# downwards (CMakeLists.txt), so a call up the stack to code compiled in a higher layer fails to
# link. What links all the same is checked here from the #include lines:
#   - an include that points up to code held whole in a header (inline functions, templates,
#     types, constants): nothing of the higher library is linked for it;
#   - the order among the windows, which share one library (their folders in layers.txt, in order);
#   - a widget header below the windows (the settings library links Qt Widgets for its message box
#     only, the components because they are widgets themselves), named there or reached through a
#     header of ours (components/VxPanel.h brings in <QWidget>);
#   - a folder with C++ files that layers.txt does not name, which the build would leave out.
# A file's room comes from its folder alone, by the rule the build uses to give it a library: the
# layers and their folders are read from layers.txt, from the bottom, each folder a room over the
# folders written before it (a file belongs to the longest folder that holds it; the last layer is
# the windows). A test in tests/<layer>/, at any depth, stands in its layer's highest room; main.cpp,
# tests/test_main.cpp and the build tools (outils/ folders) stand over everything. A file includes its
# own room, a room below it in its own layer, or a layer its own links (layers.txt names them), and no
# test helper unless it is a test itself. Every C++ file of the tree has a room, but for the
# benchmarks (bench/, over everything, unchecked) and build trees.
#
# With --compiled <build folder> [tree], after a build, the same rules are checked again on what the
# compiler itself read for each source (its dependency files): every header, however it was reached
# (through a macro, under an #if, through other headers), and nothing a comment only names.
set -euo pipefail
compile=""
if [[ ${1:-} == --compiled ]]; then
  compile=$(cd "${2:?--compiled needs the build folder}" && pwd -P)
  shift 2
fi
racine=${1:+$(cd "$1" && pwd)}  # the tree to check, when it is not this repository
cd "$(dirname "$0")/.."

declare -A ROOM=() TEST_ROOM=() LAYER_OF_ROOM=() UNDER=()
FOLDERS=()
room=0
windows=0
while read -r layer on folders; do
  [[ -z $layer || $layer == \#* ]] && continue
  windows=$((room + 1))
  UNDER[$layer]=" "  # every layer it links, directly or not (layers.txt names them; the build checks the names)
  [[ $on == - ]] || for l in ${on//,/ }; do UNDER[$layer]+="$l ${UNDER[$l]:-}"; done
  for d in $folders; do
    d=${d%/}
    room=$((room + 1))
    ROOM[$d]=$room
    LAYER_OF_ROOM[$room]=$layer
    FOLDERS+=("$d")
  done
  TEST_ROOM[$layer]=$room
done < layers.txt
unplaced=$((room + 1))  # a window folder with no place in layers.txt: refused below
top=$((room + 2))       # main.cpp and the build tools
LAYER_OF_ROOM[$unplaced]=${LAYER_OF_ROOM[$room]}

# Whether a file in room $1 may include one in room $2: a room written before its own, in its own
# layer or in one its layer links (layers.txt); song/ stands above components/ but links only the
# platform, so it includes no header of the components.
permis() {
  (( $2 <= $1 )) || return 1
  (( $1 == top )) && return 0
  local de=${LAYER_OF_ROOM[$1]} vers=${LAYER_OF_ROOM[$2]}
  [[ $de == "$vers" || ${UNDER[$de]} == *" $vers "* ]]
}

# Whether file $1 in room $2 may not use widgets: below the windows, but for the components (widgets
# themselves), the message box's settings file and the tests (which may start an application object).
sans_widgets() {
  (( $2 < windows )) && [[ $1 != components/* && $1 != settings/Mess.cpp && $1 != tests/* ]]
}

# Whether file $1 in room $2 may include header $3 in room $4 (0: no room); says why not, with $5
# telling how it was reached ("includes x", "reads x when compiled").
inclusion_permise() {
  if (( $4 > 0 )) && ! permis "$2" "$4"; then
    echo "layer: $1 $5, which stands above it or in a layer its own does not link"
    return 1
  elif [[ $3 == tests/* && $1 != tests/* ]]; then
    echo "layer: $1 $5, a test helper: the program never includes the tests"
    return 1
  fi
}

# The room of a file (a path from the top folder) into `rang`; 0 when it stands in none.
rank() {
  local f=$1 d best=""
  case $f in
    main.cpp|outils/*|*/outils/*|tests/test_main.cpp) rang=$top; return ;;
    tests/*/*) d=${f#tests/}; rang=${TEST_ROOM[${d%%/*}]:-0}; return ;;
    tests/*) rang=0; return ;;
  esac
  for d in "${FOLDERS[@]}"; do
    [[ $f == "$d"/* && ${#d} -gt ${#best} ]] && best=$d
  done
  if [[ -z $best ]]; then
    rang=0
  elif [[ ${f#"$best"} == */ui/* && $best != ui && $best != */ui ]]; then
    rang=$unplaced
  else
    rang=${ROOM[$best]}
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
# <x> from the top only. "." and ".." are folded as the system folds them, through links:
# "../editor/Actions.h" from files/ is editor/Actions.h, and so is a path that leaves the tree and
# comes back in by the names of its folders ("../../vexo/editor/Actions.h" from song/ in a
# checkout named vexo). A path that leaves the tree for good keeps its leading "..", and no room.
resoudre() {
  local dossier=$1 nom=$2 guillemets=$3 reste
  reste=$nom
  if [[ $guillemets == 1 && ( $nom == ./* || $nom == ../* || -e $dossier/$nom ) ]]; then
    reste=$dossier/$nom
  fi
  if [[ /$nom/ == */./* || /$nom/ == */../* || $nom == *//* ]]; then
    chemin=$(realpath -m --relative-to=. -- "$reste")
  else
    chemin=${reste#./}
  fi
}

# Whether an include names a widget header, into `widget`.
est_widget() {
  local h=$1
  case $h in
    QtWidgets/*|QtPrintSupport/*) h=${h#*/} ;;
    */*) h= ;;  # another module's folder, or a file of ours
  esac
  widget=0
  [[ -n $h && -n ${WIDGET[$h]:-} ]] && widget=1
  return 0
}

motif='^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]'
declare -A INCLUDES=()  # the #include lines of every file checked, read in one pass
# The includes of a file, "x" or <x>, into `noms` and `guillemets_de` (1 for "x").
lire_includes() {
  local line
  local -a lignes
  if [[ -n ${INCLUDES[$1]+x} ]]; then
    mapfile -t lignes <<< "${INCLUDES[$1]}"
  else
    mapfile -t lignes < <(grep -E "$motif" "$1" || true)
  fi
  noms=(); guillemets_de=()
  for line in "${lignes[@]}"; do
    line=${line#*include}; line=${line#"${line%%[!$' \t']*}"}
    case $line in
      \"*) line=${line#\"}; noms+=("${line%%\"*}"); guillemets_de+=(1) ;;
      \<*) line=${line#\<}; noms+=("${line%%\>*}"); guillemets_de+=(0) ;;
    esac
  done
}

# The widget header a file of ours brings in, itself or through the headers of ours it includes,
# into `via` ("<QWidget>, through components/VxPanel.h"), empty when none; worked out once a file.
declare -A VIA=()
widgets_par() {
  local f=$1 dossier=. i v
  if [[ -n ${VIA[$f]+x} ]]; then via=${VIA[$f]}; return; fi
  VIA[$f]=""  # an include cycle ends here
  [[ $f == */* ]] && dossier=${f%/*}
  local -a ns gs
  lire_includes "$f"
  ns=("${noms[@]}"); gs=("${guillemets_de[@]}")
  v=""
  for i in "${!ns[@]}"; do
    est_widget "${ns[i]}"
    if (( widget )); then v="<${ns[i]}>"; break; fi
    resoudre "$dossier" "${ns[i]}" "${gs[i]}"
    if [[ $chemin != ../* && -f $chemin ]]; then
      widgets_par "$chemin"
      if [[ -n $via ]]; then v="$via, through $chemin"; break; fi
    fi
  done
  VIA[$f]=$v
  via=$v
}

[[ -z $racine ]] || cd "$racine"
# A tree git cannot read would list no file and pass.
git rev-parse --is-inside-work-tree >/dev/null

# The symbolic links of the tree, each with the path its target really has from the top (a leading
# ".." when it lies outside). A header reached through a link, itself or a folder on its path, stands
# in the room of that real path: a link cannot bring a higher layer's header into a lower folder.
declare -A LIEN=()
while IFS= read -r -d '' l; do
  [[ -L $l ]] && LIEN[$l]=$(realpath -m --relative-to=. -- "$l")
done < <(git ls-files -z -co --exclude-standard)
# The real path of $1 into `chemin` (a link in a linked folder is followed too, a few deep).
suivre_liens() {
  local p=$1 l n
  for (( n = 0; n < 8 && ${#LIEN[@]}; n++ )); do
    for l in "${!LIEN[@]}"; do
      [[ $p == "$l" || $p == "$l"/* ]] && { p=${LIEN[$l]}${p#"$l"}; continue 2; }
    done
    break
  done
  chemin=$p
}
# What the compiler read: one line "source header" a header of the tree or a widget header, both
# from the top of the tree, for every source of the tree compiled in the build folder (Make keeps
# the compiler's dependency files beside the objects; Ninja keeps them in its log). A source's first
# dependency is itself, and stands as a line of its own. A path is read as the compiler found it:
# from the folder it ran in when relative (the build folder for Ninja; for Make, the one that holds
# the CMakeFiles/ folder of the file), with "." and ".." folded as the system folds them, so a path
# that leaves the tree and comes back in by its folders' names is the tree's, and one that leaves it
# for good is no longer.
if [[ -n $compile ]]; then
  top_dir=$(pwd -P)
  mots=$(mktemp -d)
  trap 'rm -rf "$mots"' EXIT
  # Every word of the dependencies, one a line, from / ("#regle" before each target's own).
  if [[ -f $compile/.ninja_deps ]]; then
    echo "#dossier $compile"
    ninja -C "$compile" -t deps
  else
    find "$compile" -name '*.o.d' -exec sh -c 'for f; do echo "#dossier ${f%/CMakeFiles/*}"; cat "$f"; done' sh {} +
  fi | awk '
    /^#dossier / { dossier = substr($0, 10); next }
    /^[^ \t].*:/ { print "#regle"; if ($0 ~ /: #deps /) next; sub(/^[^:]*:/, "") }  # Ninja says more
    { for (i = 1; i <= NF; i++) if ($i != "\\") print ($i ~ /^\// ? $i : dossier "/" $i) }' > "$mots/tous"
  # "." and ".." folded as the system folds them, through links (realpath, once for each such path).
  { grep -E '/\.\.?(/|$)' "$mots/tous" || true; } | sort -u > "$mots/a_plier"
  xargs -r -d '\n' realpath -m -- < "$mots/a_plier" | paste "$mots/a_plier" - > "$mots/plies"
  paires=$(awk -F '\t' -v top="$top_dir/" -v build="$compile/" '
    function garde(p) { return index(p, top) == 1 && index(p, build) != 1 }
    function widget(p) {
      return p ~ /\/QtWidgets\// ||
             p ~ /\/QtPrintSupport\/q(abstractprintdialog|printdialog|printpreviewdialog|printpreviewwidget|pagesetupdialog)\.h$/
    }
    FILENAME == ARGV[1] { plie[$1] = $2; next }
    $0 == "#regle" { source = ""; next }
    {
      p = ($0 in plie) ? plie[$0] : $0
      if (source == "") {
        ok = garde(p); source = substr(p, length(top) + 1)
        if (ok) print source, source
      } else if (!ok) {
        next
      } else if (widget(p)) {
        match(p, /Qt(Widgets|PrintSupport)\/[^\/]*$/); print source, "<" substr(p, RSTART) ">"
      } else if (garde(p)) {
        print source, substr(p, length(top) + 1)
      }
    }' "$mots/plies" "$mots/tous" | sort -u)
  if [[ -z $paires ]]; then
    echo "check-layers: nothing compiled in $compile to check: build first" >&2
    exit 1
  fi
  declare -A RANG=()
  fail=0
  while read -r f h; do
    [[ $f == bench/* ]] && continue
    suivre_liens "$f"; f=$chemin
    [[ $h == \<* ]] || { suivre_liens "$h"; h=$chemin; }
    [[ -n ${RANG[$f]:-} ]] || { rank "$f"; RANG[$f]=$rang; }
    rf=${RANG[$f]}
    (( rf == 0 )) && continue  # refused by the build, and by the pass over the text
    if [[ $h == \<* ]]; then
      base=${h#*/}; base=${base%>}
      # The module's own settings, and the few it keeps only to forward to QtGui, are no widget.
      [[ $base == qtwidgets* || ( -n $qtinc && -e $qtinc/QtGui/$base ) ]] && continue
      if sans_widgets "$f" "$rf"; then
        echo "layer: $f reads the widget header $h when compiled: it belongs in a ui/ folder"
        fail=1
      fi
      continue
    fi
    [[ -n ${RANG[$h]:-} ]] || { rank "$h"; RANG[$h]=$rang; }
    inclusion_permise "$f" "$rf" "$h" "${RANG[$h]}" "reads $h when compiled" || fail=1
  done <<< "$paires"
  if (( fail )); then
    echo "check-layers: what the compiler read points up (see above)" >&2
    exit 1
  fi
  echo "check-layers: every header the compiler read points down or stays in its room"
  exit 0
fi

# Build trees inside the tree (a CMakeFiles/ folder at their top) hold generated sources of no layer.
construits=()
for d in */CMakeFiles; do [[ -d $d ]] && construits+=(":!${d%/*}"); done
mapfile -t fichiers < <(git ls-files -co --exclude-standard -- . "${construits[@]}" \
                          | grep -E '\.(h|hh|hpp|hxx|cpp|cc|cxx)$' | grep -v '^bench/')
for f in "${fichiers[@]}"; do INCLUDES[$f]=""; done
while IFS= read -r line; do
  f=${line%%:*}
  INCLUDES[$f]+="${line#*:}"$'\n'
done < <((( ${#fichiers[@]} )) && grep -HE "$motif" -- "${fichiers[@]}" || true)
declare -A RANG=()  # rank of each file included, worked out once
fail=0
for f in "${fichiers[@]}"; do
  suivre_liens "$f"; rank "$chemin"; rf=$rang
  if (( rf == 0 )); then
    echo "layer: $f stands in no folder of layers.txt (nor tests/<layer>/): the build leaves it out; move it or give its folder a line there"
    fail=1
    continue
  fi
  if (( rf == unplaced )); then
    echo "layer: $f stands in a window folder that has no place in the windows' order: give it one in layers.txt"
    fail=1
  fi
  dossier=.; [[ $f == */* ]] && dossier=${f%/*}
  widgets_interdits=0
  # Tests below the windows may start an application object of their own.
  sans_widgets "$f" "$rf" && widgets_interdits=1
  lire_includes "$f"
  fichier_noms=("${noms[@]}"); fichier_guillemets=("${guillemets_de[@]}")
  for i in "${!fichier_noms[@]}"; do
    nom=${fichier_noms[i]}
    resoudre "$dossier" "$nom" "${fichier_guillemets[i]}"
    suivre_liens "$chemin"
    if [[ $chemin == */* && $chemin != ../* ]]; then
      ri=${RANG[$chemin]:-}
      if [[ -z $ri ]]; then rank "$chemin"; ri=$rang; RANG[$chemin]=$ri; fi
      [[ $nom == "$chemin" ]] && montre=$chemin || montre="$nom, that is $chemin"
      inclusion_permise "$f" "$rf" "$chemin" "$ri" "includes $montre" || fail=1
    fi
    if (( widgets_interdits )); then
      est_widget "$nom"
      if (( widget )); then
        echo "layer: $f includes the widget header <$nom>: it belongs in a ui/ folder"
        fail=1
      elif [[ $chemin != ../* && -f $chemin ]]; then
        inclus=$chemin
        widgets_par "$inclus"
        if [[ -n $via ]]; then
          echo "layer: $f includes $inclus, which brings in the widget header $via: it belongs in a ui/ folder"
          fail=1
        fi
      fi
    fi
  done
done

if (( fail )); then
  echo "check-layers: includes point up (see above)" >&2
  exit 1
fi
echo "check-layers: every include points down or stays in its room"
