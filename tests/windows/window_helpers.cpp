#include "window_helpers.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QImage>

namespace qrv::test {

void WriteBitmap(const std::string& host_path, const QColor& color) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(color);
  image.save(QString::fromStdString(host_path), "BMP");
}

QString AccessibleName(QWidget* widget) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
  return iface ? iface->text(QAccessible::Name) : QString();
}

int AccessibleRole(QWidget* widget) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
  return iface ? static_cast<int>(iface->role()) : -1;
}

bool AccessiblePress(QWidget* widget) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
  if (!iface || !iface->actionInterface()) return false;
  const QString press = QAccessibleActionInterface::pressAction();
  if (!iface->actionInterface()->actionNames().contains(press)) return false;
  iface->actionInterface()->doAction(press);
  return true;
}

}  // namespace qrv::test
