// Form placement: what is saved and when, the default state of a window, the stored kinds of
// properties; and the window hook's handling of a handler that fails.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <stdexcept>

#include "components/FormPlace.h"
#include "components/VxHook.h"
#include "components/VxUtils.h"
#include "platform/IniFile.h"

namespace {

struct TMarges {
  Q_GADGET
  Q_PROPERTY(int Gauche MEMBER Gauche)
  Q_PROPERTY(QString Nom MEMBER Nom)
 public:
  int Gauche = 0;
  QString Nom;
  bool operator==(const TMarges&) const = default;
};

class TReglage : public QObject {
  Q_OBJECT
  Q_PROPERTY(TOptions Options READ options WRITE setOptions)
  Q_PROPERTY(QChar Lettre MEMBER Lettre)
  Q_PROPERTY(QVariantList Colonnes MEMBER Colonnes)
  Q_PROPERTY(QObject* Lien MEMBER Lien)
  Q_PROPERTY(TMarges Marges MEMBER Marges)
 public:
  enum TOption { opGras = 1, opItalique = 2, opSouligne = 4 };
  Q_DECLARE_FLAGS(TOptions, TOption)
  Q_FLAG(TOptions)
  using QObject::QObject;
  TOptions options() const { return Options; }
  void setOptions(TOptions o) { Options = o; }
  TOptions Options;
  QChar Lettre = QLatin1Char('a');
  QVariantList Colonnes{QVariantMap{{"Largeur", 10}, {"Titre", "Nom"}}, QVariantMap{{"Largeur", 20}}};
  QObject* Lien = nullptr;
  TMarges Marges;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TReglage::TOptions)

}  // namespace

TEST(FormPlacement, SavesOnlyAfterARestore) {
  struct Cas {
    bool active, montree, ecrit;
  } cas[] = {
      {true, false, false},  // never restored: the stored place is not overwritten by the design one
      {true, true, true},
      {false, false, true},  // an inactive placement saves when told to
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << c.active << c.montree);
    QTemporaryDir tmp;
    const QString ini = tmp.filePath("place.ini");
    {
      QWidget f;
      auto* fp = new TFormPlacement(&f);
      fp->IniFileName = ini;
      fp->Active = c.active;
      if (c.montree) f.show();
      f.close();
      if (!c.active) fp->SaveNow();
    }
    EXPECT_EQ(QFile::exists(ini), c.ecrit);
  }
}

TEST(FormPlacement, DefaultStateOfAWindowWithoutStoredState) {
  enum Genre { Simple, Placee, Dialogue, Documents };
  struct Cas {
    const char* nom;
    Genre genre;
    int showCmd;  // 0: none stored
    bool autrePrincipale, maximisee;
  } cas[] = {
      {"placed by the window system: maximized", Simple, 0, false, true},
      {"placed by the program", Placee, 0, false, false},
      {"a dialog", Dialogue, 0, false, false},
      {"several documents, though placed", Documents, 0, false, true},
      {"a stored normal state wins", Simple, 1, false, false},
      {"an unknown stored state keeps the default", Simple, 4, false, true},
      {"a stored maximized state", Placee, 3, false, true},
      {"not the main window", Simple, 0, true, false},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    QTemporaryDir tmp;
    const QString ini = tmp.filePath("place.ini");
    if (c.showCmd) {
      TIniFile f(ini);
      f.WriteInteger("Etat", "ShowCmd", c.showCmd);
      ASSERT_TRUE(f.UpdateFile());
    }
    std::unique_ptr<QMainWindow> principale;
    if (c.autrePrincipale) principale = std::make_unique<QMainWindow>();
    std::unique_ptr<QWidget> f;
    if (c.genre == Dialogue) {
      f = std::make_unique<QDialog>();
    } else if (c.genre == Documents) {
      auto* mw = new QMainWindow;
      mw->setCentralWidget(new QMdiArea);
      f.reset(mw);
    } else {
      f = std::make_unique<QWidget>();
    }
    if (c.genre != Simple) f->move(10, 10);
    auto* fp = new TFormPlacement(f.get());
    fp->IniFileName = ini;
    fp->IniSection = "Etat";
    f->show();
    EXPECT_EQ(f->windowState().testFlag(Qt::WindowMaximized), c.maximisee);
    f->hide();
  }
}

TEST(FormStorage, StoredKindsOfProperties) {
  QTemporaryDir tmp;
  const QString ini = tmp.filePath("place.ini");
  // A second top-level window, owner of a referenced widget.
  QWidget autre;
  autre.setObjectName("Fenetre2");
  auto* bouton = new QPushButton(&autre);
  bouton->setObjectName("Bouton");
  auto creer = [&](QWidget& f) {
    auto* r = new TReglage(&f);
    r->setObjectName("Reglage");
    auto* voisin = new QObject(&f);
    voisin->setObjectName("Voisin");
    auto* fs = new TFormStorage(&f);
    fs->IniFileName = ini;
    fs->IniSection = "S";
    fs->StoredProps = {"Reglage.Options", "Reglage.lettre", "Reglage.Colonnes", "Reglage.Lien", "Reglage.Marges"};
    return r;
  };
  struct Cas {
    QObject* lien;
    QString texteLien;
  } cas[] = {{nullptr, "(null)"}, {bouton, "Fenetre2.Bouton"}, {&autre, "QApplication.Fenetre2"}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.texteLien.toStdString());
    QFile::remove(ini);
    {
      QWidget f;
      TReglage* r = creer(f);
      f.show();
      r->Options = TReglage::opGras | TReglage::opSouligne;
      r->Lettre = QLatin1Char('x');
      r->Colonnes = {QVariantMap{{"Largeur", 15}, {"Titre", "Fret"}}, QVariantMap{{"Largeur", 25}}};
      r->Lien = c.lien;
      r->Marges.Gauche = 12;
      r->Marges.Nom = "n";
      f.close();
    }
    const TIniFile lu(ini);
    EXPECT_EQ(lu.ReadString("S", "Reglage_Options", ""), "[opGras,opSouligne]");
    EXPECT_EQ(lu.ReadString("S", "Reglage_lettre", ""), "x");
    EXPECT_EQ(lu.ReadString("S.Reglage_Colonnes", "Item0_Largeur", ""), "15");
    EXPECT_EQ(lu.ReadString("S.Reglage_Colonnes", "Item0_Titre", ""), "Fret");
    EXPECT_EQ(lu.ReadString("S.Reglage_Colonnes", "Item1_Largeur", ""), "25");
    EXPECT_EQ(lu.ReadString("S", "Reglage_Lien", ""), c.texteLien);
    EXPECT_EQ(lu.ReadString("S", "Reglage_MargesGauche", ""), "12");
    EXPECT_EQ(lu.ReadString("S", "Reglage_MargesNom", ""), "n");

    QWidget f;
    TReglage* r = creer(f);
    r->Lien = r;  // so that "(null)" must be read back too
    f.show();
    EXPECT_EQ(r->Options, TReglage::opGras | TReglage::opSouligne);
    EXPECT_EQ(r->Lettre, QLatin1Char('x'));
    EXPECT_EQ(r->Colonnes.value(0).toMap().value("Largeur").toInt(), 15);
    EXPECT_EQ(r->Colonnes.value(0).toMap().value("Titre").toString(), "Fret");
    EXPECT_EQ(r->Colonnes.value(1).toMap().value("Largeur").toInt(), 25);
    EXPECT_EQ(r->Lien, c.lien);
    EXPECT_EQ(r->Marges.Gauche, 12);
    EXPECT_EQ(r->Marges.Nom, "n");
    f.hide();
  }
  // Reading back: unknown set members are skipped, a sibling is found by its name, and what names
  // nothing, or is not there, leaves the property as it was.
  {
    TIniFile f(ini);
    f.WriteString("S", "Reglage_Options", "[ opItalique, inconnu ,opGras]");
    f.WriteString("S", "Reglage_Lien", "Voisin");
    f.WriteString("S", "Reglage_lettre", "");
    f.EraseSection("S.Reglage_Colonnes");
    ASSERT_TRUE(f.UpdateFile());
  }
  QWidget f;
  TReglage* r = creer(f);
  f.show();
  EXPECT_EQ(r->Options, TReglage::opGras | TReglage::opItalique);
  EXPECT_EQ(r->Lien, f.findChild<QObject*>("Voisin"));
  EXPECT_EQ(r->Lettre, QLatin1Char('a'));
  EXPECT_EQ(r->Colonnes.value(0).toMap().value("Largeur").toInt(), 10);
  EXPECT_EQ(r->Marges.Nom, "n");
  f.hide();
  {
    TIniFile g(ini);
    g.WriteString("S", "Reglage_Lien", "Fenetre9.Rien");
    ASSERT_TRUE(g.UpdateFile());
  }
  f.show();
  EXPECT_EQ(r->Lien, f.findChild<QObject*>("Voisin"));
  f.hide();
}

TEST(VxWindowHook, AFailingHandlerIsReportedAndTheNextOneRuns) {
  struct Cas {
    const char* nom;
    std::function<void()> lancer;
    QStringList rapports;
  } cas[] = {
      {"an error", [] { throw std::runtime_error("boom"); }, {"boom"}},
      {"something else", [] { throw 3; }, {"Erreur inattendue"}},
      {"the silent end of an operation", [] { throw EAbort{}; }, {}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    QStringList rapports, ordre;
    SetHandlerExceptionReport([&](const QString& m) { rapports << m; });
    struct Cible : QWidget {
      int vus = 0;
      bool event(QEvent* e) override {
        if (e->type() == QEvent::User) ++vus;
        return QWidget::event(e);
      }
    } w;
    TVxWindowHook h1, h2, h3;
    for (auto [h, nom] : {std::pair{&h1, "1"}, {&h2, "2"}, {&h3, "3"}}) {
      const QString n = nom;
      h->BeforeMessage = [&, n](TVxWindowHook*, QEvent* e, bool&) {
        if (e->type() != QEvent::User) return;
        ordre << "avant" + n;
        if (n == "2") c.lancer();
      };
      h->AfterMessage = [&, n](TVxWindowHook*, QEvent* e, bool&) {
        if (e->type() != QEvent::User) return;
        ordre << "apres" + n;
        if (n == "3") c.lancer();
      };
      h->SetWinControl(&w);
    }
    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(&w, &e);
    SetHandlerExceptionReport({});
    EXPECT_EQ(ordre, (QStringList{"avant3", "avant2", "avant1", "apres3", "apres2", "apres1"}));
    EXPECT_EQ(w.vus, 1);
    QStringList attendus;
    for (const QString& r : c.rapports) attendus << r << r;  // one before, one after
    EXPECT_EQ(rapports, attendus);
  }
}

#include "test_FormPlace.moc"
