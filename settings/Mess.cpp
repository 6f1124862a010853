#include "settings/Mess.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/Canvas.h"
#include "platform/Types.h"
#include "settings/Langue.h"

static TReponseMessage& Reponse() {
  static TReponseMessage r;
  return r;
}

void InstallerReponseMessage(TReponseMessage reponse) { Reponse() = std::move(reponse); }

void AfficherSaisieIncorrecte() {
  MessageBoxD(TexteLangue("Dlg-Erreur"), TexteLangue("Dlg-SaisieIncorrecte"), MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
}

void AfficherEcritureImpossible(const QString& chemin, const QString& raison) {
  MessageBoxD(TexteLangue("Dlg-Erreur"),
              RemplacerParam1et2(TexteLangue("Fichier-EcritureImpossible"), QFileInfo(chemin).fileName(), raison),
              MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
}

// ---- Pure part ----

namespace {
// Design sizes at 96 pixels per inch.
constexpr int kTexteGauche = 64, kTexteHaut = 16, kTexteLargeur = 425;
constexpr int kMargeDroite = 16;
constexpr int kIcone = 32;
constexpr int kBoutonLargeur = 81, kBoutonHauteur = 26, kEcartBoutons = 10;
constexpr int kMargeRangee = 28, kSousTexte = 25, kSousBoutons = 12;
constexpr int kCoinGauche = 8, kCoinHaut = 75;

int Px(int k, int dpi) { return Arrondi(k * static_cast<double>(dpi) / 96.0); }
int Moitie(int v) { return Arrondi(v / 2.0); }
}  // namespace

int BitBouton(int bouton) {
  static constexpr int bits[NB_BOUTONS_MESSAGE] = {MB_OK, MB_OUI, MB_NON, MB_ANNULER};
  return (bouton >= 0 && bouton < NB_BOUTONS_MESSAGE) ? bits[bouton] : 0;
}

int ResultatBouton(int bouton) {
  static constexpr int res[NB_BOUTONS_MESSAGE] = {ID_OK, ID_OUI, ID_NON, ID_ANNULER};
  return (bouton >= 0 && bouton < NB_BOUTONS_MESSAGE) ? res[bouton] : 0;
}

QStringList CouperLignesMessage(const QString& texte, int largeurMax,
                                const std::function<int(const QString&)>& largeur) {
  QString t = texte;
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  t.replace('\r', '\n');
  QStringList lignes;
  for (const QString& paragraphe : t.split('\n')) {
    const QStringList mots = paragraphe.split(' ', Qt::SkipEmptyParts);
    if (mots.isEmpty()) {
      lignes.append(QString());
      continue;
    }
    QString ligne;
    for (const QString& mot : mots) {
      if (ligne.isEmpty()) {
        ligne = mot;
        continue;
      }
      QString essai = ligne + ' ' + mot;
      if (largeur(essai) <= largeurMax) {
        ligne = essai;
      } else {
        lignes.append(ligne);
        ligne = mot;
      }
    }
    lignes.append(ligne);
  }
  return lignes;
}

int HauteurTexteMessage(const QStringList& lignes, const QFontMetrics& fm) {
  const int n = std::max<int>(1, static_cast<int>(lignes.size()));
  const QRect dessin = fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::AlignLeft | Qt::AlignTop, lignes.join('\n'));
  return std::max(n * fm.lineSpacing(), dessin.height());
}

TGeometrieMessage CalculerGeometrieMessage(int dpi, QSize texte, int icone, int boutons, int placement, QSize ecran,
                                           QSize cadre) {
  TGeometrieMessage g;
  g.Texte = QRect(Px(kTexteGauche, dpi), Px(kTexteHaut, dpi), texte.width(), texte.height());
  int clientL = g.Texte.left() + g.Texte.width() + Px(kMargeDroite, dpi);

  if (icone >= MB_ICONE_ATTENTION && icone <= MB_ICONE_QUESTION) {
    int cote = Px(kIcone, dpi);
    int haut = g.Texte.top() + Moitie(g.Texte.height() - cote);
    g.Icone = QRect(Px(16, dpi), haut, cote, cote);
  }

  int bw = Px(kBoutonLargeur, dpi), bh = Px(kBoutonHauteur, dpi), ecart = Px(kEcartBoutons, dpi);
  int k = 0;
  for (int b = 0; b < NB_BOUTONS_MESSAGE; ++b)
    if (boutons & BitBouton(b)) ++k;
  int rangee = k * bw + (k > 1 ? (k - 1) * ecart : 0);
  clientL = std::max(clientL, rangee + Px(kMargeRangee, dpi));

  int x = Moitie(clientL - rangee);
  int haut = g.Texte.top() + g.Texte.height() + Px(kSousTexte, dpi);
  for (int b = 0; b < NB_BOUTONS_MESSAGE; ++b) {
    if (!(boutons & BitBouton(b))) continue;
    g.Boutons[b] = QRect(x, haut, bw, bh);
    x += bw + ecart;
  }
  g.Client = QSize(clientL, haut + bh + Px(kSousBoutons, dpi));

  if (placement == MB_CENTRE) {
    int l = g.Client.width() + cadre.width(), h = g.Client.height() + cadre.height();
    g.Position = QPoint(Moitie(ecran.width() - l), Moitie(ecran.height() - h));
  } else {
    g.Position = QPoint(Px(kCoinGauche, dpi), Px(kCoinHaut, dpi));
  }
  return g;
}

int BoutonFocusMessage(int boutons, int defaut) {
  static constexpr int parDefaut[4] = {BOUTON_OUI, BOUTON_NON, BOUTON_OK, BOUTON_ANNULER};  // by MB_DEF_*
  if (defaut >= 0 && defaut < 4 && (boutons & BitBouton(parDefaut[defaut]))) return parDefaut[defaut];
  for (int b = 0; b < NB_BOUTONS_MESSAGE; ++b)
    if (boutons & BitBouton(b)) return b;
  return -1;
}

int ReponseEchapMessage(int boutons) {
  if (boutons & MB_ANNULER) return ID_ANNULER;
  if (boutons & MB_NON) return ID_NON;
  return 0;
}

void LegendesBoutonsMessage(int boutons, QString legendes[NB_BOUTONS_MESSAGE]) {
  legendes[BOUTON_OK] = QStringLiteral("&OK");
  legendes[BOUTON_OUI] = QStringLiteral("&Oui");
  legendes[BOUTON_NON] = QStringLiteral("&Non");
  legendes[BOUTON_ANNULER] = QStringLiteral("&Annuler");
  int g = TrouverGroupe("DLG_000");
  if (g < 0) return;
  legendes[BOUTON_OK] = TexteLigne(g, 1);
  legendes[BOUTON_ANNULER] = TexteLigne(g, 2);
  legendes[BOUTON_OUI] = TexteLigne(g, 3);
  legendes[BOUTON_NON] = TexteLigne(g, 4);
  QSet<QChar> utilisees;
  for (int b : {BOUTON_OK, BOUTON_ANNULER, BOUTON_OUI, BOUTON_NON})
    if (boutons & BitBouton(b)) legendes[b] = AjouterRaccourci(legendes[b], utilisees);
}

// ---- The window ----

namespace {

class TMessageD : public QDialog {
 public:
  TMessageD(const QString& titre, const QString& texte, int icone, int boutons, int defaut, int placement)
      : QDialog(nullptr,
                Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
        boutons_(boutons & (MB_OUI | MB_NON | MB_OK | MB_ANNULER)),
        placement_(placement) {
    setWindowTitle(titre);
    setModal(true);

    QFont police(SubstituerPolice("MS Sans Serif"));
    police.setPointSize(8);
    texte_ = new QLabel(this);
    texte_->setFont(police);
    texte_->setTextFormat(Qt::PlainText);
    texte_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette pal = texte_->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    texte_->setPalette(pal);

    QStyle* st = style();
    static constexpr QStyle::StandardPixmap images[4] = {QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical,
                                                         QStyle::SP_MessageBoxInformation,
                                                         QStyle::SP_MessageBoxQuestion};
    if (icone >= MB_ICONE_ATTENTION && icone <= MB_ICONE_QUESTION) {
      icone_ = new QLabel(this);
      icone_->setPixmap(st->standardIcon(images[icone]).pixmap(kIcone, kIcone));
      icone_->setAlignment(Qt::AlignCenter);
    }

    static constexpr QStyle::StandardPixmap glyphes[NB_BOUTONS_MESSAGE] = {
        QStyle::SP_DialogOkButton, QStyle::SP_DialogYesButton, QStyle::SP_DialogNoButton,
        QStyle::SP_DialogCancelButton};
    QString legendes[NB_BOUTONS_MESSAGE];
    LegendesBoutonsMessage(boutons_, legendes);
    static const char* const noms[NB_BOUTONS_MESSAGE] = {"BT_OK", "BT_Oui", "BT_Non", "BT_Annuler"};
    // Made in their Tab order, which is not their order from left to right.
    for (int b : {BOUTON_OK, BOUTON_NON, BOUTON_ANNULER, BOUTON_OUI}) {
      auto* bt = new QPushButton(legendes[b], this);
      bt->setObjectName(QLatin1String(noms[b]));
      bt->setIcon(st->standardIcon(glyphes[b]));
      bt->setIconSize(QSize(18, 18));
      bt->setAutoDefault(true);
      bt->setVisible(boutons_ & BitBouton(b));
      int res = ResultatBouton(b);
      QObject::connect(bt, &QPushButton::clicked, this, [this, res] { done(res); });
      boutonsW_[b] = bt;
    }

    dpi_ = 96;
    if (QScreen* ecran = QGuiApplication::primaryScreen()) {
      dpi_ = std::max(1, Arrondi(ecran->logicalDotsPerInch()));
      ecran_ = ecran->availableGeometry().size();
    }

    // The text wraps within its column; a word wider than the column widens it.
    QFontMetrics fm(police);
    const QStringList lignes =
        CouperLignesMessage(texte, Arrondi(kTexteLargeur * dpi_ / 96.0),
                            [&fm](const QString& s) { return fm.horizontalAdvance(s); });
    int largeur = 0;
    for (const QString& l : lignes) largeur = std::max(largeur, fm.horizontalAdvance(l));
    texte_->setText(lignes.join('\n'));
    tailleTexte_ = QSize(largeur, HauteurTexteMessage(lignes, fm));

    Disposer();
    focus_ = BoutonFocusMessage(boutons_, defaut);
    if (focus_ >= 0) {
      boutonsW_[focus_]->setDefault(true);
      boutonsW_[focus_]->setFocus();
    }
  }

  void Disposer() {
    TGeometrieMessage g = CalculerGeometrieMessage(dpi_, tailleTexte_, icone_ ? 0 : -1, boutons_, placement_, ecran_,
                                                   cadre_);
    texte_->setGeometry(g.Texte);
    if (icone_) icone_->setGeometry(g.Icone);
    for (int b = 0; b < NB_BOUTONS_MESSAGE; ++b)
      if (boutons_ & BitBouton(b)) boutonsW_[b]->setGeometry(g.Boutons[b]);
    setFixedSize(g.Client);
    move(g.Position);
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Escape) {
      int r = ReponseEchapMessage(boutons_);
      if (r != 0) done(r);
      e->accept();
      return;
    }
    QDialog::keyPressEvent(e);
  }

  void reject() override { done(ID_ANNULER); }  // the close box

  void changeEvent(QEvent* e) override {
    // A box the user moved goes back to its place when it becomes active again.
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
      QSize cadre = frameGeometry().size() - geometry().size();
      if (cadre.isValid()) cadre_ = cadre;
      Disposer();
      if (focus_ >= 0) boutonsW_[focus_]->setFocus();
    }
    QDialog::changeEvent(e);
  }

 private:
  int boutons_;
  int placement_;
  int focus_ = -1;
  int dpi_ = 96;
  QSize ecran_{1024, 768};
  QSize cadre_{0, 0};
  QSize tailleTexte_;
  QLabel* texte_ = nullptr;
  QLabel* icone_ = nullptr;
  QPushButton* boutonsW_[NB_BOUTONS_MESSAGE] = {};
};

}  // namespace

int MessageBoxD(const QString& titre, const QString& texte, int icone, int boutons, int defaut, int placement) {
  if (Reponse()) return Reponse()(TDemandeMessage{titre, texte, icone, boutons, defaut, placement});
  const QString plateforme = QGuiApplication::platformName();
  if (plateforme == QLatin1String("offscreen") || plateforme == QLatin1String("minimal")) {
    // Nobody can answer a box on a headless run: say what it would have shown and take its
    // focused button, so the run goes on instead of waiting for ever.
    std::fprintf(stderr, "%s: %s\n", qPrintable(titre), qPrintable(texte));
    int b = BoutonFocusMessage(boutons, defaut);
    return b >= 0 ? ResultatBouton(b) : ID_ANNULER;
  }
  std::unique_ptr<QDialog> box(CreerBoiteMessage(titre, texte, icone, boutons, defaut, placement));
  int r = box->exec();
  return r == 0 ? ID_ANNULER : r;
}

QDialog* CreerBoiteMessage(const QString& titre, const QString& texte, int icone, int boutons, int defaut,
                           int placement) {
  return new TMessageD(titre, texte, icone, boutons, defaut, placement);
}
