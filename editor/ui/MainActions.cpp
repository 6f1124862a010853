// The main window's actions, menus, toolbar and button panel, built from the command table.
#include "editor/ui/MainActions.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <type_traits>

#include "components/VxButton.h"
#include "components/VxPanel.h"

#include "components/VxImages.h"
#include "platform/Folders.h"
#include "settings/LanguesConnues.h"
#include "settings/ui/Traduction.h"

// A small glyph drawn from a short text, for a command whose image file is missing.
static QIcon IconeTexte(const QString& texte) {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(texte.size() <= 2 ? 13 : texte.size() == 3 ? 10 : 8);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::black);
  p.drawText(pm.rect(), Qt::AlignCenter, texte);
  return QIcon(pm);
}

void CreerActions(QWidget* fenetre, TActionsPrincipales& a) {
  for (int i = 0; i < NB_ACTIONS; ++i) {
    const TDefAction& d = TableActions[i];
    auto* act = new QAction(QString::fromUtf8(d.Caption), fenetre);
    act->setObjectName(QString::fromLatin1(d.Nom));
    if (*d.Raccourci) act->setShortcut(QKeySequence::fromString(QString::fromLatin1(d.Raccourci), QKeySequence::PortableText));
    // The window owns every shortcut: it works while the focus holder has the focus and for
    // commands that no menu shows (undo).
    act->setShortcutContext(Qt::WindowShortcut);
    act->setData(d.Tag);
    if (*d.Hint) act->setToolTip(QString::fromUtf8(d.Hint));
    act->setStatusTip(QString());
    // The command's image from the program folder; the short text stands in when its file is missing.
    QIcon icone = CommandIcon(d.ImageIndex, DossierProgramme());
    if (icone.isNull() && *d.Glyphe) icone = IconeTexte(QString::fromUtf8(d.Glyphe));
    if (!icone.isNull()) act->setIcon(icone);
    act->setIconVisibleInMenu(*d.Glyphe != 0);
    act->setCheckable(d.Cochable);
    act->setEnabled(d.ActifAuDepart);
    fenetre->addAction(act);
    a.*d.Membre = act;
    QObject::connect(act, &QAction::triggered, act, [&a, act, i](bool coche) {
      // Qt has already flipped a checkable action: put the mark back, the handler decides from the
      // song (or inverts the mark itself) and the command-state refresh shows the result.
      if (act->isCheckable()) {
        QSignalBlocker b(act);
        act->setChecked(!coche);
      }
      if (a.Execute[i]) a.Execute[i]();
    });
  }
}

void CreerMenusPrincipaux(QMenuBar* barre, TMenusPrincipaux& m) {
  const struct {
    QMenu* TMenusPrincipaux::*membre;
    const char* nom;
    const char* caption;
    int ligne;  // of the language group "MN_000"
  } menus[] = {
      {&TMenusPrincipaux::Mn_Fichier, "Mn_Fichier", "&Fichier", 1},
      {&TMenusPrincipaux::Mn_Edition, "Mn_Edition", "&Edition", 17},
      {&TMenusPrincipaux::Mn_Piste, "Mn_Piste", "&Piste", 24},
      {&TMenusPrincipaux::Mn_Mesure, "Mn_Mesure", "&Mesure", 25},
      {&TMenusPrincipaux::Mn_Note, "Mn_Note", "&Note", 41},
      {&TMenusPrincipaux::Mn_Effets, "Mn_Effets", "Effe&ts", 63},
      {&TMenusPrincipaux::Mn_Assistants, "Mn_Assistants", "&Assistants", 85},
      {&TMenusPrincipaux::Mn_Son, "Mn_Son", "&Son", 95},
      {&TMenusPrincipaux::Mn_Affichage, "Mn_Affichage", "Aff&ichage", 107},
      {&TMenusPrincipaux::Mn_Aide, "Mn_Aide", "Ai&de", 113},
  };
  for (const auto& d : menus) {
    QMenu* menu = barre->addMenu(QString::fromUtf8(d.caption));
    menu->setObjectName(QString::fromLatin1(d.nom));
    MarquerMenu(menu, d.ligne, true);
    m.*d.membre = menu;
  }
}

// A submenu with its caption line in "MN_000" and whether that caption takes an accelerator.
static QMenu* SousMenu(QMenu* parent, const char* nom, const char* caption, int ligne, bool raccourci) {
  QMenu* m = parent->addMenu(QString::fromUtf8(caption));
  m->setObjectName(QString::fromLatin1(nom));
  m->menuAction()->setObjectName(QString::fromLatin1(nom));
  MarquerMenu(m, ligne, raccourci);
  return m;
}

void ConstruireMenus(QMenuBar* barre, TActionsPrincipales& a, TMenusPrincipaux& m) {
  if (!m.Mn_Fichier) CreerMenusPrincipaux(barre, m);

  auto ajouter = [&](QMenu* menu, std::initializer_list<QAction*> items) {
    for (QAction* it : items) {
      if (it) menu->addAction(it);
      else menu->addSeparator();
    }
  };
  QMenu* f = m.Mn_Fichier;
  ajouter(f, {a.Ac_Fichier_Nouveau, a.Ac_Fichier_Ouvrir, nullptr, a.Ac_Fichier_Parcourir, nullptr,
              a.Ac_Fichier_Enregistrer, a.Ac_Fichier_EnregistrerSous, nullptr, a.Ac_Fichier_Proprietes,
              a.Ac_Options_Preferences, nullptr});
  m.Mn_Fichier_Importer = SousMenu(f, "Mn_Fichier_Importer", "Importer", 9, true);
  ajouter(m.Mn_Fichier_Importer, {a.Ac_Fichier_ImporterMIDI, a.Ac_Fichier_ImporterASCII});
  m.Mn_Fichier_Exporter = SousMenu(f, "Mn_Fichier_Exporter", "Exporter", 10, true);
  ajouter(m.Mn_Fichier_Exporter, {a.Ac_Fichier_ExporterMIDI, a.Ac_Fichier_ExporterASCII});
  ajouter(f, {nullptr, a.Ac_Fichier_Imprimer, a.Ac_Fichier_ApercuImp, a.Ac_Fichier_ConfigImp, nullptr});
  for (int i = 1; i <= 5; ++i) {
    QAction* r = f->addAction(QString());
    r->setObjectName(QStringLiteral("Mn_Fichier_DernierFichier%1").arg(i));
    r->setVisible(false);
    m.Mn_Fichier_DernierFichier[i] = r;
  }
  m.Separateur = f->addSeparator();
  m.Separateur->setObjectName(QStringLiteral("Separateur"));
  m.Separateur->setVisible(false);
  f->addAction(a.Ac_Fichier_Quitter);

  ajouter(m.Mn_Edition, {a.Ac_Edition_Couper, a.Ac_Edition_Copier, a.Ac_Edition_Coller, nullptr, a.Ac_Edition_Inserer,
                         a.Ac_Edition_Vider, nullptr, a.Ac_Edition_TableMix});
  ajouter(m.Mn_Mesure, {a.Ac_Mesure_Premiere, a.Ac_Mesure_Precedente, a.Ac_Mesure_AllerA, a.Ac_Mesure_Suivante,
                        a.Ac_Mesure_Derniere, nullptr, a.Ac_Mesure_Signature, a.Ac_Mesure_RenvoiDebut,
                        a.Ac_Mesure_RenvoiFin, a.Ac_Mesure_Repetitions});
  ajouter(m.Mn_Note, {a.Ac_Note_Ronde, a.Ac_Note_Blanche, a.Ac_Note_Noire, a.Ac_Note_Croche, a.Ac_Note_DCroche,
                      a.Ac_Note_TCroche, a.Ac_Note_QCroche, nullptr, a.Ac_Note_Pointee, nullptr, a.Ac_Note_Accord,
                      a.Ac_Note_Annotation, nullptr, a.Ac_Note_NoteEtouffee, nullptr, a.Ac_Note_Silence,
                      a.Ac_Note_Triolet, a.Ac_Note_Lier, nullptr, a.Ac_Note_InsererTemps, a.Ac_Note_SupprimerTemps,
                      a.Ac_Note_CopierTempsfin, nullptr, a.Ac_Note_DeplacerHaut, a.Ac_Note_DeplacerBas});
  ajouter(m.Mn_Effets, {a.Ac_Effet_HO, a.Ac_Effet_PO, a.Ac_Effet_SlideUp, a.Ac_Effet_SlideDown, a.Ac_Effet_Bend,
                        a.Ac_Effet_BendRelease, nullptr, a.Ac_Effet_LetRing, a.Ac_Effet_GraceNote,
                        a.Ac_Effet_GhostNote, nullptr, a.Ac_Effet_VibMainGauche, a.Ac_Effet_TremoloBar,
                        a.Ac_Effet_CoupDeVibrato, a.Ac_Effet_HarmNat, a.Ac_Effet_HarmArt, a.Ac_Effet_FadeIn,
                        a.Ac_Effet_TappingMD, a.Ac_Effet_Slap, a.Ac_Effet_Pop, nullptr, a.Ac_Effet_BrushUp,
                        a.Ac_Effet_BrushDown, nullptr});
  m.Mn_Dyna = SousMenu(m.Mn_Effets, "Mn_Dyna", "Dynamic", 84, true);
  ajouter(m.Mn_Dyna, {a.Ac_Dyna_ppp, a.Ac_Dyna_pp, a.Ac_Dyna_p, a.Ac_Dyna_mp, a.Ac_Dyna_mf, a.Ac_Dyna_f,
                      a.Ac_Dyna_ff, a.Ac_Dyna_fff});
  ajouter(m.Mn_Assistants, {a.Ac_Ass_Transposer, a.Ac_Ass_Redecouper, a.Ac_Ass_CompleterReduire,
                            a.Ac_Ass_PlacementAuto, a.Ac_Ass_LetRingSelector, a.Ac_Ass_VerifierDureeMesures, nullptr,
                            a.Ac_Ass_Solfege, a.Ac_Ass_Percussion, nullptr, a.Ac_Ass_SpeedTrainer});
  ajouter(m.Mn_Son, {a.Ac_Son_LectureDebut, a.Ac_Son_LecturePosEC, a.Ac_Son_LectureMesureEC, a.Ac_Son_Stop, nullptr,
                     a.Ac_Son_EnBoucle, a.Ac_Son_Metronome, nullptr, a.Ac_Son_JouerSaisie});
  ajouter(m.Mn_Affichage, {a.Ac_Affichage_PleinEcran, nullptr, a.Ac_Ass_MontrerLetRing, a.Ac_Ass_MontrerDyna, nullptr});
  m.Mn_Options_LangueLog = SousMenu(m.Mn_Affichage, "Mn_Options_LangueLog", "Langue", 111, true);
  m.Mn_Affichage_HelpLanguage = SousMenu(m.Mn_Affichage, "Mn_Affichage_HelpLanguage", "Help Language", 112, false);
  auto* groupeAide = new QActionGroup(m.Mn_Affichage_HelpLanguage);
  static_assert(std::ranges::all_of(LanguesConnues, [](const TLangueConnue& l) {
    return l.Aide >= 1 && l.Aide < int(std::extent_v<decltype(TMenusPrincipaux::Mn_Aide_Langue)>);
  }));
  for (const TLangueConnue& langue : LanguesConnues) {
    QAction* l = m.Mn_Affichage_HelpLanguage->addAction(QString::fromUtf8(langue.Nom));
    l->setCheckable(true);
    l->setData(langue.Aide);
    groupeAide->addAction(l);
    m.Mn_Aide_Langue[langue.Aide] = l;
  }
  ajouter(m.Mn_Aide, {a.Ac_Aide_Index, nullptr, a.Ac_Aide_APropos});

  m.PopupMenuAff = new QMenu(barre->parentWidget());
  m.PopupMenuAff->setObjectName(QStringLiteral("PopupMenuAff"));
  ajouter(m.PopupMenuAff, {a.Ac_Edition_Couper, a.Ac_Edition_Copier, a.Ac_Edition_Coller, a.Ac_Edition_Inserer,
                           a.Ac_Edition_Vider});
}

namespace {
using T = TActionsPrincipales;

// Toolbar order: file, print, edit, playback, full screen; a null entry is a grooved spacer.
const TMembreAction kOrdreBarre[] = {
    &T::Ac_Fichier_Nouveau, &T::Ac_Fichier_Ouvrir, &T::Ac_Fichier_Enregistrer, nullptr,
    &T::Ac_Fichier_Proprietes, &T::Ac_Options_Preferences, nullptr,
    &T::Ac_Fichier_Imprimer, &T::Ac_Fichier_ApercuImp, nullptr,
    &T::Ac_Edition_Couper, &T::Ac_Edition_Copier, &T::Ac_Edition_Coller, &T::Ac_Edition_Inserer, &T::Ac_Edition_Vider,
    nullptr,
    &T::Ac_Son_LectureDebut, &T::Ac_Son_LecturePosEC, &T::Ac_Son_LectureMesureEC, &T::Ac_Son_Stop,
    &T::Ac_Son_EnBoucle, &T::Ac_Son_Metronome, nullptr,
    &T::Ac_Affichage_PleinEcran};
constexpr int kTailleImageBarre = 16, kTailleImagePanneau = 20;

bool BoutonDePanneau(const TDefAction& d) { return d.Bouton == TBouton::Panneau; }
}  // namespace

void ConstruireBarreOutils(TVxToolbar* barre, TActionsPrincipales& a) {
  // One row placed by the window: no wrapping, no margin, the buttons a pixel below the top.
  barre->SetAlign(TAlign::alNone);
  barre->AutoStyle = false;
  barre->SetWrapControls(false);
  barre->SetMargin(0);
  barre->SetTopMargin(1);
  QStringList noms;
  int espaces = 0;
  for (TMembreAction membre : kOrdreBarre) {
    if (!membre) {
      auto* s = new TVxSpacer(barre);
      s->resize(6, 25);
      s->SetGrooved(true);
      s->setObjectName(QStringLiteral("VxSpacer%1").arg(++espaces));
      noms << s->objectName();
      continue;
    }
    const int i = IndiceMembre(membre);
    auto* b = new TVxToolbarButton(barre);
    b->setDefaultAction(a.Action(i));
    b->setObjectName(NomBoutonAction(TableActions[i].Nom));
    b->setFocusPolicy(Qt::NoFocus);  // the focus stays on the focus holder
    b->setIconSize(QSize(kTailleImageBarre, kTailleImageBarre));
    b->setAutoRaise(true);
    b->resize(23, 22);
    noms << b->objectName();
  }
  barre->Loaded(noms);
}

QList<QToolButton*> ConstruireBoutonsPanneau(QWidget* panneau, TActionsPrincipales& a) {
  QList<QToolButton*> boutons;
  for (int i = 0; i < NB_ACTIONS; ++i) {
    const TDefAction& d = TableActions[i];
    if (!BoutonDePanneau(d)) continue;
    auto* b = new QToolButton(panneau);
    b->setObjectName(NomBoutonAction(d.Nom));
    b->setDefaultAction(a.Action(i));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(kTailleImagePanneau, kTailleImagePanneau));
    boutons.append(b);
  }
  return boutons;
}

std::vector<std::pair<int, int>> ImagesPremierePeinture() {
  std::vector<std::pair<int, int>> r;
  for (TMembreAction membre : kOrdreBarre)
    if (membre) r.emplace_back(TableActions[IndiceMembre(membre)].ImageIndex, kTailleImageBarre);
  for (int i = 0; i < NB_ACTIONS; ++i)
    if (BoutonDePanneau(TableActions[i])) r.emplace_back(TableActions[i].ImageIndex, kTailleImagePanneau);
  return r;
}
