#include "application.h"

#include <QMessageBox>
#include <QString>

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

void Application::HandleException(const Exception& e) {
  ShowError(e.Message());
}

void Application::ShowError(const std::string& message) {
  presenter_(title_, MessageBoxText(message));
}

}  // namespace qrv
