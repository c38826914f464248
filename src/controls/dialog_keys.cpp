#include "controls/dialog_keys.h"

#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QShortcut>
#include <QWidget>
#include <map>
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

  // Alt with an accelerator character is a window shortcut, so that an edit box with the focus
  // does not take it as text first.
  void Refresh() {
    std::map<char16_t, bool> wanted;
    for (const QPointer<QWidget>& w : Receivers(window_)) {
      const QChar c = dynamic_cast<DialogKeyReceiver*>(w.data())->AltAccelerator();
      if (!c.isNull() && c.isPrint() && !c.isSpace()) wanted[c.toUpper().unicode()] = true;
    }
    for (auto it = shortcuts_.begin(); it != shortcuts_.end();) {
      if (!wanted.count(it->first) || !it->second) {
        delete it->second.data();
        it = shortcuts_.erase(it);
      } else {
        ++it;
      }
    }
    for (const auto& [code, unused] : wanted) {
      if (shortcuts_.count(code)) continue;
      auto* shortcut = new QShortcut(QKeySequence(static_cast<int>(Qt::ALT) | code), window_);
      shortcut->setContext(Qt::WindowShortcut);
      const QChar c(code);
      const auto offer = [this, c] { OfferDialogChar(window_, c, Qt::AltModifier); };
      connect(shortcut, &QShortcut::activated, this, offer);
      connect(shortcut, &QShortcut::activatedAmbiguously, this, offer);
      shortcuts_[code] = shortcut;
    }
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
  std::map<char16_t, QPointer<QShortcut>> shortcuts_;
};

}  // namespace

void AttachDialogKeys(QWidget* control) {
  if (!control) return;
  QWidget* window = control->window();
  if (!window || window == control) return;
  // Only this file names its objects so; the filter class has no meta-object of its own.
  auto* filter = static_cast<DialogKeyFilter*>(
      window->findChild<QObject*>(QString::fromLatin1(kFilterName), Qt::FindDirectChildrenOnly));
  if (!filter) {
    filter = new DialogKeyFilter(window);
    window->installEventFilter(filter);
  }
  filter->Refresh();
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
