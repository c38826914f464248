#include <QApplication>
#include <QDBusConnection>
#include <cstdlib>

#include "main_window.h"
#include "mpris_service.h"
#include "runtime/fs/stop_signals.h"
#include "start_up.h"

namespace {

// The name of the desktop entry the program is installed with.
constexpr const char* kDesktopEntry = "org.quorvin.QuorvinPro";

// The main window from its creation until the event loop has ended.
qrv::TForm1* g_main_form = nullptr;

// The normal way out, for every way a session ends: the close handler keeps the playlist folder
// for the next run.
void CloseMainForm() {
  if (g_main_form && g_main_form->isVisible()) g_main_form->Close();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopEntry));
  // Closing the main window ends the program even while other windows are open.
  QApplication::setQuitOnLastWindowClosed(false);
  // SIGTERM, SIGINT and SIGHUP are heard from here on, and acted on once the windows exist.
  qrv::fs::StopSignals stop_signals([](int) {
    CloseMainForm();
    QApplication::quit();
  });

  qrv::ApplicationWindows windows;
  g_main_form = &windows.MainForm();
  QObject::connect(g_main_form, &qrv::TForm1::Closed, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  // The session manager ends the program by quitting the application.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &CloseMainForm);
  // When the display goes away (the X server ending with the session) the platform leaves
  // through exit() from inside the event loop; the window is still closed on the way out.
  std::atexit(CloseMainForm);
  stop_signals.Listen();
  qrv::MprisService mpris(*g_main_form, QDBusConnection::sessionBus(),
                          QString::fromLatin1(kDesktopEntry));
  const int code = QApplication::exec();
  g_main_form = nullptr;
  return code;
}
