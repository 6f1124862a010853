// Form placement: what is saved and when, the default state of a window, the stored kinds of
// properties; and the window hook's handling of a handler that fails.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QMainWindow>
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
  TOptions options() const { return Options; }  // a flags property cannot be a plain member
  void setOptions(TOptions o) { Options = o; }
  TOptions Options;
  QChar Lettre = QLatin1Char('a');
  QVariantList Colonnes{QVariantMap{{"Largeur", 10}, {"Titre", "Nom"}}, QVariantMap{{"Largeur", 20}}};
  QObject* Lien = this;
  TMarges Marges;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TReglage::TOptions)

}  // namespace

TEST(FormPlacement, AFormNeverRestoredSavesNothing) {
  QTemporaryDir tmp;
  {
    QWidget f;
    (new TFormPlacement(&f))->IniFileName = tmp.filePath("place.ini");
    f.close();
  }
  EXPECT_FALSE(QFile::exists(tmp.filePath("place.ini")));
}

TEST(FormPlacement, DefaultStateOfAWindowWithoutStoredState) {
  enum Genre { Simple, Placee, Dialogue, Secondaire };
  // {kind, stored ShowCmd (0: none), maximized}
  for (auto [genre, showCmd, maximisee] : {std::tuple{Simple, 0, true}, {Placee, 0, false}, {Dialogue, 0, false},
                                           {Simple, 1, false}, {Simple, 4, true}, {Placee, 3, true},
                                           {Secondaire, 0, false}}) {
    QTemporaryDir tmp;
    TIniFile ini(tmp.filePath("place.ini"));
    if (showCmd) ini.WriteInteger("Etat", "ShowCmd", showCmd);
    ASSERT_TRUE(ini.UpdateFile());
    std::unique_ptr<QWidget> principale, f;
    if (genre == Secondaire) principale = std::make_unique<QMainWindow>();  // the main window is another
    f = genre == Dialogue ? std::make_unique<QDialog>() : std::make_unique<QWidget>();
    if (genre == Placee) f->move(10, 10);
    auto* fp = new TFormPlacement(f.get());
    fp->IniFileName = ini.FileName();
    fp->IniSection = "Etat";
    f->show();
    EXPECT_EQ(f->windowState().testFlag(Qt::WindowMaximized), maximisee) << genre << " " << showCmd;
  }
}

TEST(FormStorage, StoredKindsOfProperties) {
  QTemporaryDir tmp;
  QWidget autre;  // another window, owner of a referenced button
  autre.setObjectName("Fenetre2");
  auto* bouton = new QPushButton(&autre);
  bouton->setObjectName("Bouton");
  auto creer = [&](QWidget& f) {
    auto* r = new TReglage(&f);
    r->setObjectName("Reglage");
    auto* fs = new TFormStorage(&f);
    fs->IniFileName = tmp.filePath("place.ini");
    fs->IniSection = "S";
    fs->StoredProps = {"Reglage.Options", "Reglage.lettre", "Reglage.Colonnes", "Reglage.Lien", "Reglage.Marges"};
    return r;
  };
  {
    QWidget f;
    TReglage* r = creer(f);
    f.show();
    r->Options = TReglage::opGras | TReglage::opSouligne;
    r->Lettre = QLatin1Char('x');
    r->Colonnes = {QVariantMap{{"Largeur", 15}, {"Titre", "Fret"}}, QVariantMap{{"Largeur", 25}}};
    r->Lien = bouton;
    r->Marges = {12, "n"};
  }
  TIniFile ini(tmp.filePath("place.ini"));
  for (auto [cle, valeur] : {std::pair{"Options", "[opGras,opSouligne]"}, {"lettre", "x"}, {"MargesGauche", "12"},
                             {"MargesNom", "n"}, {"Lien", "Fenetre2.Bouton"}})
    EXPECT_EQ(ini.ReadString("S", QString("Reglage_") + cle, ""), valeur) << cle;
  EXPECT_EQ(ini.ReadString("S.Reglage_Colonnes", "Item0_Titre", ""), "Fret");
  EXPECT_EQ(ini.ReadString("S.Reglage_Colonnes", "Item1_Largeur", ""), "25");
  for (int passe = 0; passe < 2; ++passe) {
    QWidget f;
    TReglage* r = creer(f);
    f.show();
    EXPECT_EQ(r->Lettre, QLatin1Char(passe ? 'a' : 'x'));
    EXPECT_EQ(r->Colonnes.value(1).toMap().value("Largeur").toInt(), 25);
    EXPECT_EQ(r->Marges, (TMarges{12, "n"}));
    EXPECT_EQ(r->Options, TReglage::opGras | (passe ? TReglage::opItalique : TReglage::opSouligne));
    EXPECT_EQ(r->Lien, passe ? nullptr : bouton);
    f.hide();
    // Unknown set members are skipped; an empty character changes nothing.
    for (auto [cle, valeur] : {std::pair{"Options", "[ opItalique, inconnu ,opGras]"}, {"lettre", ""},
                               {"Lien", "(null)"}})
      ini.WriteString("S", QString("Reglage_") + cle, valeur);
    ASSERT_TRUE(ini.UpdateFile());
  }
}

TEST(VxWindowHook, AFailingHandlerIsReportedAndTheNextOneRuns) {
  for (auto [lancer, rapport] : {std::pair<void (*)(), QString>{[] { throw std::runtime_error("boom"); }, "boom"},
                                 {[] { throw EAbort{}; }, ""}}) {  // the silent end of an operation
    QStringList rapports, ordre;
    SetHandlerExceptionReport([&](const QString& m) { rapports << m; });
    QWidget w;
    TVxWindowHook h[3];
    for (int k = 0; k < 3; ++k) {
      // Hook 2 fails before the event, hook 3 after it.
      h[k].BeforeMessage = [&, k, lancer](TVxWindowHook*, QEvent* e, bool&) {
        if (e->type() == QEvent::User && (ordre << QString("avant%1").arg(k + 1), k == 1)) lancer();
      };
      h[k].AfterMessage = [&, k, lancer](TVxWindowHook*, QEvent* e, bool&) {
        if (e->type() == QEvent::User && (ordre << QString("apres%1").arg(k + 1), k == 2)) lancer();
      };
      h[k].SetWinControl(&w);
    }
    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(&w, &e);
    SetHandlerExceptionReport({});
    EXPECT_EQ(ordre, (QStringList{"avant3", "avant2", "avant1", "apres3", "apres2", "apres1"}));
    EXPECT_EQ(rapports, rapport.isEmpty() ? QStringList() : (QStringList{rapport, rapport}));
  }
}

#include "test_FormPlace.moc"
