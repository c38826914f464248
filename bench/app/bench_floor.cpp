// The floor the player's start-up and memory are measured against: a bare Qt window of the main
// window's size with one button, built from nothing but the toolkit the player uses. It shows
// the window, waits the given seconds (3 by default), prints its proportional set size and ends.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "pss.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 3;
  QPushButton window(QStringLiteral("Play"));
  window.setWindowTitle(QStringLiteral("Bare Qt window"));
  window.resize(330, 495);
  window.show();
  QTimer::singleShot(seconds * 1000, [] {
    std::printf("bare Qt window: pss %ld kB\n", PssKilobytes());
    QCoreApplication::quit();
  });
  return QApplication::exec();
}
