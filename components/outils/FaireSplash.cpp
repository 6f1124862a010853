// Draws the splash picture once, at build time, into the GIF file that the program shows at
// start-up: drawing it needs the fonts, and setting those up would hold the splash screen back.
#include <QGuiApplication>
#include <cstdio>

#include "components/SplashGIF.h"
#include "platform/CheckedFile.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <splash.gif>\n", argv[0]);
    return 2;
  }
  const std::vector<uint8_t> gif = SplashGIFBytes();
  QString erreur;
  if (!WriteFileChecked(QString::fromLocal8Bit(argv[1]), reinterpret_cast<const char*>(gif.data()),
                        static_cast<qint64>(gif.size()), &erreur)) {
    std::fprintf(stderr, "%s\n", qPrintable(erreur));
    return 1;
  }
  return 0;
}
