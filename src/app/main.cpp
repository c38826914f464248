#include <QApplication>
#include <QDBusConnection>

#include "main_window.h"
#include "mpris_service.h"
#include "runtime/fs/stop_signals.h"
#include "start_up.h"

namespace {

// The name of the desktop entry the program is installed with.
constexpr const char* kDesktopEntry = "org.quorvin.QuorvinPro";

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopEntry));
  // Closing the main window ends the program even while other windows are open.
  QApplication::setQuitOnLastWindowClosed(false);
  // From here on the end of the session is heard; it is acted on once the windows exist.
  qrv::TForm1* main_form = nullptr;
  const auto close_main_form = [&main_form] {
    // The normal way out: the close handler keeps the playlist folder for the next run.
    if (main_form && main_form->isVisible()) main_form->Close();
  };
  qrv::fs::StopSignals stop_signals([&](int) {
    close_main_form();
    QApplication::quit();
  });

  qrv::ApplicationWindows windows;
  main_form = &windows.MainForm();
  QObject::connect(main_form, &qrv::TForm1::Closed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  // The session manager ends the program by quitting the application.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, close_main_form);
  stop_signals.Listen();
  qrv::MprisService mpris(*main_form, QDBusConnection::sessionBus(),
                          QString::fromLatin1(kDesktopEntry));
  return QApplication::exec();
}
