#!/usr/bin/env bash
# The two guards against the ways round them: each case below puts one snippet in one file of a
# throwaway tree and runs the check on that tree, which must refuse it (fail) or let it through
# (pass). A new spelling that slipped past a guard goes in as one more line. The check "compiled" is
# the layer check over what the compiler read: the file is preprocessed in the tree first
# ("compiled-relatif": from the build folder, by relative paths, which the dependency file keeps, as
# a compiler cache makes them). @arbre@ in a snippet is the name of the throwaway tree's folder.
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
events    fail    platform/Evenements.cpp       QCoreApplication::processEvents(f);
events    fail    platform/Evenements.cpp       void LaisserPasserMessages(bool attendre) {\n  QCoreApplication::processEvents(f);\n}\nvoid Pomper() {\n  QCoreApplication::processEvents();\n}
events    pass    platform/Evenements.cpp       void LaisserPasserMessages(bool attendre) {\n  if (!attendre) QCoreApplication::processEvents(f);\n}
events    fail    editor/Aide.hh                inline void Pomper() { QCoreApplication::processEvents(); }
events    fail    dialogs/Export.cpp            QProgressDialog progres(this);\nprogres.setWindowModality(Qt::WindowModal);
events    fail    files/ui/Browse.cpp           auto* progres = new QProgressDialog(tr("Scan"), {}, 0, n, this);
events    pass    dialogs/Export.cpp            #include <QProgressDialog>\n// not a QProgressDialog: its setValue would run the keys
events    pass    tests/windows/test_Export.cpp QProgressDialog progres;
events    pass    platform/Evenements.cpp       QEventLoop::ProcessEventsFlags f = QEventLoop::ExcludeUserInputEvents;
events    pass    editor/ui/MainNotes.cpp       #include <QEventLoop>\nif (dlg.exec() != QDialog::Accepted) return;
events    pass    main.cpp                      return app.exec();
events    pass    editor/ui/Main.cpp            LaisserPasserMessages();  // not processEvents(): the keys would run
events    pass    tests/test_Lecture.cpp        QEventLoop boucle;\nQCoreApplication::processEvents();
events    fail    dialogs/SpeedT.cpp            using namespace QTest;\nqWaitFor([] { return true; });
events    fail    editor/ui/Main.cpp            QGuiApplication::sync();
events    fail    files/ui/Browse.cpp           QTimer::singleShot(0, qApp, &QApplication::sync);
events    pass    files/Ecriture.cpp            flux.sync();  // not QTest::qWait(50) nor qApp->sync()
events    pass    tests/windows/test_x.cpp      QTest::qWait(50);\nqGuiApp->sync();
events    fail    editor/ui/MainEdition.cpp     const char* site = "http://vexo"; QCoreApplication::processEvents();
events    pass    editor/ui/MainEdition.cpp     const char* site = "http://vexo";  // not processEvents(): it's the keys'
events    fail    editor/Aide.inl               inline void Pomper() { QCoreApplication::processEvents(); }
events    fail    dialogs/SpeedT.cpp            QTest::qWaitForWindowActive(this);
events    fail    dialogs/SpeedT.cpp            QTest::qWaitForWindowExposed(windowHandle());
layers    fail    song/Partition.cpp            #include "editor/ui/Main.h"
layers    fail    song/Partition.cpp            #include <editor/ui/Main.h>
layers    fail    files/FileCommands.cpp        #include "../editor/Actions.h"
layers    fail    editor/Actions.cpp            #include "ui/Main.h"
layers    fail    dialogs/Apropos.cpp           #include "../editor/ui/Main.h"
layers    fail    song/Partition.cpp            #include <QDialog>
layers    fail    editor/Actions.cpp            #include <QtWidgets/QDialog>
layers    fail    view/Rendu.cpp                #include <qdialog.h>
layers    fail    files/Ecriture.cpp            #include <QtPrintSupport/QPrintDialog>
layers    fail    song/Detail.hpp               #include "editor/ui/Main.h"
layers    fail    chords/Accords.cxx            #include "../editor/ui/Main.h"
layers    fail    extra/Extra.cpp               #include "editor/ui/Main.h"
layers    fail    extra/Extra.h                 #pragma once
layers    fail    tests/Lecture.cpp             #include "song/Partition.h"
layers    fail    tests/inconnu/test_x.cpp      #include "song/Partition.h"
layers    fail    tests/song/deep/test_x.cc     #include "editor/ui/Main.h"
layers    fail    editor/Navigation.cpp         #include "tests/editor/EditFixture.h"
layers    fail    editor/ui/Main.cpp            #include "../../tests/editor/EditFixture.h"
layers    fail    editor/Navigation.cpp         #include "components/VxPanel.h"\nvoid f() { (new TVxCustomPanel(nullptr))->show(); }
layers    fail    view/Rendu.cpp                #include <components/VxCommon.h>
layers    fail    song/Partition.cpp            #include "components/UWave.h"
layers    fail    tests/song/test_Onde.cpp      #include "components/UWave.h"
layers    pass    editor/SonDemarrage.cpp       #include "components/UWave.h"
layers    pass    dialogs/Apropos.cpp           #include "components/VxPanel.h"
layers    pass    tests/windows/dialogs/test_x.cpp  #include "editor/ui/Main.h"\n#include "tests/editor/EditFixture.h"
layers    pass    bench/bench_x.cpp             #include "editor/ui/Main.h"\n#include "tests/editor/EditFixture.h"
layers    pass    components/outils/Faire.cpp   #include "editor/ui/Main.h"
layers    pass    editor/ui/Main.cpp            #include "../Actions.h"
compiled  fail    song/Partition.cpp            #define H "editor/ui/Main.h"\n#include H
compiled  fail    editor/Navigation.cpp         #define W <QWidget>\n#include W
compiled  fail    view/Rendu.cpp                #include "components/VxCommon.h"
compiled  fail    editor/Navigation.cpp         #if 1\n#include "tests/editor/EditFixture.h"\n#endif
compiled  pass    song/Partition.cpp            /*\n#include "editor/ui/Main.h"\n*/
compiled  pass    editor/ui/Main.cpp            #include "components/VxPanel.h"\n#include "../Actions.h"
layers    pass    editor/state/Curseur.cpp      #include "../../song/Partition.h"
layers    pass    editor/Actions.cpp            #include <song/Partition.h>\n#include "Clavier.h"
layers    pass    view/Rendu.cpp                #include <QtGui/QAction>\n#include <QtPrintSupport/QPrinter>
layers    pass    editor/ui/Main.cpp            #include <QtWidgets/QDialog>
layers    fail    song/Partition.cpp            #include "song/Vue.h"
layers    fail    song/Partition.cpp            #include "ecran/Main.h"
layers    pass    song/Partition.cpp            #include "song/Meme.h"
compiled  fail    song/Partition.cpp            #include <song/ecran/Main.h>
layers    fail    song/Partition.cpp            #include "../../@arbre@/editor/Actions.h"
compiled  fail    song/Partition.cpp            #include "../../@arbre@/editor/Actions.h"
layers    fail    song/Partition.cpp            #include "ecran/../Actions.h"
compiled  fail    song/Partition.cpp            #include "ecran/../Actions.h"
compiled-relatif  fail  song/Partition.cpp      #include "editor/ui/Main.h"
compiled-relatif  pass  editor/ui/Main.cpp      #include "../Actions.h"
TABLE
)

arbre=$(mktemp -d)
trap 'rm -rf "$arbre"' EXIT
git -C "$arbre" init -q
# The build's own files, which may say where each folder stands, and the headers the cases name
# beside their file (a quoted include is looked for there first), with what they include.
(cd "$ici" && git ls-files -z -co --exclude-standard | grep -zE '^(cmake/|[^/]+$)' \
   | grep -zvE '\.(cpp|h)$' | xargs -0 -r cp --parents -t "$arbre")
while read -r h extrait; do
  mkdir -p "$arbre/${h%/*}"
  printf '%b\n' "$extrait" > "$arbre/$h"
done <<'AIDES'
editor/ui/Main.h
editor/Actions.h
editor/Clavier.h
song/Partition.h
tests/editor/EditFixture.h
components/UWave.h              #include <QString>
components/VxPanel.h            #include <QWidget>\nclass TVxCustomPanel : public QWidget {};
components/VxCommon.h           #include "VxPanel.h"
AIDES
# Links that carry a header or a folder of the windows into the song's folder, and one that stays.
ln -s ../editor/ui/Main.h "$arbre/song/Vue.h"
ln -s ../editor/ui "$arbre/song/ecran"
ln -s Partition.h "$arbre/song/Meme.h"

# Qt's headers, for the cases that are preprocessed.
qtinc=$(ls -d /usr/include/*/qt6 /usr/include/qt6 2>/dev/null | head -n 1 || true)
qt=(-isystem "$qtinc" -isystem "$qtinc/QtCore" -isystem "$qtinc/QtGui" -isystem "$qtinc/QtWidgets" -fPIC)

faux=0
while read -r check attendu fichier extrait; do
  extrait=${extrait//@arbre@/${arbre##*/}}
  mkdir -p "$arbre/$(dirname "$fichier")"
  printf '%b\n' "$extrait" > "$arbre/$fichier"
  rc=0
  if [[ $check == compiled* ]]; then
    rm -rf "$arbre/b"; mkdir -p "$arbre/b/CMakeFiles"
    if [[ $check == compiled-relatif ]]; then
      (cd "$arbre/b" && c++ -std=c++20 -E -MD -MF CMakeFiles/cas.o.d -MT cas.o -o /dev/null -I .. \
                           "${qt[@]}" "../$fichier")
    else
      c++ -std=c++20 -E -MD -MF "$arbre/b/CMakeFiles/cas.o.d" -MT cas.o -o /dev/null -I "$arbre" \
          "${qt[@]}" "$arbre/$fichier"
    fi
    bash "$ici/scripts/check-layers.sh" --compiled "$arbre/b" "$arbre" >/dev/null 2>&1 || rc=$?
  else
    bash "$ici/scripts/check-$check.sh" "$arbre" >/dev/null 2>&1 || rc=$?
  fi
  rm "$arbre/$fichier"
  case $attendu:$rc in
    pass:0|fail:1) ;;
    *) echo "test-guards: check-${check%-*}.sh gave $rc, not $attendu, for $fichier: $extrait" >&2; faux=1 ;;
  esac
done <<< "$cas"
(( faux == 0 )) || exit 1
echo "test-guards: every case of both guards came out as expected ($(wc -l <<< "$cas") cases)"
