#include "files/ui/TestASCI.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "components/DialogueNomFichier.h"
#include "dialogs/BoutonsRepetes.h"
#include "editor/state/EtatEdition.h"
#include "files/FileCommands.h"
#include "files/ui/ImpASCII.h"
#include "files/TablatureASCII.h"
#include "settings/Aide.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"
#include "settings/Mess.h"
#include "settings/ui/Traduction.h"

void TRepetitionColonnes::Demarrer(int sens) {
  Compteur = 0;
  Intervalle = 300;
  Pas = sens;
}

QString TRepetitionColonnes::Tick(const QString& valeur) {
  ++Compteur;
  if (Compteur >= 2) Intervalle = 200;
  if (Compteur > 10) Intervalle = 100;
  if (Compteur == 30) Pas *= 3;
  if (valeur.isEmpty()) return valeur;
  return QString::number(std::clamp(valeur.toInt() + Pas, NB_COL_ASCII_MIN, NB_COL_ASCII_MAX));
}

int LargeurColonnesSaisie(const QString& texte) {
  if (texte.trimmed().isEmpty()) return 80;
  return std::clamp(texte.toInt(), NB_COL_ASCII_MIN, NB_COL_ASCII_MAX);
}

TTestASCIForm::TTestASCIForm(QWidget* parent) : QDialog(parent) {
  setObjectName("TestASCIForm");
  MemoASCII = new QPlainTextEdit(this);
  MemoASCII->setObjectName("MemoASCII");
  MemoASCII->setFont(PoliceTablature());
  MemoASCII->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoASCII->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemoASCII->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  Lab_Colonne = new QLabel("Columns:", this);
  NbCol = new QLineEdit(this);
  NbCol->setObjectName("NbCol");
  NbCol->setMaxLength(3);
  NbCol->setFixedWidth(44);
  NbCol->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), NbCol));
  NbCol->installEventFilter(this);
  Lab_Colonne->setBuddy(NbCol);
  CVBUp = new QToolButton(this);
  CVBUp->setObjectName("CVBUp");
  CVBUp->setArrowType(Qt::UpArrow);
  CVBD = new QToolButton(this);
  CVBD->setObjectName("CVBD");
  CVBD->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {CVBUp, CVBD}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(18, 12);
  }
  BT_Repaginer = new QToolButton(this);
  BT_Repaginer->setObjectName("BT_Repaginer");
  BT_Repaginer->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
  BT_Imprimer = new QToolButton(this);
  BT_Imprimer->setObjectName("BT_Imprimer");
  BT_Imprimer->setIcon(QIcon::fromTheme("document-print", style()->standardIcon(QStyle::SP_FileDialogDetailedView)));
  Rythme = new QCheckBox("Rhythm", this);
  Rythme->hide();
  // The dialog's default button, hidden: Return in the column field or the text presses nothing.
  Default = new QPushButton(this);
  Default->setObjectName("Default");
  Default->hide();

  BT_Enregistrer = new QPushButton("Export", this);
  BT_Enregistrer->setObjectName("BT_Enregistrer");
  BT_Annuler = new QPushButton("Cancel", this);
  BT_Annuler->setObjectName("BT_Annuler");
  BT_Aide = new QPushButton("Help", this);
  BT_Aide->setObjectName("BT_Aide");
  Timer1 = new QTimer(this);
  Timer1->setSingleShot(true);

  auto* fleches = new QVBoxLayout;
  fleches->setSpacing(0);
  fleches->addWidget(CVBUp);
  fleches->addWidget(CVBD);
  auto* haut = new QHBoxLayout;
  haut->addWidget(Lab_Colonne);
  haut->addWidget(NbCol);
  haut->addLayout(fleches);
  haut->addWidget(BT_Repaginer);
  haut->addSpacing(16);
  haut->addWidget(BT_Imprimer);
  haut->addStretch();
  auto* bas = new QHBoxLayout;
  bas->addStretch();
  bas->setSpacing(8);
  bas->addWidget(BT_Enregistrer);
  bas->addWidget(BT_Annuler);
  bas->addWidget(BT_Aide);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(haut);
  tout->addWidget(MemoASCII, 1);
  tout->addLayout(bas);
  tout->setContentsMargins(8, 8, 12, 8);

  connect(CVBUp, &QToolButton::clicked, this, &TTestASCIForm::CVBUpClick);
  connect(CVBD, &QToolButton::clicked, this, &TTestASCIForm::CVBDClick);
  auto presser = [this](int sens) {
    repetition_.Demarrer(sens);
    Timer1->start(repetition_.Intervalle);
  };
  connect(CVBUp, &QToolButton::pressed, this, [presser] { presser(+1); });
  connect(CVBD, &QToolButton::pressed, this, [presser] { presser(-1); });
  connect(CVBUp, &QToolButton::released, Timer1, &QTimer::stop);
  connect(CVBD, &QToolButton::released, Timer1, &QTimer::stop);
  for (QToolButton* b : {CVBUp, CVBD}) ArreterSansRelachement(b, [this] { Timer1->stop(); });
  connect(Timer1, &QTimer::timeout, this, &TTestASCIForm::Timer1Timer);
  connect(BT_Repaginer, &QToolButton::clicked, this, &TTestASCIForm::BT_RepaginerClick);
  connect(Rythme, &QCheckBox::clicked, this, &TTestASCIForm::GenererTexte);
  connect(BT_Imprimer, &QToolButton::clicked, this, &TTestASCIForm::BT_ImprimerClick);
  connect(BT_Enregistrer, &QPushButton::clicked, this, &TTestASCIForm::BT_EnregistrerClick);
  connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(BT_Aide, &QPushButton::clicked, this, [] { OuvrirAide(QStringLiteral("TestASCI")); });

  resize(qRound(640 * logicalDpiX() / 96.0), qRound(440 * logicalDpiY() / 96.0));
  Traduire();
  // Made the default once every button exists, so that showing the dialog picks no other.
  Default->setDefault(true);
}

void TTestASCIForm::Traduire() {
  using namespace LignesExpASCII;
  auto texte = [](const char* groupe, int ligne, const char* design) {
    return LegendeGroupe(QString::fromLatin1(groupe), ligne, QString::fromUtf8(design));
  };
  setWindowTitle(texte(Groupe, Titre, "ASCII tablature export"));
  BT_Imprimer->setToolTip(texte(Groupe, HintImprimer, "Print"));
  BT_Repaginer->setToolTip(texte(Groupe, HintRepaginer, "Refresh"));
  Rythme->setText(texte(Groupe, LignesExpASCII::Rythme, "Rhythm"));
  QSet<QChar> utilisees;
  BT_Enregistrer->setText(AjouterRaccourci(texte(Groupe, LignesExpASCII::Exporter, "Export"), utilisees));
  BT_Annuler->setText(AjouterRaccourci(texte(LignesDlg::Groupe, LignesDlg::Annuler, "Cancel"), utilisees));
  BT_Aide->setText(AjouterRaccourci(texte(LignesDlg::Groupe, LignesDlg::Aide, "Help"), utilisees));
  Lab_Colonne->setText(AjouterRaccourci(texte(Groupe, Colonnes, "Columns:"), utilisees));
}

void TTestASCIForm::GenererTexte() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QStringList lignes = GenererTexteASCII(Partition, PisteCourante, Configuration.NbColASCII);
  MemoASCII->setPlainText(lignes.join(u'\n'));
  QApplication::restoreOverrideCursor();
  texteConstruit_ = true;
}

void TTestASCIForm::FormActivate() {
  NbCol->setText(QString::number(std::clamp(Configuration.NbColASCII, NB_COL_ASCII_MIN, NB_COL_ASCII_MAX)));
  if (!texteConstruit_) GenererTexte();
  BT_Enregistrer->setFocus();
}

void TTestASCIForm::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FormActivate();
}

void TTestASCIForm::BT_RepaginerClick() {
  const int largeur = LargeurColonnesSaisie(NbCol->text());
  NbCol->setText(QString::number(largeur));
  Configuration.NbColASCII = largeur;
  GenererTexte();
}

void TTestASCIForm::CVBUpClick() {
  NbCol->setText(QString::number(std::min(NbCol->text().toInt() + 1, NB_COL_ASCII_MAX)));
}

void TTestASCIForm::CVBDClick() {
  NbCol->setText(QString::number(std::max(NbCol->text().toInt() - 1, NB_COL_ASCII_MIN)));
}

void TTestASCIForm::Timer1Timer() {
  NbCol->setText(repetition_.Tick(NbCol->text()));
  Timer1->start(repetition_.Intervalle);
}

bool TTestASCIForm::Exporter(const QString& chemin) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ecrit = EcrireFichierTexteASCII(chemin, MemoASCII->toPlainText().split(u'\n'));
  QApplication::restoreOverrideCursor();
  if (!ecrit)
    MessageBoxD(TexteLangue("Dlg-Erreur"), TexteLangue("ASCIIExp-EcritureFichierImpossibleExportAb"), MB_ICONE_ERREUR,
                MB_OK, MB_DEF_OK);
  return ecrit;
}

void TTestASCIForm::BT_EnregistrerClick() {
  const QString reponse =
      NomFichierAEnregistrer(this, SaveDialog3.Title, CheminDansRepertoire(NomExportPropose(QStringLiteral(".tab"), true)),
                             FiltreQt(SaveDialog3.Filter));
  const QString nom = FichierAEcrire(RetenirDossier(reponse), QStringLiteral(".tab"));
  if (!nom.isEmpty() && Exporter(nom)) accept();
}

void TTestASCIForm::BT_ImprimerClick() {
  ImprimerLignesTexte(this, MemoASCII->toPlainText().split(u'\n'), MemoASCII->font(),
                      AnsiToQString(Partition.Titre.view()));
}

bool TTestASCIForm::eventFilter(QObject* o, QEvent* e) {
  if (o == NbCol && e->type() == QEvent::KeyPress) {
    const auto* touche = static_cast<QKeyEvent*>(e);
    const int k = touche->key();
    // The keypad's plus and minus step the width; the main keyboard's are typed characters, which
    // the field refuses.
    const bool pave = touche->modifiers() & Qt::KeypadModifier;
    if (k == Qt::Key_Up || (k == Qt::Key_Plus && pave)) {
      CVBUpClick();
      return true;
    }
    if (k == Qt::Key_Down || (k == Qt::Key_Minus && pave)) {
      CVBDClick();
      return true;
    }
  }
  return QDialog::eventFilter(o, e);
}
