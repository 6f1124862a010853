#!/usr/bin/env bash
# Fails on a way of letting pending messages run other than LaisserPasserMessages
# (platform/Evenements.h): a bare processEvents() also runs the user's next key or click inside the
# step, so keys typed quickly land in the wrong place; a local event loop does the same.
#   - processEvents, by name, outside the body of LaisserPasserMessages in platform/Evenements.cpp (a
#     second routine beside it is refused as anywhere else): a call (its "(" on whatever line),
#     a pointer to it (&QCoreApplication::processEvents given to a timer or a connect), or its name
#     as text for invokeMethod. Only a // comment may name it.
#   - a QEventLoop object: naming the type other than for its flags (QEventLoop::ExcludeUserInputEvents,
#     QEventLoop::ProcessEventsFlags) declares, creates or points to a loop, and &QEventLoop::exec
#     runs one. Modal dialogs (QDialog::exec) and the application's own loop are not concerned: they
#     are meant to receive the user's input. The held-key scroll waits for the key-up on a timer of
#     the window, not in a loop of its own, so no local loop is allowed today; one that must exist
#     gets its own narrow exception here.
#   - a QProgressDialog: once modal (setWindowModality, setModal, open(), all decided at run time),
#     its setValue() runs every pending event, the user's input with it. Show progress otherwise.
#   - the tests' waits, QTest::qWait, qWaitFor, qWaitForWindowActive and qWaitForWindowExposed (Qt GUI
#     has them too), and QGuiApplication::sync (by any of its class names, or through qApp/qGuiApp):
#     each runs the event loop, keys and clicks included.
# A "//" starts a comment only outside a string or character literal: "http://x" hides nothing after it.
# Tests and benchmarks wait for signals as they like.
# Checks the tree it is given (default: this repository), tracked and untracked files alike.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
# What check-layers.sh reads, and the files that are included whole into them.
code=('*.cpp' '*.cc' '*.cxx' '*.h' '*.hh' '*.hpp' '*.hxx' '*.inc' '*.inl' '*.ipp' ':!tests' ':!bench')
# The start of a line up to a hit, with no line comment before it: string and character literals
# are stepped over whole, whatever they hold (a character literal is a few characters, so that an
# apostrophe in a comment opens none), and a hit may stand in a string.
ligne='^[^:]*:[0-9]+:'
avant='(?:"(?:[^"\\]|\\.)*"|\x27(?:[^\x27\\]|\\.){1,10}\x27|[^/"]|/(?!/))*?(?:"(?:[^"\\]|\\.)*?)?'

pompe=platform/Evenements.cpp
# Lines naming the word; finding none is no error, a tree git cannot read is.
nommant() {
  local rc=0
  git grep --untracked -nw "$@" || rc=$?
  (( rc <= 1 )) || return "$rc"
}
# The lines of the one routine's body in its file: from the line that defines it, opening its "{", to
# the first "}" at the start of a line. Written otherwise, the routine is not found and its own call
# is refused: loudly, never by letting more through.
corps=$( [[ -f $pompe ]] && awk '
  !debut && /^[A-Za-z].*[^A-Za-z0-9_]LaisserPasserMessages[ \t]*\(/ && /\{[ \t]*$/ { debut = NR }
  debut && !fin && NR > debut && /^}/ { fin = NR }
  END { if (debut && fin) print debut, fin }' "$pompe" || true)
read -r debut fin <<< "${corps:-0 0}"
# A hit counts when no "//" comes before it on its line (the name is in code, not in a line comment);
# an #include <QEventLoop> alone runs nothing.
found=$(nommant processEvents -- "${code[@]}" \
          | { grep -P "$ligne$avant"'\bprocessEvents\b' || true; } \
          | awk -F: -v f="$pompe" -v d="$debut" -v e="$fin" '!($1 == f && $2 > d && $2 < e)')
boucles=$(nommant QEventLoop -- "${code[@]}" \
            | { grep -P "$ligne"'(?!\s*#\s*include)'"$avant"'\bQEventLoop\b(?!\s*::\s*(?!exec\b)\w)' \
                  || true; })
progres=$(nommant QProgressDialog -- "${code[@]}" \
            | { grep -P "$ligne"'(?!\s*#\s*include)'"$avant"'\bQProgressDialog\b' || true; })
attentes=$(nommant -e qWait -e qWaitFor -e qWaitForWindowActive -e qWaitForWindowExposed -e sync -- "${code[@]}" \
            | { grep -P "$ligne$avant"'(?:\bqWait(?:For(?:WindowActive|WindowExposed)?)?\b|\b(?:QGuiApplication|QApplication)\s*::\s*sync\b|\b(?:qApp|qGuiApp)\s*->\s*sync\b)' \
                  || true; })
if [[ -n $found || -n $boucles || -n $progres || -n $attentes ]]; then
  for l in "$found" "$boucles" "$progres" "$attentes"; do [[ -z $l ]] || echo "$l"; done
  echo "check-events: let pending messages run through LaisserPasserMessages (platform/Evenements.h)," \
       "never processEvents, a local QEventLoop, a progress dialog's setValue, QTest's waits or sync()" >&2
  exit 1
fi
echo "check-events: every step lets pending messages run through the one routine"
