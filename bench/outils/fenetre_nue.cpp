// The floor under the editor's start-up: a bare QMainWindow built with the same flags, reporting its
// first paint the way the editor's start-up probe does ("peint", then "rss <kB>"). With "menus", its
// menu bar holds the editor's ten menu titles (the first text on screen sets up the fonts); with
// "splash" too, a splash window of the editor's size is shown and painted before the main window is
// made, as the editor's start-up does.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>

#include "components/PremierePeinture.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  struct Splash : QWidget {
    QImage image{279, 176, QImage::Format_RGB32};
    Splash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
      image.fill(QColor(24, 40, 84));
      setFixedSize(image.size());
    }
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, image); }
  } splash;
  if (mode.contains(QLatin1String("splash"))) {
    splash.show();
    splash.repaint();
    QApplication::processEvents();
  }
  QMainWindow w;
  w.resize(800, 600);
  if (mode.contains(QLatin1String("menus")))
    for (const char* m : {"&File", "&Edit", "&Track", "&Bar", "&Note", "Effe&cts", "&Assistants", "&Sound", "&Display", "&Help"})
      w.menuBar()->addMenu(QString::fromLatin1(m));
  new TPremierePeinture(&w, SignalerPremierePeinture, SignalerMemoireEtQuitter);
  w.show();
  return app.exec();
}
