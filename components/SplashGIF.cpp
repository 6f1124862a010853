#include "components/SplashGIF.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include "components/VxBitmap.h"
#include "components/VxGIF.h"
#include "platform/CheckedFile.h"

namespace {
// A dark blue card with six tablature strings, a few fret numbers and the program's name.
QImage DrawSplash() {
  QImage img(kLargeurSplash, kHauteurSplash, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, 0, kHauteurSplash);
  g.setColorAt(0, QColor(24, 40, 84));
  g.setColorAt(1, QColor(8, 14, 34));
  p.fillRect(img.rect(), g);
  p.setPen(QColor(170, 180, 200));
  for (int i = 0; i < 6; ++i) p.drawLine(16, 88 + 12 * i, 263, 88 + 12 * i);
  p.drawLine(16, 88, 16, 148);
  p.drawLine(263, 88, 263, 148);
  QFont small(QStringLiteral("Arial"));
  small.setPixelSize(10);
  small.setBold(true);
  p.setFont(small);
  const int frets[][2] = {{40, 3}, {70, 5}, {100, 7}, {130, 5}, {160, 8}, {190, 7}, {220, 5}, {245, 3}};
  for (int k = 0; k < 8; ++k) {
    const int s = k % 6, y = 88 + 12 * s;
    p.fillRect(frets[k][0] - 5, y - 5, 11, 11, QColor(16, 26, 58));
    p.setPen(QColor(255, 214, 90));
    p.drawText(QRect(frets[k][0] - 5, y - 6, 11, 12), Qt::AlignCenter, QString::number(frets[k][1]));
  }
  QFont title(QStringLiteral("Arial"));
  title.setPixelSize(44);
  title.setBold(true);
  p.setFont(title);
  p.setPen(QColor(240, 244, 255));
  p.drawText(QRect(0, 14, kLargeurSplash, 60), Qt::AlignCenter, QStringLiteral("Strumquill"));
  return img;
}

// The picture as a one-frame GIF whose pixels are known, not yet encoded.
TGIFImage GIFSplash() {
  const TPaletteImage reduced = ReduceImage(DrawSplash(), TReductionMethod::Histogram, 256);
  TGIFImage gif;
  gif.Version = 2;
  for (uint32_t c : reduced.Palette)
    gif.GlobalColours.push_back({static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)});
  // The last entry is the background: a colour the picture does not use when it has fewer than 256.
  gif.Background = gif.GlobalColours[255].Couleur();
  TGIFFrame f;
  f.Width = reduced.Width;
  f.Height = reduced.Height;
  f.Interlaced = true;
  f.BitsPerPixel = 8;
  f.Colours = gif.GlobalColours;
  f.Pixels = reduced.Indexes;
  f.Decoded = true;
  gif.Frames.push_back(std::move(f));
  gif.Current = 0;
  return gif;
}
}  // namespace

std::vector<uint8_t> SplashGIFBytes() {
  TGIFImage gif = GIFSplash();
  TGIFFrame& f = gif.Frames[0];
  f.Data = EncodeLZW(f.Pixels, f.Width, f.Height, 8, true);
  f.Pixels.clear();
  f.Decoded = false;
  return gif.SaveToBytes();
}

QImage SplashPicture(const QString& programFolder) {
  QByteArray octets;
  if (ReadFileChecked(programFolder + QStringLiteral("splash.gif"), kTailleSplashMax, &octets) == EFileRead::Ok) {
    try {
      TGIFImage gif;
      // Read without decoding: a frame of any other size is never decoded, whatever size it declares.
      gif.LoadFromBytes(std::span(reinterpret_cast<const uint8_t*>(octets.constData()), octets.size()), false);
      if (!gif.Frames.empty() && gif.Frames[0].Width == kLargeurSplash && gif.Frames[0].Height == kHauteurSplash) {
        QImage image = gif.Bitmap();
        if (image.size() == QSize(kLargeurSplash, kHauteurSplash)) return image;
      }
    } catch (const std::exception&) {  // a damaged file: the picture is drawn instead
    }
  }
  // The GIF's own pixels and palette, without encoding and decoding them on the way to the screen.
  return GIFSplash().Bitmap();
}
