#include "controls/button_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace qrv {

ButtonDescriptions::ButtonDescriptions(const char* description)
    : rows_{{QString(), QString::fromLatin1(description)}} {}

ButtonDescriptions::ButtonDescriptions(
    std::initializer_list<std::pair<const char*, const char*>> by_caption) {
  for (const auto& [caption, description] : by_caption) {
    rows_.push_back({QString::fromLatin1(caption), QString::fromLatin1(description)});
  }
}

QString ButtonDescriptions::For(const QString& caption) const {
  for (const Row& row : rows_) {
    if (row.caption.isEmpty() || row.caption == caption) return row.description;
  }
  return {};
}

namespace {

class ButtonInterface : public QAccessibleWidget {
 public:
  explicit ButtonInterface(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {
    addControllingSignal(QStringLiteral("destroyed(QObject*)"));
  }

  QString text(QAccessible::Text t) const override {
    auto* b = dynamic_cast<AccessibleButton*>(widget());
    if (b && t == QAccessible::Name) return b->AccessibleName();
    if (b && t == QAccessible::Description && widget()->accessibleDescription().isEmpty()) {
      return b->AccessibleDescription();
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
