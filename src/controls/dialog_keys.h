#pragma once

#include <QChar>
#include <Qt>

class QWidget;

namespace qrv {

// A control that wants the keys a window offers to all its controls: characters that the focused
// control left unhandled (accelerators) and the dialog keys Enter and Escape.
class DialogKeyReceiver {
 public:
  virtual ~DialogKeyReceiver() = default;
  // True when the character is handled and must not be offered further.
  virtual bool DialogChar(QChar c, Qt::KeyboardModifiers modifiers) = 0;
  // True when the key (Qt::Key_Return, Qt::Key_Enter or Qt::Key_Escape) is handled.
  virtual bool DialogKey(int key, Qt::KeyboardModifiers modifiers) = 0;
  // The character that Alt plus it should offer even while an edit box has the focus; null for
  // none.
  virtual QChar AltAccelerator() const { return QChar(); }
};

// Makes sure that the window of the control offers unhandled key presses to its receivers, and
// that Alt with an accelerator reaches them before the focused control can take it as text. Call
// it whenever the control may have moved to another window or its accelerator changed.
void AttachDialogKeys(QWidget* control);

// Offers a character or a dialog key to the receivers of a window in creation order; true when
// one of them handled it.
bool OfferDialogChar(QWidget* window, QChar c, Qt::KeyboardModifiers modifiers);
bool OfferDialogKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers);

}  // namespace qrv
