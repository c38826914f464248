#include "dialog_controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include "controls/dx_button.h"
#include "runtime/widgets/label.h"

namespace qrv {
namespace {

constexpr int kFlatButtonHeight = 25;
// The shadow colour of a lowered bevel edge.
const QColor kBevelShadow(128, 128, 128);

class SeparatorAccessible : public QAccessibleWidget {
 public:
  explicit SeparatorAccessible(QWidget* widget)
      : QAccessibleWidget(widget, QAccessible::Separator) {}
};

QAccessibleInterface* SeparatorFactory(const QString&, QObject* object) {
  if (auto* bevel = qobject_cast<TBevel*>(object)) return new SeparatorAccessible(bevel);
  return nullptr;
}

void InstallSeparatorAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(SeparatorFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace

TdxButton* MakeFlatButton(QWidget* parent, const char* name, const QString& caption, int left,
                          int top, int width) {
  auto* button = Place(new TdxButton(parent), {left, top, width, kFlatButtonHeight});
  button->setObjectName(QString::fromLatin1(name));
  button->SetCaption(caption);
  button->SetDefault(false);
  button->SetCancel(false);
  return button;
}

QLineEdit* MakeEditBox(QWidget* parent, const char* name, Bounds bounds,
                       const QString& accessible_name) {
  auto* edit = Place(new QLineEdit(parent), bounds);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAccessibleName(accessible_name);
  return edit;
}

TBevel::TBevel(QWidget* parent) : QWidget(parent) {
  InstallSeparatorAccessibility();
  setAccessibleName(QStringLiteral("Separator"));
}

void TBevel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(0, 0, width(), 1, kBevelShadow);
  // A taller bevel shows the highlight edge under the shadow, as a lowered line does.
  if (height() > 1) painter.fillRect(0, 1, width(), 1, Qt::white);
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
