#include <QApplication>
#include <QMainWindow>

#include "editor/Saisie.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow w;
  w.setWindowTitle("Strumquill 2.2 - ");
  w.setMinimumSize(433, 315);
  NouvellePartition();
  w.show();
  return app.exec();
}
