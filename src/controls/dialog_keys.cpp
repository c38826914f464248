#include "controls/dialog_keys.h"

#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace qrv {

namespace {

constexpr const char* kFilterName = "qrv_dialog_keys";

// Receivers of the window, collected first so that a handler that creates or destroys controls
// cannot disturb the walk.
std::vector<QPointer<QWidget>> Receivers(QWidget* window) {
  std::vector<QPointer<QWidget>> out;
  if (!window) return out;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->window() == window && dynamic_cast<DialogKeyReceiver*>(w)) out.emplace_back(w);
  }
  return out;
}

QChar TypedChar(const QKeyEvent& e) {
  const QString text = e.text();
  if (text.size() == 1 && text[0].isPrint()) return text[0];
  // With Alt held some platforms report no text; the key code still names the letter or digit.
  const int key = e.key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
    return QChar(static_cast<char16_t>(key));
  }
  return QChar();
}

// Sits on a window and sees every key press the window receives, including those its focused
// control left unhandled, before the window's own handling.
class DialogKeyFilter : public QObject {
 public:
  explicit DialogKeyFilter(QWidget* window) : QObject(window), window_(window) {
    setObjectName(QString::fromLatin1(kFilterName));
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != window_ || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const int code = key->key();
    bool handled = false;
    if (code == Qt::Key_Return || code == Qt::Key_Enter || code == Qt::Key_Escape) {
      handled = OfferDialogKey(window_, code, key->modifiers());
    } else if (!(key->modifiers() & Qt::ControlModifier)) {
      const QChar c = TypedChar(*key);
      if (!c.isNull()) handled = OfferDialogChar(window_, c, key->modifiers());
    }
    if (handled) key->accept();
    return handled;
  }

 private:
  QWidget* window_;
};

}  // namespace

void AttachDialogKeys(QWidget* control) {
  if (!control) return;
  QWidget* window = control->window();
  if (!window || window == control) return;
  if (window->findChild<QObject*>(QString::fromLatin1(kFilterName), Qt::FindDirectChildrenOnly)) {
    return;
  }
  window->installEventFilter(new DialogKeyFilter(window));
}

bool OfferDialogChar(QWidget* window, QChar c, Qt::KeyboardModifiers modifiers) {
  for (const QPointer<QWidget>& w : Receivers(window)) {
    if (w && dynamic_cast<DialogKeyReceiver*>(w.data())->DialogChar(c, modifiers)) return true;
  }
  return false;
}

bool OfferDialogKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
  for (const QPointer<QWidget>& w : Receivers(window)) {
    if (w && dynamic_cast<DialogKeyReceiver*>(w.data())->DialogKey(key, modifiers)) return true;
  }
  return false;
}

}  // namespace qrv
