#include "dialog_controls.h"

#include "controls/dx_button.h"
#include "runtime/widgets/label.h"
#include "windows/layout_parts.h"

namespace qrv {

TdxButton* MakeFlatButton(QWidget* parent, const char* name, const QString& caption, int left,
                          int top, int width, ButtonDescriptions description) {
  // Default and Cancel are off from construction, so Enter and Escape keep their meaning.
  return DialogButton(parent, name, {left, top, width, 25}, caption, std::move(description));
}

QLineEdit* MakeEditBox(QWidget* parent, const char* name, Bounds bounds,
                       const QString& accessible_name) {
  auto* edit = Place(new QLineEdit(parent), bounds);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAccessibleName(accessible_name);
  return edit;
}

TLabeledEdit::TLabeledEdit(QWidget* parent) : QLineEdit(parent), label_(new TLabel(parent)) {
  label_->setObjectName(QStringLiteral("SubLabel"));
}

void TLabeledEdit::SetLabelCaption(const QString& caption) {
  label_->SetCaption(caption);
  // Screen readers announce the box by its label's text.
  setAccessibleName(caption);
  PlaceLabel();
}

void TLabeledEdit::Place(Bounds bounds) {
  setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
  PlaceLabel();
}

void TLabeledEdit::PlaceLabel() {
  label_->adjustSize();
  label_->move(x(), y() - label_->height() - kLabelSpacing);
}

}  // namespace qrv
