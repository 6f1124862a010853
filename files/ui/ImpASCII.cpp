#include "files/ui/ImpASCII.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "components/DialogueNomFichier.h"
#include "editor/state/EtatEdition.h"
#include "files/FileCommands.h"
#include "files/TablatureASCII.h"
#include "files/ui/FichierPDF.h"
#include "platform/Canvas.h"
#include "settings/Aide.h"
#include "settings/Config.h"
#include "settings/Langue.h"
#include "settings/LignesLangue.h"
#include "settings/Mess.h"
#include "settings/ui/Traduction.h"
#include "view/ImpressionPartition.h"
#include "view/SystemeImpression.h"

QFont PoliceTablature() {
  QFont f(SubstituerPolice(QStringLiteral("Courier New")), 10);
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  return f;
}

bool ImprimerLignesTexte(QWidget* parent, const QStringList& lignes, const QFont& police, const QString& titre) {
  QPrinter imprimante(QPrinter::HighResolution);
  imprimante.setDocName(titre);
  if (SystemeImpression().Imprimantes().isEmpty()) {
    // No printer on this machine: the pages go to a PDF file instead.
    const QString nom = DemanderFichierPDF(parent, titre, QFileInfo(titre).completeBaseName());
    if (nom.isEmpty()) return false;
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(nom);
  } else {
    QPrintDialog dialogue(&imprimante, parent);
    // Printers only: the dialog's own file choice would open the name it is given to try it, and
    // wait there on a FIFO. A file is asked for where there is no printer, as above.
    dialogue.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialogue.exec() != QDialog::Accepted) return false;
  }
  return ImprimerLignesTexte(imprimante, lignes, police);
}

bool ImprimerLignesTexte(QPrinter& printer, const QStringList& lignes, const QFont& police) {
  if (!ImprimantePrete(printer)) return false;
  TFichierImpression fichier(printer);
  if (!fichier.Pret()) return false;
  QPrinter& imprimante = fichier.Imprimante();
  QPainter p;
  if (!p.begin(&imprimante)) return false;
  QFont f(police);
  p.setFont(f);
  const QFontMetrics fm(f, &imprimante);
  const int hauteurLigne = std::max(1, fm.lineSpacing());
  const QRect page = imprimante.pageLayout().paintRectPixels(imprimante.resolution());
  int y = 0;
  bool ok = true;
  for (const QString& l : lignes) {
    if (y > 0 && y + hauteurLigne > page.height()) {
      ok = imprimante.newPage() && ok;
      y = 0;
    }
    p.drawText(0, y + fm.ascent(), l);
    y += hauteurLigne;
  }
  ok = p.end() && ok;
  return fichier.Terminer(true, ok) && ok && TravailRecu(printer);
}

// A small quarter note, the picture before the dash count.
static QPixmap ImageNoire() {
  QPixmap pm(12, 20);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::black);
  p.setBrush(Qt::black);
  p.drawEllipse(QRectF(1, 13, 7, 5));
  p.drawLine(QPointF(7.5, 15), QPointF(7.5, 2));
  return pm;
}

TImpASCIIForm::TImpASCIIForm(QWidget* parent) : QDialog(parent) {
  setObjectName("ImpASCIIForm");
  MemoASCII = new QPlainTextEdit(this);
  MemoASCII->setObjectName("MemoASCII");
  MemoASCII->setFont(PoliceTablature());
  MemoASCII->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoASCII->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemoASCII->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemoASCII->installEventFilter(this);

  BT_Ouvrir = new QToolButton(this);
  BT_Ouvrir->setObjectName("BT_Ouvrir");
  BT_Ouvrir->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  BT_Imprimer = new QToolButton(this);
  BT_Imprimer->setObjectName("BT_Imprimer");
  BT_Imprimer->setIcon(QIcon::fromTheme("document-print", style()->standardIcon(QStyle::SP_FileDialogDetailedView)));

  Lab_ImporterEn = new QLabel("Import as", this);
  TypeImport = new QComboBox(this);
  TypeImport->setObjectName("TypeImport");
  for (const char* t : {"variable", "half notes", "quarter notes", "eighth notes", "sixteenth notes"})
    TypeImport->addItem(t);
  Lab_ImporterEn->setBuddy(TypeImport);
  Image1 = new QLabel(this);
  Image1->setPixmap(ImageNoire());
  Label1 = new QLabel(":", this);
  NbTirets = new QComboBox(this);
  NbTirets->setObjectName("NbTirets");
  for (int i = 1; i <= 8; ++i) NbTirets->addItem(QString::number(i));
  InfoImp = new QLabel("Note: the import goes into the current track.", this);
  InfoImp->setStyleSheet("color: blue; font-style: italic;");

  // The time signature lists stay hidden: the import takes the song's own measures.
  Lab_Sign = new QLabel(this);
  Label2 = new QLabel("/", this);
  SignImpNum = new QComboBox(this);
  for (int i = 1; i <= 32; ++i) SignImpNum->addItem(QString::number(i));
  SignImpDen = new QComboBox(this);
  for (int d : {1, 2, 4, 8, 16, 32}) SignImpDen->addItem(QString::number(d));
  for (QWidget* w : std::initializer_list<QWidget*>{Lab_Sign, Label2, SignImpNum, SignImpDen}) w->hide();

  BT_Importer = new QPushButton("Import", this);
  BT_Importer->setObjectName("BT_Importer");
  BT_Importer->setDefault(true);
  BT_Annuler = new QPushButton("Cancel", this);
  BT_Annuler->setObjectName("BT_Annuler");
  BT_Aide = new QPushButton("Help", this);
  BT_Aide->setObjectName("BT_Aide");

  auto* haut = new QHBoxLayout;
  haut->addWidget(BT_Ouvrir);
  haut->addWidget(BT_Imprimer);
  haut->addSpacing(16);
  haut->addWidget(Lab_ImporterEn);
  haut->addWidget(TypeImport);
  haut->addSpacing(8);
  haut->addWidget(Image1);
  haut->addWidget(Label1);
  haut->addWidget(NbTirets);
  haut->addStretch();
  auto* bas = new QHBoxLayout;
  bas->addWidget(InfoImp);
  bas->addStretch();
  bas->setSpacing(8);
  bas->addWidget(BT_Importer);
  bas->addWidget(BT_Annuler);
  bas->addWidget(BT_Aide);
  auto* tout = new QVBoxLayout(this);
  tout->addLayout(haut);
  tout->addWidget(MemoASCII, 1);
  tout->addLayout(bas);
  tout->setContentsMargins(8, 8, 12, 8);

  connect(BT_Importer, &QPushButton::clicked, this, &TImpASCIIForm::BT_ImporterClick);
  connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(BT_Aide, &QPushButton::clicked, this, [] { OuvrirAide(QStringLiteral("ImpASCII")); });
  connect(BT_Ouvrir, &QToolButton::clicked, this, [this] { OuvrirFichierASCII(); });
  connect(BT_Imprimer, &QToolButton::clicked, this, &TImpASCIIForm::BT_ImprimerClick);
  connect(TypeImport, &QComboBox::currentIndexChanged, this, &TImpASCIIForm::TypeImportChange);
  connect(NbTirets, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0) Configuration.NbTirets = i;
  });
  connect(SignImpNum, &QComboBox::currentIndexChanged, this, [](int i) { Configuration.SignImpNum = i; });
  connect(SignImpDen, &QComboBox::currentIndexChanged, this, [](int i) { Configuration.SignImpDen = i; });

  resize(qRound(630 * logicalDpiX() / 96.0), qRound(420 * logicalDpiY() / 96.0));
  Traduire();
}

void TImpASCIIForm::Traduire() {
  using namespace LignesImpASCII;
  auto texte = [](int ligne, const char* design) {
    return LegendeGroupe(QString::fromLatin1(Groupe), ligne, QString::fromUtf8(design));
  };
  titre_ = texte(Titre, "ASCII tablature import");
  setWindowTitle(NomFichier.isEmpty() ? titre_ : QFileInfo(NomFichier).fileName() + " - " + titre_);
  texteErreur_ = texte(Erreur, "The file cannot be read.");
  BT_Ouvrir->setToolTip(texte(HintOuvrir, "Open a file"));
  BT_Imprimer->setToolTip(texte(HintImprimer, "Print"));
  InfoImp->setText(texte(Info, "Note: the import goes into the current track."));
  const QSignalBlocker bloque(TypeImport);
  const int choix = TypeImport->currentIndex();
  static const char* const types[] = {"variable", "half notes", "quarter notes", "eighth notes", "sixteenth notes"};
  TypeImport->clear();
  for (int i = TypePremier; i <= TypeDernier; ++i) TypeImport->addItem(texte(i, types[i - TypePremier]));
  TypeImport->setCurrentIndex(choix);
  QSet<QChar> utilisees;
  BT_Importer->setText(AjouterRaccourci(texte(Importer, "Import"), utilisees));
  const QString dlg = QString::fromLatin1(LignesDlg::Groupe);
  BT_Annuler->setText(AjouterRaccourci(LegendeGroupe(dlg, LignesDlg::Annuler, QStringLiteral("Cancel")), utilisees));
  BT_Aide->setText(AjouterRaccourci(LegendeGroupe(dlg, LignesDlg::Aide, QStringLiteral("Help")), utilisees));
  Lab_ImporterEn->setText(AjouterRaccourci(texte(ImporterEn, "Import as"), utilisees));
}

void TImpASCIIForm::FormActivate() {
  const QSignalBlocker b1(TypeImport), b2(NbTirets);
  TypeImport->setCurrentIndex(std::clamp(Configuration.TypeImport, 0, TypeImport->count() - 1));
  NbTirets->setCurrentIndex(std::clamp(Configuration.NbTirets, 0, NbTirets->count() - 1));
  SignImpNum->setCurrentIndex(std::clamp(Configuration.SignImpNum, 0, SignImpNum->count() - 1));
  SignImpDen->setCurrentIndex(std::clamp(Configuration.SignImpDen, 0, SignImpDen->count() - 1));
  RegleTirets();
}

void TImpASCIIForm::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FormActivate();
}

void TImpASCIIForm::RegleTirets() {
  const QSignalBlocker bloque(NbTirets);
  const bool variable = TypeImport->currentIndex() <= IMPORT_VARIABLE;
  NbTirets->setEnabled(variable);
  NbTirets->setCurrentIndex(variable ? std::clamp(Configuration.NbTirets, 0, NbTirets->count() - 1) : -1);
}

void TImpASCIIForm::TypeImportChange() {
  if (TypeImport->currentIndex() >= 0) Configuration.TypeImport = TypeImport->currentIndex();
  RegleTirets();
}

bool TImpASCIIForm::LireTexte() {
  const int type = std::clamp(Configuration.TypeImport, 0, 4);
  lu_ = LireTablatureASCII(LignesTexteASCII(MemoASCII->toPlainText()), type, Configuration.NbTirets + 1,
                           Partition.NbCordes[PisteCourante]);
  // A text with nothing the parser could read would empty the track in every measure.
  if (lu_->Mesures.empty()) lu_.reset();
  return lu_.has_value();
}

bool TImpASCIIForm::ImporterTablature() {
  // The text read when Import was pressed, or read now.
  if (!lu_ && !LireTexte()) return false;
  ImporterTablatureASCII(*lu_);
  lu_.reset();
  return true;
}

void TImpASCIIForm::BT_ImporterClick() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool lisible = LireTexte();
  QApplication::restoreOverrideCursor();
  if (!lisible) {
    // Said here, the dialog still open on the text: the song is not touched.
    MessageBoxD(TexteLangue("Dlg-Erreur"), TexteLangue("ASCIIImp-AucunePortee"), MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
    MemoASCII->setFocus();
    return;
  }
  accept();
}

bool TImpASCIIForm::OuvrirFichierASCII() {
  const QString nom = NomFichierAOuvrir(this, OpenDialog3.Title, Repertoire, FiltreQt(OpenDialog3.Filter), {});
  if (nom.isEmpty()) return false;
  RetenirDossier(nom);
  return ChargerFichier(nom);
}

bool TImpASCIIForm::ChargerFichier(const QString& chemin) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QString texte;
  const bool lu = LireFichierTexteASCII(chemin, texte);
  QApplication::restoreOverrideCursor();
  if (!lu) {
    MessageBoxD(TexteLangue("Dlg-Erreur"), texteErreur_, MB_ICONE_ERREUR, MB_OK, MB_DEF_OK);
    return false;
  }
  MemoASCII->setPlainText(texte);
  NomFichier = chemin;
  setWindowTitle(QFileInfo(chemin).fileName() + " - " + titre_);
  return true;
}

void TImpASCIIForm::BT_ImprimerClick() {
  ImprimerLignesTexte(this, MemoASCII->toPlainText().split(u'\n'), MemoASCII->font(), QFileInfo(NomFichier).fileName());
}

bool TImpASCIIForm::eventFilter(QObject* o, QEvent* e) {
  // Return in the text presses the default button; Ctrl+Return adds a line.
  if (o == MemoASCII && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      if (k->modifiers() & Qt::ControlModifier)
        MemoASCII->insertPlainText(QStringLiteral("\n"));
      else
        BT_Importer->click();
      return true;
    }
  }
  return QDialog::eventFilter(o, e);
}
