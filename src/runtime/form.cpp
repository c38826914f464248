#include "form.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include "application.h"
#include "guard.h"

namespace qrv {

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  // As in the desktop framework the program imitates, the first window created is the main one.
  if (!Application::Instance().MainForm()) Application::Instance().SetMainForm(this);
  ApplyFlags();
}

TForm::~TForm() {
  if (modal_loop_) modal_loop_->quit();
}

std::string TForm::Caption() const {
  return windowTitle().toStdString();
}

void TForm::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

void TForm::SetClientSize(int width, int height) {
  client_width_ = width;
  client_height_ = height;
  if (border_style_ == FormBorderStyle::kSizeable) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(width, height);
  } else {
    setFixedSize(width, height);
  }
}

void TForm::SetBorderStyle(FormBorderStyle style) {
  if (style == border_style_) return;
  border_style_ = style;
  SetClientSize(client_width_, client_height_);
  ApplyFlags();
}

void TForm::SetBorderIcons(BorderIcons icons) {
  icons_ = icons;
  ApplyFlags();
}

void TForm::SetPosition(FormPosition position) {
  position_ = position;
}

bool TForm::IsMainForm() const {
  return Application::Instance().MainForm() == this;
}

void TForm::ApplyFlags() {
  // Every window but the main one is a dialog of it: the window manager keeps it above the main
  // window and gives it no task-bar entry of its own.
  Qt::WindowFlags flags =
      border_style_ == FormBorderStyle::kDialog || !IsMainForm() ? Qt::Dialog : Qt::Window;
  if (border_style_ == FormBorderStyle::kNone) {
    flags |= Qt::FramelessWindowHint;
  } else {
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    // As on the desktop the program imitates, the minimise and maximise boxes come only with the
    // window menu, and a dialog frame carries neither.
    if (icons_.system_menu) {
      flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (border_style_ != FormBorderStyle::kDialog) {
        if (icons_.minimize) flags |= Qt::WindowMinimizeButtonHint;
        if (icons_.maximize && border_style_ == FormBorderStyle::kSizeable) {
          flags |= Qt::WindowMaximizeButtonHint;
        }
      }
    }
  }
  if (flags == windowFlags()) return;
  // Changing the flags hides a visible window; it comes back without running the show handler.
  const bool was_visible = isVisible();
  setWindowFlags(flags);
  if (was_visible) {
    AttachToMainForm();
    QWidget::setVisible(true);
  }
}

namespace {

QMargins FrameOf(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect client = window->geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

}  // namespace

QMargins TForm::ExpectedFrame() const {
  const QMargins own = FrameOf(this);
  if (!own.isNull() || border_style_ == FormBorderStyle::kNone) return own;
  // Before its first showing the window manager has not framed the window yet, so its frame is
  // not known; it gets the frame the main window has.
  const QWidget* main = Application::Instance().MainForm();
  if (main && main != this && main->isVisible()) return FrameOf(main);
  return own;
}

void TForm::PlaceOnScreen() {
  if (position_ == FormPosition::kDesigned) return;
  QRect area;
  QWidget* main = Application::Instance().MainForm();
  if (position_ == FormPosition::kMainFormCenter && main && main != this && main->isVisible()) {
    area = main->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  } else {
    return;
  }
  const QMargins frame = ExpectedFrame();
  const QSize client = size().expandedTo(QSize(client_width_, client_height_));
  const QSize outer = client.grownBy(frame);
  // The position is the frame's top-left corner.
  move(area.left() + (area.width() - outer.width()) / 2,
       area.top() + (area.height() - outer.height()) / 2);
}

void TForm::AttachToMainForm() {
  QWidget* main = Application::Instance().MainForm();
  if (!main || main == this) return;
  // The native windows must exist before one can name the other as its owner; a window that is
  // not yet shown gets its native window here, which costs nothing visible.
  QWindow* owner = main->window()->windowHandle();
  if (!owner) {
    main->winId();
    owner = main->window()->windowHandle();
  }
  if (!windowHandle()) winId();
  if (owner && windowHandle() && windowHandle()->transientParent() != owner) {
    windowHandle()->setTransientParent(owner);
  }
}

void TForm::setVisible(bool visible) {
  if (visible && !isVisible() && !in_show_handler_) {
    // A window centred over the main window follows it wherever the user has moved it since;
    // one centred on the desktop stays where the user left it after its first showing.
    if (!placed_ || position_ == FormPosition::kMainFormCenter) {
      PlaceOnScreen();
      placed_ = true;
    }
    AttachToMainForm();
    in_show_handler_ = true;
    const QPointer<TForm> alive(this);
    Guard([this] { FormShow(); });
    if (!alive) return;
    in_show_handler_ = false;
  }
  const bool opening = visible && !isVisible();
  QWidget::setVisible(visible);
  if (opening && active_control_ && active_control_->isEnabled()) active_control_->setFocus();
  if (!visible && modal_loop_) modal_loop_->quit();
}

void TForm::Show() {
  show();
  raise();
  activateWindow();
}

ModalResult TForm::ShowModal() {
  if (modal_loop_) return ModalResult::kCancel;  // Already shown modally further up the stack.
  if (isVisible()) QWidget::setVisible(false);
  modal_result_ = ModalResult::kNone;
  setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  modal_loop_ = &loop;
  const QPointer<TForm> alive(this);
  Show();
  // The show handler may already have closed the window (and ended the loop).
  if (alive && isVisible()) loop.exec(QEventLoop::DialogExec);
  if (!alive) return ModalResult::kCancel;
  modal_loop_ = nullptr;
  if (isVisible()) QWidget::setVisible(false);
  setWindowModality(Qt::NonModal);
  return modal_result_ == ModalResult::kNone ? ModalResult::kCancel : modal_result_;
}

void TForm::SetModalResult(ModalResult result) {
  modal_result_ = result;
  if (result == ModalResult::kNone || !modal_loop_) return;
  Close();
  // A close handler that kept the window open cancels the result as well.
  if (isVisible()) modal_result_ = ModalResult::kNone;
}

void TForm::Close() {
  close();
}

void TForm::RunCreateHandler() {
  Guard([this] { FormCreate(); });
}

void TForm::closeEvent(QCloseEvent* event) {
  CloseAction action = CloseAction::kHide;
  const bool completed = Guard([&] {
    FormClose(action);
    if (on_close_) on_close_(action);
  });
  if (!completed || action == CloseAction::kNone) {
    event->ignore();
    return;
  }
  if (modal_loop_ && modal_result_ == ModalResult::kNone) modal_result_ = ModalResult::kCancel;
  event->accept();
}

}  // namespace qrv
