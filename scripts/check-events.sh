#!/usr/bin/env bash
# Fails on a way of letting pending messages run other than LaisserPasserMessages
# (platform/Evenements.h): a bare processEvents() also runs the user's next key or click inside the
# step, so keys typed quickly land in the wrong place; a local event loop does the same.
#   - processEvents, by name, outside platform/Evenements.cpp: a call (its "(" on whatever line),
#     a pointer to it (&QCoreApplication::processEvents given to a timer or a connect), or its name
#     as text for invokeMethod. Only a // comment may name it.
#   - a QEventLoop object: naming the type other than for its flags (QEventLoop::ExcludeUserInputEvents,
#     QEventLoop::ProcessEventsFlags) declares, creates or points to a loop, and &QEventLoop::exec
#     runs one. Modal dialogs (QDialog::exec) and the application's own loop are not concerned: they
#     are meant to receive the user's input. The held-key scroll waits for the key-up on a timer of
#     the window, not in a loop of its own, so no local loop is allowed today; one that must exist
#     gets its own narrow exception here.
# Tests and benchmarks wait for signals as they like.
# Checks the tree it is given (default: this repository), tracked and untracked files alike.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
code=('*.cpp' '*.h' '*.hpp' '*.cc' '*.cxx' ':!tests' ':!bench')
# Lines naming the word; finding none is no error, a tree git cannot read is.
nommant() {
  local rc=0
  git grep --untracked -nw "$@" || rc=$?
  (( rc <= 1 )) || return "$rc"
}
# A hit counts when no "//" comes before it on its line (the name is in code, not in a line comment);
# an #include <QEventLoop> alone runs nothing.
found=$(nommant processEvents -- "${code[@]}" ':!platform/Evenements.cpp' \
          | { grep -P '^[^:]*:[0-9]+:(?:[^/]|/(?!/))*?\bprocessEvents\b' || true; })
boucles=$(nommant QEventLoop -- "${code[@]}" \
            | { grep -P '^[^:]*:[0-9]+:(?!\s*#\s*include)(?:[^/]|/(?!/))*?\bQEventLoop\b(?!\s*::\s*(?!exec\b)\w)' \
                  || true; })
if [[ -n $found || -n $boucles ]]; then
  [[ -n $found ]] && echo "$found"
  [[ -n $boucles ]] && echo "$boucles"
  echo "check-events: let pending messages run through LaisserPasserMessages (platform/Evenements.h)," \
       "never processEvents or a local QEventLoop" >&2
  exit 1
fi
echo "check-events: every step lets pending messages run through the one routine"
