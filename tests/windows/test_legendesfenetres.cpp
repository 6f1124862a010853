// Dialog captions: within a group the language file holds, a line without a quoted text gives an
// empty caption; a file without the group leaves the design one.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "chords/ui/Sais_ac.h"
#include "dialogs/Apropos.h"
#include "dialogs/Sais_ins.h"
#include "dialogs/Sais_par.h"
#include "dialogs/SpeedT.h"
#include "files/ui/Browse.h"
#include "files/ui/ImpASCII.h"
#include "files/ui/TestASCI.h"
#include "settings/Langue.h"

TEST(WindowCaptions, LineWithoutQuotesGivesAnEmptyCaptionInEveryDialog) {
  QStringList fichier;
  for (const char* g : {"DLG_000", "DLG_ASS_ST_000", "DLG_EXPA_000", "DLG_IMPA_000", "DLG_BROWSE_000", "DLG_CHORD_000",
                        "DLG_INSTR_000", "DLG_PROP_000"})
    for (int n = 0; n <= 30; ++n) fichier << (n ? QStringLiteral("%1 no text").arg(n) : QString(g));
  static const int32_t accordage[7] = {0, 64, 59, 55, 50, 45, 40};
  const TSais_Ac_Form::TContexte accord{{}, accordage};
  int32_t programme = 0;
  // One caption of each dialog, from a dialog made for it.
  const std::function<QString()> legendes[] = {
      [] { return TSpeedT_Form().LabelMesures->text(); },
      [] { return TTestASCIForm().BT_Enregistrer->text(); },
      [] { return TImpASCIIForm().BT_Importer->text(); },
      [] { return TBrowseForm(nullptr, {"/"}).BT_Fermer->text(); },
      [&] { return TSais_Ac_Form(accord).Simplifie->text(); },
      [&] { return TSais_Instrument_Form(programme).BT_Annuler->text(); },
      [] { return TSais_Partition().LabTitre->text(); },
      [] { return TAproposForm().BT_OK->text(); },
  };
  const QStringList lignes = LignesPatch;
  for (const auto& legende : legendes) {
    SCOPED_TRACE(&legende - legendes);
    LignesPatch = fichier;
    EXPECT_EQ(legende(), "");
    LignesPatch.clear();
    EXPECT_NE(legende(), "");
  }
  LignesPatch = lignes;
}
