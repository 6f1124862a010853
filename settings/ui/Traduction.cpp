#include "settings/ui/Traduction.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>
#include <algorithm>

#include "editor/Actions.h"
#include "settings/Langue.h"

namespace {
// The filters the dialogs were designed with, kept while no language file gives its own.
const QString kFiltreChansons = QStringLiteral("Vexo songs (*.sqt)|*.sqt");
const QString kFiltreASCII = QStringLiteral("ASCII tablatures (*.tab)|*.tab|All files (*.*)|*.*");
}  // namespace

TDialogueFichier OpenDialog1{QString(), kFiltreChansons}, SaveDialog1{QString(), kFiltreChansons}, OpenDialog2,
    SaveDialog2, OpenDialog3{QString(), kFiltreASCII}, SaveDialog3{QString(), kFiltreASCII};

QString FiltreQt(const QString& filtre) {
  const QStringList parts = filtre.split('|');
  QStringList r;
  for (int i = 0; i + 1 < parts.size(); i += 2) r << parts[i];
  return r.join(QStringLiteral(";;"));
}

namespace {
// Where a menu's mark is kept.
constexpr char kLigne[] = "vexoLigneMN000";
constexpr char kRaccourci[] = "vexoRaccourci";

bool TitreAvecRaccourci(const QMenu* m) { return m->property(kRaccourci).toBool(); }

// One group for the menu's items, then its marked submenus, depth first.
void Parcourir(const QMenu* menu, const QString& prefixe, const TActionsPrincipales& actions, TPlanMenus& plan) {
  QStringList groupe;
  QList<const QMenu*> sousMenus;
  for (const QAction* item : menu->actions()) {
    if (item->isSeparator()) continue;
    if (const QMenu* s = item->menu()) {
      if (!s->property(kLigne).isValid()) continue;
      plan.Lignes.append({s->objectName(), s->property(kLigne).toInt()});
      if (TitreAvecRaccourci(s)) groupe << s->objectName();
      sousMenus << s;
      continue;
    }
    const int i = actions.IndiceAction(item);
    if (i >= 0 && TableActions[i].LigneMenu) groupe << prefixe + QString::fromLatin1(TableActions[i].Nom).mid(3);
  }
  plan.Raccourcis << groupe;
  for (const QMenu* s : sousMenus) Parcourir(s, prefixe, actions, plan);
}
}  // namespace

void MarquerMenu(QMenu* menu, int ligne, bool raccourci) {
  menu->setProperty(kLigne, ligne);
  menu->setProperty(kRaccourci, raccourci);
}

TPlanMenus PlanMenus(const QMenuBar* barre, const QMenu* popup, const TActionsPrincipales& actions) {
  TPlanMenus plan;
  QStringList titres;
  QList<const QMenu*> menus;
  for (const QAction* item : barre->actions()) {
    const QMenu* m = item->menu();
    if (!m || !m->property(kLigne).isValid()) continue;
    plan.Lignes.append({m->objectName(), m->property(kLigne).toInt()});
    if (TitreAvecRaccourci(m)) titres << m->objectName();
    menus << m;
  }
  plan.Raccourcis << titres;
  for (const QMenu* m : menus) Parcourir(m, QStringLiteral("Mn_"), actions, plan);
  if (popup) Parcourir(popup, QStringLiteral("Mn2_"), actions, plan);
  return plan;
}

TTraductionPrincipale CalculerTraductionPrincipale(const QStringList& lignes, const TPlanMenus& plan) {
  TTraductionPrincipale t;
  const int entete = TrouverGroupe(lignes, QStringLiteral("MN_000"));
  if (entete < 0) return t;
  t.Trouve = true;
  auto texte = [&](int n) { return TexteLigne(lignes, entete, n); };

  for (const auto& [nom, ligne] : plan.Lignes) t.Captions.insert(nom, texte(ligne));
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
    if (d.LigneBouton) t.Hints.insert(NomBoutonAction(d.Nom), texte(d.LigneBouton));
  }
  // The popup menu's items take the captions of the same commands, before any accelerator.
  for (const QStringList& groupe : plan.Raccourcis)
    for (const QString& nom : groupe)
      if (nom.startsWith(QLatin1String("Mn2_"))) t.Captions.insert(nom, t.Captions.value("Mn_" + nom.mid(4)));

  for (const QStringList& groupe : plan.Raccourcis) {
    QSet<QChar> utilisees;
    for (const QString& nom : groupe) {
      QString& c = t.Captions[nom];
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
    if (d.LigneBouton) act->setToolTip(t.Hints.value(NomBoutonAction(d.Nom)));
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

bool ChangerLangue(const QString& nom) {
  if (!ChargerLangue(nom)) return false;
  // The main window goes first, as the others may show captions it gives; a window it owns hears
  // of the change from it, after it.
  QList<QPointer<QWidget>> fenetres;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (!w->parentWidget()) fenetres.append(w);
  std::stable_partition(fenetres.begin(), fenetres.end(),
                        [](const QPointer<QWidget>& w) { return qobject_cast<QMainWindow*>(w.data()) != nullptr; });
  QEvent changement(QEvent::LanguageChange);
  for (const QPointer<QWidget>& w : fenetres)
    if (w) QCoreApplication::sendEvent(w, &changement);
  // The toolkit posts its own notice when its translation changes: every window has had one now.
  QCoreApplication::removePostedEvents(nullptr, QEvent::LanguageChange);
  return true;
}
