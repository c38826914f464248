#include "accessibility.h"

#include <QAccessibleWidget>

#include "gauge.h"
#include "label.h"
#include "picture.h"

namespace qrv {
namespace {

// Painted controls expose their role and the name their owner keeps up to date.
class PaintedAccessible : public QAccessibleWidget {
 public:
  PaintedAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name || t == QAccessible::Value) return widget()->accessibleName();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (qobject_cast<TLabel*>(object)) return new PaintedAccessible(widget, QAccessible::StaticText);
  if (qobject_cast<TGauge*>(object)) return new PaintedAccessible(widget, QAccessible::ProgressBar);
  if (qobject_cast<TImage*>(object)) return new PaintedAccessible(widget, QAccessible::Graphic);
  return nullptr;
}

}  // namespace

void InstallWidgetAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

}  // namespace qrv
