#include "controls/button_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace qrv {

namespace {

class ButtonInterface : public QAccessibleWidget {
 public:
  explicit ButtonInterface(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {
    addControllingSignal(QStringLiteral("destroyed(QObject*)"));
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      if (auto* b = dynamic_cast<AccessibleButton*>(widget())) return b->AccessibleName();
    }
    return QAccessibleWidget::text(t);
  }

  QStringList actionNames() const override {
    QStringList names;
    if (widget()->isEnabled()) names << pressAction();
    return names;
  }

  void doAction(const QString& action) override {
    if (action != pressAction() || !widget()->isEnabled()) return;
    if (auto* b = dynamic_cast<AccessibleButton*>(widget())) b->AccessiblePress();
  }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget && dynamic_cast<AccessibleButton*>(widget)) return new ButtonInterface(widget);
  return nullptr;
}

}  // namespace

void InstallButtonAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

void NotifyAccessibleNameChanged(QWidget* button) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(button, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

}  // namespace qrv
