#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <cstdlib>

#include "command_line.h"
#include "display_setup.h"
#include "handed_path.h"
#include "main_window.h"
#include "mpris_service.h"
#include "runtime/guard.h"
#include "runtime/os/stop_signals.h"
#include "single_instance.h"
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
  if (const auto code = qrv::AnswerInfoOptions(argc, argv)) return *code;
  qrv::PreferPlainImageTransfer();
  QApplication app(argc, argv);
  // Qt has taken its own options out of argv by now.
  const qrv::CommandLine command_line = qrv::ReadCommandLine(argc, argv);
  if (command_line.exit_code) return *command_line.exit_code;
  // A player already running in this session takes the file, and this start ends.
  if (qrv::HandToRunningPlayer(QDBusConnection::sessionBus(),
                               QFile::encodeName(QDir::currentPath()), command_line.argument)) {
    return 0;
  }
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopEntry));
  // Closing the main window ends the program even while other windows are open.
  QApplication::setQuitOnLastWindowClosed(false);
  // SIGTERM, SIGINT and SIGHUP are heard from here on, and acted on once the windows exist.
  qrv::os::StopSignals stop_signals([](int) {
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
  // The file named on the command line opens once the message loop runs, so that an error box
  // about it is shown over the finished window.
  if (!command_line.argument.isEmpty()) {
    const QByteArray& argument = command_line.argument;
    qrv::HandedPath handed = qrv::HandedArgument(
        std::string_view(argument.constData(), static_cast<size_t>(argument.size())), {});
    QTimer::singleShot(0, g_main_form, [handed = std::move(handed)] {
      if (g_main_form) qrv::Guard([&] { g_main_form->OpenHanded(handed); });
    });
  }
  const int code = QApplication::exec();
  g_main_form = nullptr;
  return code;
}
