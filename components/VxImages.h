#pragma once
// The images of the commands, by image index: common ones from the icon theme the build copies
// into the program folder (icons/theme/<size>/<name>.png), music ones drawn for this program as
// small SVG files (icons/<name>.svg). Loaded as files, never through the desktop's theme.
#include <QIcon>
#include <QImage>
#include <QString>
#include <atomic>
#include <optional>
#include <future>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

inline constexpr int NB_IMAGES_COMMANDES = 77;
// The largest image file read. The images are at most 32 pixels a side: such a PNG holds under
// 5 KB of pixels even uncompressed, and the program's SVG drawings are under 1 KB each.
inline constexpr qint64 kTailleImageMax = qint64(256) << 10;

// The file name of an image without folder: "theme:document-new" or "note-noire.svg"; empty
// for an index without image.
QString CommandImageName(int imageIndex);
// The image at a pixel size (16 on the toolbar), drawn from the files under folder/icons;
// null when the index has none or its file is missing.
QImage CommandImage(int imageIndex, int size, const QString& programFolder);
// Whether the image's file is in the program folder (an SVG file, or a theme drawing at some size).
bool ImageFileExists(int imageIndex, const QString& programFolder);
// The icon of a command with the sizes the buttons use (16, 20, 22, 24), null when the image's file
// is missing. Each size is drawn the first time it is shown.
QIcon CommandIcon(int imageIndex, const QString& programFolder);

// The images a window's first paint shows, drawn beside the GUI thread from the moment this is
// made (image index and pixel size, in the order the paint asks for them). CommandImage hands each
// one over once, waiting for it if need be, instead of drawing it again. The drawing stops and its
// thread ends when the object goes; CommandImage then draws as usual.
class TImagesPreparees {
 public:
  TImagesPreparees(std::vector<std::pair<int, int>> imagesEtTailles, QString programFolder);
  ~TImagesPreparees();
  TImagesPreparees(const TImagesPreparees&) = delete;
  TImagesPreparees& operator=(const TImagesPreparees&) = delete;

  // The prepared image, or nothing when this one was not asked for or was already handed over.
  std::optional<QImage> Prendre(int imageIndex, int size, const QString& programFolder);

 private:
  struct TImage {
    int Index, Taille;
    std::promise<QImage> Promesse;
    std::future<QImage> Resultat;
    bool Prise = false;
  };
  QString dossier_;
  std::vector<TImage> images_;
  std::mutex mutex_;
  std::atomic<bool> arret_{false};
  std::thread dessin_;
};
