#pragma once

#include <QAccessible>
#include <QColor>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "message_log.h"

namespace qrv::test {

// Writes a 16 × 16 bitmap of one colour to a host path.
void WriteBitmap(const std::string& host_path, const QColor& color);

// The role, name and press action of a control as a screen reader sees them.
QString AccessibleName(QWidget* widget);
int AccessibleRole(QWidget* widget);
// Runs the accessibility press action; false when the control offers none.
bool AccessiblePress(QWidget* widget);

}  // namespace qrv::test
