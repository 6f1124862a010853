#include "components/VxImages.h"

#include <QBuffer>
#include <QFile>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <iterator>
#include <optional>
#include <span>

#include "platform/CheckedFile.h"

namespace {
// By image index of the command table.
const char* const kImages[NB_IMAGES_COMMANDES] = {
    "theme:document-new", "theme:document-open", "theme:document-save", "theme:document-properties",
    "theme:document-print", "theme:document-print-preview", "theme:edit-cut", "theme:edit-copy",
    "theme:edit-paste", "theme:list-add", "theme:edit-clear", "edition-tablemix.svg",
    "theme:go-first", "theme:go-previous", "theme:go-jump", "theme:go-next", "theme:go-last",
    "mesure-signature.svg", "mesure-renvoidebut.svg", "mesure-renvoifin.svg", "mesure-repetitions.svg",
    "note-ronde.svg", "note-blanche.svg", "note-noire.svg", "note-croche.svg", "note-dcroche.svg",
    "note-tcroche.svg", "note-qcroche.svg", "note-pointee.svg", "note-accord.svg",
    "theme:accessories-text-editor", "note-etouffee.svg", "note-silence.svg", "note-triolet.svg",
    "note-lier.svg", "temps-inserer.svg", "temps-supprimer.svg", "temps-copierfin.svg", "theme:go-up",
    "theme:go-down", "effet-ho.svg", "effet-po.svg", "effet-slideup.svg", "effet-slidedown.svg",
    "effet-bend.svg", "effet-bendrelease.svg", "effet-letring.svg", "effet-gracenote.svg",
    "effet-ghostnote.svg", "effet-vibmaingauche.svg", "effet-tremolobar.svg", "effet-coupdevibrato.svg",
    "effet-fadein.svg", "effet-tapping.svg", "effet-slap.svg", "effet-pop.svg", "effet-harmnat.svg",
    "effet-harmart.svg", "effet-brushup.svg", "effet-brushdown.svg", "dyna-ppp.svg", "dyna-pp.svg",
    "dyna-p.svg", "dyna-mp.svg", "dyna-mf.svg", "dyna-f.svg", "dyna-ff.svg", "dyna-fff.svg",
    "ass-solfege.svg", "theme:media-skip-backward", "theme:media-playback-start", "son-lecturemesure.svg",
    "theme:media-playback-stop", "theme:view-refresh", "son-metronome.svg", "theme:preferences-system",
    "theme:view-fullscreen",
};

QString Folder(QString f) {
  if (!f.isEmpty() && !f.endsWith('/')) f += '/';
  return f + QStringLiteral("icons/");
}

// The sizes the theme's drawings come in, and where each lies.
constexpr int kTaillesTheme[] = {16, 22, 24, 32};
QString CheminTheme(const QString& programFolder, int taille, const QString& base) {
  return Folder(programFolder) + QStringLiteral("theme/%1/%2.png").arg(taille).arg(base);
}

// The sizes a command's icon holds.
constexpr int kTaillesIcone[] = {16, 20, 22, 24};
}  // namespace

QString CommandImageName(int imageIndex) {
  if (imageIndex < 0 || imageIndex >= NB_IMAGES_COMMANDES) return {};
  return QString::fromLatin1(kImages[imageIndex]);
}

namespace {
// The bytes of an image file, through the checked reader: Qt's readers never open a path of ours,
// so a FIFO, a device or a huge file among the images costs nothing and shows as a missing image.
QByteArray LireImage(const QString& chemin) {
  QByteArray octets;
  ReadFileChecked(chemin, kTailleImageMax, &octets);
  return octets;
}

// A PNG file read by Qt's own reader alone: left to guess, the reader loads and asks every image
// plugin first, which holds up any other thread loading a library meanwhile.
QImage LirePNG(const QString& chemin) {
  QByteArray octets = LireImage(chemin);
  if (octets.isEmpty()) return {};
  QBuffer tampon(&octets);
  QImageReader lecteur(&tampon, "png");
  lecteur.setAutoDetectImageFormat(false);
  return lecteur.read();
}

// The theme's drawing closest to the size, at or above it when there is one; loaded holds the files
// already decoded, by size, so that one icon reads each file once.
QImage ThemeImage(const QString& base, int size, const QString& programFolder, QImage (&loaded)[33]) {
  for (int s : kTaillesTheme)
    if (s >= size || s == 32) {
      if (loaded[s].isNull()) loaded[s] = LirePNG(CheminTheme(programFolder, s, base));
      QImage img = loaded[s];
      if (img.isNull()) continue;
      if (img.width() != size) img = img.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
      return img;
    }
  return {};
}

QImage Render(QSvgRenderer& svg, int size) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  svg.render(&p);
  return img;
}

// Every size of one image, each file read and parsed once.
template <class F>
void EachSize(int imageIndex, std::span<const int> sizes, const QString& programFolder, F&& f) {
  const QString name = CommandImageName(imageIndex);
  if (name.isEmpty()) return;
  if (name.startsWith(QLatin1String("theme:"))) {
    QImage loaded[33];
    for (int s : sizes)
      if (s > 0) f(ThemeImage(name.mid(6), s, programFolder, loaded));
    return;
  }
  const QByteArray octets = LireImage(Folder(programFolder) + name);
  if (octets.isEmpty()) return;
  QSvgRenderer svg(octets);
  if (!svg.isValid()) return;
  for (int s : sizes)
    if (s > 0) f(Render(svg, s));
}
}  // namespace

namespace {
QImage DessinerImage(int imageIndex, int size, const QString& programFolder) {
  QImage r;
  EachSize(imageIndex, std::span<const int>(&size, 1), programFolder, [&](QImage img) { r = std::move(img); });
  return r;
}

std::mutex mutexPreparation;
TImagesPreparees* preparation = nullptr;  // the one running, if any
}  // namespace

TImagesPreparees::TImagesPreparees(std::vector<std::pair<int, int>> imagesEtTailles, QString programFolder)
    : dossier_(std::move(programFolder)), images_(imagesEtTailles.size()) {
  for (size_t i = 0; i < images_.size(); ++i) {
    images_[i].Index = imagesEtTailles[i].first;
    images_[i].Taille = imagesEtTailles[i].second;
    images_[i].Resultat = images_[i].Promesse.get_future();
  }
  {
    std::lock_guard<std::mutex> garde(mutexPreparation);
    if (!preparation) preparation = this;
  }
  // Every promise is kept, drawn or empty, so that nobody waits for ever.
  dessin_ = std::thread([this] {
    for (TImage& im : images_)
      im.Promesse.set_value(arret_ ? QImage() : DessinerImage(im.Index, im.Taille, dossier_));
  });
}

TImagesPreparees::~TImagesPreparees() {
  {
    std::lock_guard<std::mutex> garde(mutexPreparation);
    if (preparation == this) preparation = nullptr;
  }
  arret_ = true;
  dessin_.join();
}

std::optional<QImage> TImagesPreparees::Prendre(int imageIndex, int size, const QString& programFolder) {
  if (programFolder != dossier_) return std::nullopt;
  TImage* trouvee = nullptr;
  {
    std::lock_guard<std::mutex> garde(mutex_);
    for (TImage& im : images_)
      if (!im.Prise && im.Index == imageIndex && im.Taille == size) {
        im.Prise = true;
        trouvee = &im;
        break;
      }
  }
  if (!trouvee) return std::nullopt;
  return trouvee->Resultat.get();
}

QImage CommandImage(int imageIndex, int size, const QString& programFolder) {
  {
    std::lock_guard<std::mutex> garde(mutexPreparation);
    if (preparation)
      if (std::optional<QImage> r = preparation->Prendre(imageIndex, size, programFolder)) return std::move(*r);
  }
  return DessinerImage(imageIndex, size, programFolder);
}

namespace {
// A command's icon, drawn when first asked: the window can show before all its icons are made, and
// a size the toolbar never shows is never drawn. A size of the four is drawn alone, any other
// request makes the whole icon; both give the pixmaps the plain four-size icon gives.
class TCommandIconEngine : public QIconEngine {
 public:
  TCommandIconEngine(int imageIndex, QString programFolder) : index_(imageIndex), folder_(std::move(programFolder)) {}

  void paint(QPainter* p, const QRect& r, QIcon::Mode mode, QIcon::State state) override {
    Entiere().paint(p, r, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Entiere().actualSize(size, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return PourTaille(size).pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return (scale == 1.0 ? PourTaille(size) : Entiere()).pixmap(size, scale, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Entiere().availableSizes(mode, state);
  }
  // Without drawing anything or asking the disk again: CommandIcon makes this engine only for an
  // image whose file is there, and Qt asks this often.
  bool isNull() override { return false; }
  QString key() const override { return QStringLiteral("VexoCommandIcon"); }
  QIconEngine* clone() const override { return new TCommandIconEngine(*this); }

 private:
  const QIcon& Entiere() {
    if (!entiere_) {
      entiere_ = QIcon();
      EachSize(index_, kTaillesIcone, folder_, [&](const QImage& img) {
        if (!img.isNull()) entiere_->addPixmap(QPixmap::fromImage(img));
      });
    }
    return *entiere_;
  }
  const QIcon& PourTaille(const QSize& size) {
    if (entiere_ || size.width() != size.height()) return Entiere();
    for (size_t i = 0; i < std::size(kTaillesIcone); ++i)
      if (kTaillesIcone[i] == size.width()) {
        if (!seules_[i]) {
          seules_[i] = QIcon();
          const QImage img = CommandImage(index_, size.width(), folder_);
          if (!img.isNull()) seules_[i]->addPixmap(QPixmap::fromImage(img));
        }
        return *seules_[i];
      }
    return Entiere();
  }

  int index_;
  QString folder_;
  std::optional<QIcon> entiere_;
  std::optional<QIcon> seules_[std::size(kTaillesIcone)];
};
}  // namespace

bool ImageFileExists(int imageIndex, const QString& programFolder) {
  const QString name = CommandImageName(imageIndex);
  if (name.isEmpty()) return false;
  if (!name.startsWith(QLatin1String("theme:"))) return QFile::exists(Folder(programFolder) + name);
  for (int s : kTaillesTheme)
    if (QFile::exists(CheminTheme(programFolder, s, name.mid(6)))) return true;
  return false;
}

QIcon CommandIcon(int imageIndex, const QString& programFolder) {
  if (!ImageFileExists(imageIndex, programFolder)) return {};
  return QIcon(new TCommandIconEngine(imageIndex, programFolder));
}
