#include "dialogs/Classiq.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

#include "components/FenetresOutils.h"
#include "dialogs/MainWindowKeys.h"
#include "editor/Actions.h"
#include "editor/Assistants.h"
#include "editor/Curseur.h"
#include "editor/state/EtatEdition.h"
#include "editor/state/EtatProgramme.h"
#include "editor/Saisie.h"
#include "editor/state/VueEditeur.h"
#include "editor/EditZoneModel.h"
#include "platform/Canvas.h"
#include "settings/Config.h"
#include "settings/Langue.h"

TClassForm* ClassForm = nullptr;

namespace {

// Staff positions of the key-signature signs, in order.
constexpr int SOL_BEMOLS[7] = {34, 37, 33, 36, 32, 35, 31}, SOL_DIESES[7] = {38, 35, 39, 36, 33, 37, 34};
constexpr int FA_BEMOLS[7] = {20, 23, 19, 22, 18, 21, 17}, FA_DIESES[7] = {24, 21, 25, 22, 19, 23, 20};

constexpr TColor GRIS = 0xC0C0C0;

// The signs: a few lines of one pixel around (x, y), the note's centre line.
void Diese(TCanvas& c, int x, int y) {
  c.MoveTo(x + 2, y - 7);
  c.LineTo(x + 2, y + 8);
  c.MoveTo(x + 5, y - 8);
  c.LineTo(x + 5, y + 7);
  c.MoveTo(x, y - 1);
  c.LineTo(x + 8, y - 3);
  c.MoveTo(x, y + 3);
  c.LineTo(x + 8, y + 1);
}

void Bemol(TCanvas& c, int x, int y) {
  c.MoveTo(x + 1, y - 10);
  c.LineTo(x + 1, y + 4);
  c.MoveTo(x + 2, y - 1);
  c.LineTo(x + 5, y - 1);
  c.LineTo(x + 6, y + 1);
  c.LineTo(x + 2, y + 4);
}

void Becarre(TCanvas& c, int x, int y) {
  c.MoveTo(x + 1, y - 8);
  c.LineTo(x + 1, y + 4);
  c.MoveTo(x + 6, y - 4);
  c.LineTo(x + 6, y + 8);
  c.MoveTo(x + 1, y - 2);
  c.LineTo(x + 7, y - 4);
  c.MoveTo(x + 1, y + 3);
  c.LineTo(x + 7, y + 1);
}

void Signe(TCanvas& c, int alteration, int x, int y) {
  if (alteration == ALT_DIESE) Diese(c, x, y);
  if (alteration == ALT_BEMOL) Bemol(c, x, y);
  if (alteration == ALT_BECARRE) Becarre(c, x, y);
}

// The staff image (the canvas over at least 100 x 222 pixels): the lines of the shown staves,
// the key signature, the notes.
void DessinerPortee(TCanvas& c, int largeur, int hauteur, int armure, bool cleSol, bool cleFa,
                    const std::vector<TNotePortee>& notes) {
  c.Brush.Color = clWhite;
  c.Brush.Style = TBrushStyle::bsSolid;
  c.FillRect(0, 0, largeur, hauteur);
  c.Pen.Width = 1;
  c.Pen.Style = TPenStyle::psSolid;
  for (int i = 0; i <= 23; ++i) {
    const int y = 12 + 8 * i;
    const bool sol = i >= 6 && i <= 10, fa = i >= 12 && i <= 16;
    if ((sol && cleSol) || (fa && cleFa)) {
      c.Pen.Color = clBlack;
      c.MoveTo(0, y);
      c.LineTo(largeur, y);
    } else if (i <= 22) {
      c.Pen.Color = GRIS;
      c.MoveTo(63, y);
      c.LineTo(78, y);
    }
  }
  c.Pen.Color = clBlack;
  const int a = std::clamp(armure, -7, 7);
  for (int n = 1; n <= std::abs(a); ++n) {
    const int alt = a > 0 ? ALT_DIESE : ALT_BEMOL;
    if (cleSol) Signe(c, alt, 5 * n, YPosition((a > 0 ? SOL_DIESES : SOL_BEMOLS)[n - 1]));
    if (cleFa) Signe(c, alt, 5 * n, YPosition((a > 0 ? FA_DIESES : FA_BEMOLS)[n - 1]));
  }
  c.Brush.Color = clBlack;
  for (const TNotePortee& n : notes) {
    const int y = YPosition(n.Position);
    c.Ellipse(n.X - 3, y - 3, n.X + 4, y + 4);
    Signe(c, n.Alteration, n.X - 15, y);
  }
}

constexpr int LARGEUR_IMAGE = 100, HAUTEUR_IMAGE = 222;
}

TImageSolfege::TImageSolfege(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Image1"));
  setFixedSize(LARGEUR_IMAGE, HAUTEUR_IMAGE);
  setMouseTracking(true);
  Image = QImage(LARGEUR_IMAGE, HAUTEUR_IMAGE, QImage::Format_RGB32);
  Image.fill(Qt::white);
}

// The band of the pointed position: white turns yellow, the lines and notes keep their colour.
void TImageSolfege::paintEvent(QPaintEvent*) {
  QImage vue = Image;
  if (PositionAffichee >= POSITION_PORTEE_MIN && PositionAffichee <= POSITION_PORTEE_MAX) {
    const int y0 = std::max(0, 210 - 4 * PositionAffichee), y1 = std::min(vue.height(), 215 - 4 * PositionAffichee);
    for (int y = y0; y < y1; ++y)
      for (int x = 43; x < vue.width(); ++x)
        if (vue.pixel(x, y) == qRgb(255, 255, 255)) vue.setPixel(x, y, qRgb(255, 255, 0));
  }
  QPainter(this).drawImage(0, 0, vue);
}

void TImageSolfege::mouseMoveEvent(QMouseEvent* e) { emit survol(e->position().toPoint().y()); }

void TImageSolfege::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) emit clic(e->position().toPoint().y());
}

void TImageSolfege::leaveEvent(QEvent*) {
  PositionAffichee = -1;
  update();
}

TClassForm::TClassForm(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  SuivreFenetreOutil(this);
  setObjectName(QStringLiteral("ClassForm"));
  setModal(false);
  Image1 = new TImageSolfege(this);
  auto bouton = [this](const char* nom, const QString& texte, bool cochable) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(nom));
    b->setText(texte);
    b->setCheckable(cochable);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(18, 20);
    return b;
  };
  auto etiquette = [this](const char* nom, const QString& texte) {
    auto* l = new QLabel(texte, this);
    l->setObjectName(QString::fromLatin1(nom));
    l->setAlignment(Qt::AlignCenter);
    return l;
  };
  Img_Clef_Sol = etiquette("Img_Clef_Sol", QStringLiteral("G"));
  Img_Clef_Fa = etiquette("Img_Clef_Fa", QStringLiteral("F"));
  Img_Clef_Acco = etiquette("Img_Clef_Acco", QStringLiteral("G F"));
  TonDown = bouton("TonDown", QStringLiteral("<"), false);
  TonUp = bouton("TonUp", QStringLiteral(">"), false);
  NomTon = etiquette("NomTon", QStringLiteral("C"));
  BT_Diese = bouton("BT_Diese", QStringLiteral("#"), true);
  BT_Bemol = bouton("BT_Bemol", QStringLiteral("b"), true);
  BT_Becarre = bouton("BT_Becarre", QString(QChar(0x266E)), true);
  BT_ClefSol = bouton("BT_ClefSol", QStringLiteral("G"), true);
  BT_ClefFa = bouton("BT_ClefFa", QStringLiteral("F"), true);
  BT_ClefSol->setChecked(Configuration.CleSol);
  BT_ClefFa->setChecked(Configuration.CleFA || !Configuration.CleSol);

  auto* panneau = new QGridLayout;
  panneau->setSpacing(1);
  panneau->addWidget(Img_Clef_Sol, 0, 0, 1, 2);
  panneau->addWidget(Img_Clef_Fa, 0, 0, 1, 2);
  panneau->addWidget(Img_Clef_Acco, 0, 0, 1, 2);
  panneau->addWidget(TonDown, 1, 0);
  panneau->addWidget(TonUp, 1, 1);
  panneau->addWidget(NomTon, 2, 0, 1, 2);
  panneau->addWidget(BT_Diese, 3, 0);
  panneau->addWidget(BT_Bemol, 3, 1);
  panneau->addWidget(BT_Becarre, 4, 0);
  panneau->addWidget(BT_ClefSol, 5, 0);
  panneau->addWidget(BT_ClefFa, 5, 1);
  panneau->setRowStretch(6, 1);
  auto* corps = new QHBoxLayout(this);
  corps->setContentsMargins(0, 0, 0, 0);
  corps->setSpacing(0);
  corps->addWidget(Image1);
  corps->addLayout(panneau);
  setFixedSize(138, HAUTEUR_IMAGE);

  connect(Image1, &TImageSolfege::survol, this, &TClassForm::Image1MouseMove);
  connect(Image1, &TImageSolfege::clic, this, &TClassForm::Image1Click);
  connect(TonUp, &QToolButton::clicked, this, &TClassForm::TonUpClick);
  connect(TonDown, &QToolButton::clicked, this, &TClassForm::TonDownClick);
  // One accidental at most is down; all may be up.
  for (QToolButton* b : {BT_Diese, BT_Bemol, BT_Becarre})
    connect(b, &QToolButton::toggled, this, [this, b](bool bas) {
      if (!bas) return;
      for (QToolButton* autre : {BT_Diese, BT_Bemol, BT_Becarre})
        if (autre != b) autre->setChecked(false);
    });
  for (QToolButton* b : {BT_ClefSol, BT_ClefFa})
    connect(b, &QToolButton::clicked, this, [this, b] { BT_ClefClick(b); });
  BT_ClefClick(nullptr);
  Traduire();
}

void TClassForm::Traduire() {
  // The window bears the caption of the command that shows it, as the command table gives it.
  const TDefAction& d = TableActions[static_cast<size_t>(IndiceMembre(&TPointeursActions::Ac_Ass_Solfege))];
  setWindowTitle(LegendeGroupe(QStringLiteral("MN_000"), d.LigneMenu, QString::fromUtf8(d.Caption)));
}

void TClassForm::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  if (e->type() == QEvent::LanguageChange) Traduire();
}

int TClassForm::AlterationChoisie() const {
  if (BT_Diese->isChecked()) return ALT_DIESE;
  if (BT_Bemol->isChecked()) return ALT_BEMOL;
  if (BT_Becarre->isChecked()) return ALT_BECARRE;
  return ALT_AUCUNE;
}

void TClassForm::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  PositionSouris = -1;
  Image1->PositionAffichee = -1;
  AfficherNotesTemps();
  VueEditeur().NotationAssistantShown(true);
}

void TClassForm::hideEvent(QHideEvent* e) {
  QDialog::hideEvent(e);
  VueEditeur().NotationAssistantShown(false);
}

void TClassForm::AfficherNotesTemps() {
  NomTon->setText(QString::fromLatin1(NomTonalite(Partition.Armure)));
  Notes.clear();
  const TMesure* m = Partition.Courante();
  if (m && PisteCourante >= 1 && PisteCourante <= NB_PISTES && Curseur.Temps >= 1 && Curseur.Temps <= NB_SLOTS_TEMPS)
    Notes = NotesPortee(Partition, PisteCourante, m->Temps[PisteCourante][Curseur.Temps]);
  {
    TCanvas c(&Image1->Image);
    DessinerPortee(c, Image1->Image.width(), Image1->Image.height(), Partition.Armure, BT_ClefSol->isChecked(),
                   BT_ClefFa->isChecked(), Notes);
  }
  Image1->update();
}

void TClassForm::Image1MouseMove(int y) {
  PositionSouris = PositionSousY(y);
  if (PositionSouris != Image1->PositionAffichee && PositionSouris >= POSITION_PORTEE_MIN &&
      PositionSouris <= POSITION_PORTEE_MAX) {
    Image1->PositionAffichee = PositionSouris;
    Image1->update();
  }
}

void TClassForm::Image1Click(int y) {
  PositionSouris = PositionSousY(y);
  // Only the positions the band can show take a click: nothing above or below the staff.
  if (PositionSouris < POSITION_PORTEE_MIN || PositionSouris > POSITION_PORTEE_MAX || !Partition.Courante()) return;
  for (const TNotePortee& n : Notes)
    if (n.Position == PositionSouris) {
      Curseur.Corde = n.Corde;
      TempsSupprimeLie = TempsCourant().Lie;
      EffacerSousCurseur();
      VueEditeur().EditZoneImageChanged();
      VueEditeur().RefreshActions();
      AfficherNotesTemps();
      return;
    }
  const int hauteur = PositionVersHauteur(PositionSouris, Partition.Armure, AlterationChoisie());
  int frette = 0;
  const int corde = CordePourHauteur(Partition, PisteCourante, TempsCourant(), hauteur, frette);
  if (!corde || !PoserNoteCurseur(corde, frette)) return;
  RedessinerTempsSaisi();
  VueEditeur().EditZoneImageChanged();
  if (VueEditeur().PlayWhileEntering() && MIDIDisponible) VueEditeur().PlayCurrentBeat();
  AfficherEtatMesure();
  VueEditeur().RefreshActions();
  AfficherNotesTemps();
}

void TClassForm::TonUpClick() {
  if (Partition.Armure < 7) ++Partition.Armure;
  Modifie = 1;
  AfficherNotesTemps();
}

void TClassForm::TonDownClick() {
  if (Partition.Armure > -7) --Partition.Armure;
  Modifie = 1;
  AfficherNotesTemps();
}

// The two clef buttons toggle their staff, but one of them stays down.
void TClassForm::BT_ClefClick(QToolButton* bouton) {
  if (bouton && !BT_ClefSol->isChecked() && !BT_ClefFa->isChecked()) bouton->setChecked(true);
  const bool sol = BT_ClefSol->isChecked(), fa = BT_ClefFa->isChecked();
  Img_Clef_Acco->setVisible(sol && fa);
  Img_Clef_Sol->setVisible(sol && !fa);
  Img_Clef_Fa->setVisible(fa && !sol);
  Configuration.CleSol = sol;
  Configuration.CleFA = fa;
  AfficherNotesTemps();
}

// Enter moves to the next beat; every other key, Escape too, goes to the main window, as if typed
// there: the assistant closes only from its command or its close box.
void TClassForm::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    CurseurTempsSuivant();
    VueEditeur().EditZoneImageChanged();
    VueEditeur().RefreshActions();
    return;
  }
  PassKeyToMainWindow(this, e);
}

void TClassForm::keyReleaseEvent(QKeyEvent* e) { PassKeyToMainWindow(this, e); }
