#!/usr/bin/env bash
# The two guards against the ways round them: each case below puts one snippet in one file of a
# throwaway tree and runs the check on that tree, which must refuse it (fail) or let it through
# (pass). A new spelling that slipped past a guard goes in as one more line.
set -euo pipefail
ici=$(cd "$(dirname "$0")/.." && pwd)

# check   expect  file                          snippet ("\n" starts a new line)
cas=$(cat <<'TABLE'
events    fail    editor/ui/MainEdition.cpp     QCoreApplication::processEvents();
events    fail    editor/ui/MainEdition.cpp     QCoreApplication::processEvents\n    (QEventLoop::AllEvents);
events    fail    editor/ui/MainVue.cpp         QTimer::singleShot(0, qApp, &QCoreApplication::processEvents);
events    fail    midi/Lecture.cpp              QMetaObject::invokeMethod(qApp, "processEvents");
events    fail    platform/Folders.cpp          QCoreApplication::processEvents();
events    fail    midi/Lecture.cpp              QEventLoop boucle;\nboucle.exec();
events    fail    files/ui/Browse.cpp           auto* boucle = new QEventLoop(this);
events    fail    files/ui/Browse.cpp           auto boucle = std::make_unique<QEventLoop>();
events    fail    view/ui/Apercu.cpp            QTimer::singleShot(0, boucle, &QEventLoop::exec);
events    pass    platform/Evenements.cpp       QCoreApplication::processEvents(f);
events    pass    platform/Evenements.cpp       QEventLoop::ProcessEventsFlags f = QEventLoop::ExcludeUserInputEvents;
events    pass    editor/ui/MainNotes.cpp       #include <QEventLoop>\nif (dlg.exec() != QDialog::Accepted) return;
events    pass    main.cpp                      return app.exec();
events    pass    editor/ui/Main.cpp            LaisserPasserMessages();  // not processEvents(): the keys would run
events    pass    tests/test_Lecture.cpp        QEventLoop boucle;\nQCoreApplication::processEvents();
layers    fail    song/Partition.cpp            #include "editor/ui/Main.h"
layers    fail    song/Partition.cpp            #include <editor/ui/Main.h>
layers    fail    files/FileCommands.cpp        #include "../editor/Actions.h"
layers    fail    editor/Actions.cpp            #include "ui/Main.h"
layers    fail    dialogs/Apropos.cpp           #include "../editor/ui/Main.h"
layers    fail    song/Partition.cpp            #include <QDialog>
layers    fail    editor/Actions.cpp            #include <QtWidgets/QDialog>
layers    fail    view/Rendu.cpp                #include <qdialog.h>
layers    fail    files/Ecriture.cpp            #include <QtPrintSupport/QPrintDialog>
layers    pass    editor/ui/Main.cpp            #include "../Actions.h"
layers    pass    editor/state/Curseur.cpp      #include "../../song/Partition.h"
layers    pass    editor/Actions.cpp            #include <song/Partition.h>\n#include "Clavier.h"
layers    pass    view/Rendu.cpp                #include <QtGui/QAction>\n#include <QtPrintSupport/QPrinter>
layers    pass    editor/ui/Main.cpp            #include <QtWidgets/QDialog>
TABLE
)

arbre=$(mktemp -d)
trap 'rm -rf "$arbre"' EXIT
git -C "$arbre" init -q
# The build's own files, which may say where each folder stands, and the headers the cases name
# beside their file (a quoted include is looked for there first).
(cd "$ici" && git ls-files -z -co --exclude-standard | grep -zE '^(cmake/|[^/]+$)' \
   | grep -zvE '\.(cpp|h)$' | xargs -0 -r cp --parents -t "$arbre")
for h in editor/ui/Main.h editor/Actions.h editor/Clavier.h song/Partition.h; do
  mkdir -p "$arbre/${h%/*}"; : > "$arbre/$h"
done

faux=0
while read -r check attendu fichier extrait; do
  mkdir -p "$arbre/$(dirname "$fichier")"
  printf '%b\n' "$extrait" > "$arbre/$fichier"
  rc=0
  bash "$ici/scripts/check-$check.sh" "$arbre" >/dev/null 2>&1 || rc=$?
  rm "$arbre/$fichier"
  case $attendu:$rc in
    pass:0|fail:1) ;;
    *) echo "test-guards: check-$check.sh gave $rc, not $attendu, for $fichier: $extrait" >&2; faux=1 ;;
  esac
done <<< "$cas"
(( faux == 0 )) || exit 1
echo "test-guards: every case of both guards came out as expected ($(wc -l <<< "$cas") cases)"
