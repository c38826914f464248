#include "application.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QString>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace qrv {

std::string MessageBoxText(const std::string& message) {
  if (!message.empty() &&
      static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.')) {
    return message + ".";
  }
  return message;
}

namespace {
void ShowModalBox(const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Critical, QString::fromStdString(caption),
                  QString::fromStdString(text), QMessageBox::Ok);
  box.exec();
}
}  // namespace

Application::Application() : title_("Quorvin Pro"), presenter_(ShowModalBox) {}

Application& Application::Instance() {
  static Application app;
  return app;
}

Application::Presenter Application::SetPresenter(Presenter presenter) {
  Presenter old = std::move(presenter_);
  presenter_ = presenter ? std::move(presenter) : Presenter(ShowModalBox);
  return old;
}

void Application::FlushDisplay() {
#if QT_CONFIG(xcb)
  // Only the X11 platform queues requests; the others draw or send at once.
  const auto* x11 =
      qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 && x11->connection()) xcb_flush(x11->connection());
#endif
}

void Application::HandleException(const Exception& e) {
  ShowError(e.Message());
}

void Application::ShowError(const std::string& message) {
  presenter_(title_, MessageBoxText(message));
}

}  // namespace qrv
