#include <QApplication>

#include "main_window.h"
#include "start_up.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Closing the main window ends the program even while other windows are open.
  QApplication::setQuitOnLastWindowClosed(false);
  qrv::ApplicationWindows windows;
  QObject::connect(&windows.MainForm(), &qrv::TForm1::Closed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  return QApplication::exec();
}
