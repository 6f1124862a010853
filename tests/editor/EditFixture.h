#pragma once
// A fresh song for every editing test, with no window connected and message boxes answered: the
// song fixture of the file tests, with a fake editor view and typing.
#include <gtest/gtest.h>

#include "editor/Curseur.h"
#include "song/Song.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Navigation.h"
#include "editor/state/Partition.h"
#include "editor/Saisie.h"
#include "tests/editor_state/SongFixture.h"
#include "VueFactice.h"

class EditTest : public SongTest {
 protected:
  TVueFactice vue;  // the editor view while the test runs

  void SetUp() override {
    // The song fixture knows nothing of typing; no step of its set-up reads this, and it is still
    // reset before the new song.
    TempsSupprimeLie = 0;
    SongTest::SetUp();
  }

  // Types a fret on the cursor string of the cursor beat, digit by digit, then leaves the digit state.
  static void Type(int fret) {
    if (fret >= 10) SaisirChiffre(fret / 10, 0);
    SaisirChiffre(fret % 10, 0);
    Curseur.RedessinTemps = 0;
  }
  // Appends a beat of the given fret on string 1 through the input slot, as a user would.
  static void Append(int fret) {
    Curseur.Temps = N() + 1;
    Curseur.Corde = 1;
    Type(fret);
  }
  // Fills the current track of the current measure with n plain beats of the given code.
  static void Fill(int n, int code = 2) {
    for (int b = 1; b <= n; ++b) {
      TTemps& t = B(b);
      TempsNoireVide(t);
      t.CodeDuree = static_cast<int8_t>(code);
      t.Duree = TicksDuree(code, false, false);
      t.Notes[1].Frette = 3;
    }
    M().NbTemps[PisteCourante] = n;
    PreparerTempsSaisie();
  }
};
