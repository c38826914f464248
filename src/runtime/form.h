#pragma once

#include <QMargins>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

class QEventLoop;

namespace qrv {

enum class FormBorderStyle { kSingle, kDialog, kSizeable, kNone };

// Which buttons the title bar carries besides the caption.
struct BorderIcons {
  bool system_menu = true;  // The window menu and the close box.
  bool minimize = true;
  bool maximize = true;
};

enum class FormPosition { kDesktopCenter, kMainFormCenter, kDesigned };

enum class ModalResult { kNone, kOk, kCancel, kAbort, kRetry, kIgnore, kYes, kNo };

enum class CloseAction { kNone, kHide };

// Where a control stands in its window, in client pixels.
struct Bounds {
  int left;
  int top;
  int width;
  int height;
};

// Puts a control at (left, top) with the given size. Every window lays out its controls with it,
// so that a window's whole layout reads as one table of these calls.
template <typename W>
W* Place(W* control, Bounds bounds) {
  control->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
  return control;
}

// The same for controls that size themselves (labels with automatic size).
template <typename W>
W* PlaceAt(W* control, int left, int top) {
  control->move(left, top);
  return control;
}

// The base of every window: a top-level widget with a caption, a client size, a border style and
// a placement, shown either modelessly or modally and hidden, never destroyed, when it closes.
// Its create, show and close handlers run through the handler guard. The first one created
// becomes the application's main form.
class TForm : public QWidget {
 public:
  explicit TForm(QWidget* parent = nullptr);
  ~TForm() override;

  std::string Caption() const;
  void SetCaption(const std::string& caption);

  int ClientWidth() const { return client_width_; }
  int ClientHeight() const { return client_height_; }
  void SetClientWidth(int width) { SetClientSize(width, client_height_); }
  void SetClientHeight(int height) { SetClientSize(client_width_, height); }
  void SetClientSize(int width, int height);

  FormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(FormBorderStyle style);
  BorderIcons Icons() const { return icons_; }
  void SetBorderIcons(BorderIcons icons);

  FormPosition Position() const { return position_; }
  void SetPosition(FormPosition position);

  // Shows the window, or brings it to the front when it is visible already.
  void Show();
  // Shows the window modally and returns when it is hidden again, with its modal result
  // (kCancel when it was closed without one).
  ModalResult ShowModal();
  bool IsModal() const { return modal_loop_ != nullptr; }

  ModalResult GetModalResult() const { return modal_result_; }
  // A result other than kNone closes a modally shown window.
  void SetModalResult(ModalResult result);

  // The control that holds the focus each time the window opens; without one the first control
  // of the tab order does.
  void SetActiveControl(QWidget* control) { active_control_ = control; }

  // Asks the window to close: the close handlers may keep it open, otherwise it is hidden.
  void Close();
  void SetOnClose(std::function<void(CloseAction&)> handler) { on_close_ = std::move(handler); }

  void setVisible(bool visible) override;

 protected:
  // Each window calls this at the end of its constructor, once its controls exist.
  void RunCreateHandler();

  virtual void FormCreate() {}
  // Runs before the window appears; an exception is shown and the window appears all the same.
  virtual void FormShow() {}
  // Runs when the window is asked to close; setting the action to kNone keeps it open, and so
  // does an exception.
  virtual void FormClose(CloseAction& /*action*/) {}

  void closeEvent(QCloseEvent* event) override;

 private:
  bool IsMainForm() const;
  void ApplyFlags();
  void PlaceOnScreen();
  // The frame the window manager puts around the window.
  QMargins ExpectedFrame() const;
  // Makes the window a transient of the main window, so that it stays above it.
  void AttachToMainForm();

  int client_width_ = 0;
  int client_height_ = 0;
  FormBorderStyle border_style_ = FormBorderStyle::kSizeable;
  BorderIcons icons_;
  FormPosition position_ = FormPosition::kDesigned;
  ModalResult modal_result_ = ModalResult::kNone;
  QEventLoop* modal_loop_ = nullptr;
  QPointer<QWidget> active_control_;
  bool placed_ = false;
  bool in_show_handler_ = false;
  std::function<void(CloseAction&)> on_close_;
};

}  // namespace qrv
