#include "accessibility.h"

#include <QAccessibleWidget>

#include "gauge.h"
#include "label.h"
#include "picture.h"

namespace qrv {
namespace {

// The text a painted control shows, read when a client asks: a label's caption, a gauge's
// percentage. Keeping a copy in the widget's accessible name instead would cost every change of
// the display a round through the accessibility layer, listened to or not.
QString ShownText(const QWidget* widget) {
  if (!widget->accessibleName().isEmpty()) return widget->accessibleName();
  if (const auto* label = qobject_cast<const TLabel*>(widget)) return label->Caption();
  if (const auto* gauge = qobject_cast<const TGauge*>(widget)) {
    return QString::number(gauge->PercentDone()) + QLatin1Char('%');
  }
  return {};
}

// Painted controls expose their role and, as name and value, the text they show.
class PaintedAccessible : public QAccessibleWidget {
 public:
  PaintedAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name || t == QAccessible::Value) return ShownText(widget());
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

void AnnounceShownText(QWidget* widget, QAccessible::Event change) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(widget, change);
  QAccessible::updateAccessibility(&event);
}

}  // namespace qrv
