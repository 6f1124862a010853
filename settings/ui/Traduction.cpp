#include "settings/ui/Traduction.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "editor/Actions.h"
#include "settings/Langue.h"

TDialogueFichier OpenDialog1, SaveDialog1, OpenDialog2, SaveDialog2, OpenDialog3, SaveDialog3;

QString FiltreQt(const QString& filtre) {
  const QStringList parts = filtre.split('|');
  QStringList r;
  for (int i = 0; i + 1 < parts.size(); i += 2) r << parts[i];
  return r.join(QStringLiteral(";;"));
}

namespace {
// The menu lines that belong to no action.
const struct { int Ligne; const char* Nom; } LignesMenus[] = {
    {1, "Mn_Fichier"},      {9, "Mn_Fichier_Importer"}, {10, "Mn_Fichier_Exporter"}, {17, "Mn_Edition"},
    {24, "Mn_Piste"},       {25, "Mn_Mesure"},          {41, "Mn_Note"},             {63, "Mn_Effets"},
    {84, "Mn_Dyna"},        {85, "Mn_Assistants"},      {95, "Mn_Son"},              {107, "Mn_Affichage"},
    {111, "Mn_Options_LangueLog"}, {112, "Mn_Affichage_HelpLanguage"}, {113, "Mn_Aide"}};

// The items that take accelerators, menu by menu, in the order the letters are given.
const std::initializer_list<const char*> OrdreRaccourcis[] = {
    {"Mn_Fichier", "Mn_Edition", "Mn_Piste", "Mn_Mesure", "Mn_Note", "Mn_Effets", "Mn_Assistants", "Mn_Son",
     "Mn_Affichage", "Mn_Aide"},
    {"Mn_Fichier_Nouveau", "Mn_Fichier_Ouvrir", "Mn_Fichier_Parcourir", "Mn_Fichier_Enregistrer",
     "Mn_Fichier_EnregistrerSous", "Mn_Fichier_Proprietes", "Mn_Options_Preferences", "Mn_Fichier_Importer",
     "Mn_Fichier_Exporter", "Mn_Fichier_Imprimer", "Mn_Fichier_ApercuImp", "Mn_Fichier_ConfigImp",
     "Mn_Fichier_Quitter"},
    {"Mn_Fichier_ImporterMIDI", "Mn_Fichier_ImporterASCII"},
    {"Mn_Fichier_ExporterMIDI", "Mn_Fichier_ExporterASCII"},
    {"Mn_Edition_Couper", "Mn_Edition_Copier", "Mn_Edition_Coller", "Mn_Edition_Inserer", "Mn_Edition_Vider",
     "Mn_Edition_TableMix"},
    {"Mn2_Edition_Couper", "Mn2_Edition_Copier", "Mn2_Edition_Coller", "Mn2_Edition_Inserer", "Mn2_Edition_Vider"},
    {"Mn_Mesure_Premiere", "Mn_Mesure_Precedente", "Mn_Mesure_AllerA", "Mn_Mesure_Suivante", "Mn_Mesure_Derniere",
     "Mn_Mesure_Signature", "Mn_Mesure_RenvoiDebut", "Mn_Mesure_RenvoiFin", "Mn_Mesure_Repetitions"},
    {"Mn_Note_Ronde", "Mn_Note_Blanche", "Mn_Note_Noire", "Mn_Note_Croche", "Mn_Note_DCroche", "Mn_Note_TCroche",
     "Mn_Note_QCroche", "Mn_Note_Pointee", "Mn_Note_Accord", "Mn_Note_Annotation", "Mn_Note_NoteEtouffee",
     "Mn_Note_Silence", "Mn_Note_Triolet", "Mn_Note_Lier", "Mn_Note_InsererTemps", "Mn_Note_SupprimerTemps",
     "Mn_Note_CopierTempsfin", "Mn_Note_DeplacerHaut", "Mn_Note_DeplacerBas"},
    {"Mn_Effet_HO", "Mn_Effet_PO", "Mn_Effet_SlideUp", "Mn_Effet_SlideDown", "Mn_Effet_Bend", "Mn_Effet_BendRelease",
     "Mn_Effet_LetRing", "Mn_Effet_GraceNote", "Mn_Effet_GhostNote", "Mn_Effet_VibMainGauche", "Mn_Effet_TremoloBar",
     "Mn_Effet_CoupDeVibrato", "Mn_Effet_HarmNat", "Mn_Effet_HarmArt", "Mn_Effet_FadeIn", "Mn_Effet_TappingMD",
     "Mn_Effet_Slap", "Mn_Effet_Pop", "Mn_Effet_BrushUp", "Mn_Effet_BrushDown", "Mn_Dyna"},
    {"Mn_Ass_Transposer", "Mn_Ass_Redecouper", "Mn_Ass_CompleterReduire", "Mn_Ass_PlacementAuto",
     "Mn_Ass_LetRingSelector", "Mn_Ass_VerifierDureeMesures", "Mn_Ass_Solfege", "Mn_Ass_Percussion",
     "Mn_Ass_SpeedTrainer"},
    {"Mn_Son_LectureDebut", "Mn_Son_LecturePosEC", "Mn_Son_LectureMesureEC", "Mn_Son_Stop", "Mn_Son_EnBoucle",
     "Mn_Son_Metronome", "Mn_Son_JouerSaisie"},
    {"Mn_Affichage_PleinEcran", "Mn_Ass_MontrerLetRing", "Mn_Ass_MontrerDyna", "Mn_Options_LangueLog"},
    {"Mn_Aide_Index", "Mn_Aide_APropos"},
};
}  // namespace

TTraductionPrincipale CalculerTraductionPrincipale(const QStringList& lignes) {
  TTraductionPrincipale t;
  const int entete = TrouverGroupe(lignes, QStringLiteral("MN_000"));
  if (entete < 0) return t;
  t.Trouve = true;
  auto texte = [&](int n) { return TexteLigne(lignes, entete, n); };

  for (const auto& l : LignesMenus) t.Captions.insert(QString::fromLatin1(l.Nom), texte(l.Ligne));
  t.Hints.insert(QStringLiteral("BT_DynaForm"), texte(84));
  for (const TDefAction& d : TableActions) {
    if (d.LigneMenu) {
      QString c = texte(d.LigneMenu);
      // Line 69 ("Bend & Release") keeps a visible "&" in the menu; its hint keeps the single one.
      if (d.LigneMenu == 69) {
        int i = c.indexOf('&');
        if (i >= 0) c.insert(i, '&');
      }
      if (d.Points) c += QStringLiteral("...");
      t.Captions.insert(NomMenuAction(d.Nom), c);
    }
    if (d.LigneBouton) t.Hints.insert(QString::fromLatin1(d.Bouton), texte(d.LigneBouton));
  }
  for (const char* n : {"Couper", "Copier", "Coller", "Inserer", "Vider"})
    t.Captions.insert(QStringLiteral("Mn2_Edition_") + n, t.Captions.value(QStringLiteral("Mn_Edition_") + n));

  for (const auto& menu : OrdreRaccourcis) {
    QSet<QChar> utilisees;
    for (const char* nom : menu) {
      QString& c = t.Captions[QString::fromLatin1(nom)];
      c = AjouterRaccourci(c, utilisees);
    }
  }

  const QString chansons = TexteLangue("Fichier-Strumquill") + " (*.sqt)|*.sqt";
  const QString midi = TexteLangue("Fichier-MIDI") + " (*.mid)|*.mid";
  const QString ascii = TexteLangue("Fichier-ASCII") + " (*.tab)|*.tab|" + TexteLangue("Fichier-TousLesFichiers") +
                        " (*.*)|*.*";
  t.Dialogues[1].Filter = t.Dialogues[2].Filter = chansons;
  t.Dialogues[3] = {TexteLangue("Fichier-ImportMIDI"), midi};
  t.Dialogues[4] = {TexteLangue("Fichier-ExportMIDI"), midi};
  t.Dialogues[5] = {TexteLangue("Fichier-ImportASCII"), ascii};
  t.Dialogues[6] = {TexteLangue("Fichier-ExportASCII"), ascii};
  return t;
}

void AppliquerTraductionPrincipale(const TTraductionPrincipale& t, TActionsPrincipales& a, QWidget* fenetre) {
  if (!t.Trouve) return;
  for (int i = 0; i < NB_ACTIONS; ++i) {
    const TDefAction& d = TableActions[i];
    QAction* act = a.Action(i);
    if (!act) continue;
    if (d.LigneMenu) act->setText(t.Captions.value(NomMenuAction(d.Nom)));
    if (d.LigneBouton) act->setToolTip(t.Hints.value(QString::fromLatin1(d.Bouton)));
  }
  if (fenetre) {
    for (QMenu* m : fenetre->findChildren<QMenu*>()) {
      auto it = t.Captions.constFind(m->objectName());
      if (it != t.Captions.constEnd()) m->setTitle(*it);
    }
    for (QWidget* w : fenetre->findChildren<QWidget*>(QStringLiteral("BT_DynaForm"))) w->setToolTip(t.Hints.value("BT_DynaForm"));
  }
  // The song dialogs keep their design titles.
  SaveDialog1.Filter = t.Dialogues[2].Filter;
  OpenDialog1.Filter = t.Dialogues[1].Filter;
  OpenDialog2 = t.Dialogues[3];
  SaveDialog2 = t.Dialogues[4];
  OpenDialog3 = t.Dialogues[5];
  SaveDialog3 = t.Dialogues[6];
}
