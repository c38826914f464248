#include "bevel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace qrv {
namespace {

QAccessibleInterface* BevelAccessible(const QString&, QObject* object) {
  if (auto* bevel = qobject_cast<TBevel*>(object)) {
    return new QAccessibleWidget(bevel, QAccessible::Separator);
  }
  return nullptr;
}

void InstallBevelAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(BevelAccessible);
    return true;
  }();
  (void)installed;
}

}  // namespace

TBevel::TBevel(QWidget* parent) : QWidget(parent) {
  InstallBevelAccessibility();
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
}

void TBevel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& p = palette();
  painter.setPen(p.color(QPalette::Dark));
  painter.drawLine(0, 0, width() - 1, 0);
  if (height() > 1) {
    painter.setPen(p.color(QPalette::Light));
    painter.drawLine(0, 1, width() - 1, 1);
  }
}

}  // namespace qrv
