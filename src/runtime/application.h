#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "exceptions.h"

namespace qrv {

// The text a message box shows for a message: a full stop is appended when the last character
// sorts after "." in byte order, so "Stream read error" gains one while "Done." and "Stop!" do not.
std::string MessageBoxText(const std::string& message);

// The application object: its title and the place where escaped exceptions are shown.
class Application {
 public:
  // Receives (caption, text) of every error message box. The default shows a modal QMessageBox;
  // tests install one that records.
  using Presenter = std::function<void(const std::string& caption, const std::string& text)>;

  static Application& Instance();

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  // Returns the previous presenter so that a test can restore it.
  Presenter SetPresenter(Presenter presenter);

  // Shows the exception's message in an error box captioned with the title.
  void HandleException(const Exception& e);
  void ShowError(const std::string& message);

  // Sends the requests queued for the display server at once instead of at the next pass of the
  // message loop, so that a window just shown is mapped while the program goes on working.
  static void FlushDisplay();

  // The main window: the first window the program creates; others centre over it.
  QWidget* MainForm() const { return main_form_; }
  void SetMainForm(QWidget* form) { main_form_ = form; }

 private:
  Application();
  std::string title_;
  Presenter presenter_;
  QPointer<QWidget> main_form_;
};

}  // namespace qrv
