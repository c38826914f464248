#pragma once

#include <QAccessible>
#include <QColor>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "runtime/application.h"

namespace qrv::test {

// Records every error message box instead of showing it, for as long as it lives.
class MessageLog {
 public:
  MessageLog();
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  std::vector<std::string> texts;

 private:
  Application::Presenter previous_;
};

// Writes a 16 × 16 bitmap of one colour to a host path.
void WriteBitmap(const std::string& host_path, const QColor& color);

// The role, name and press action of a control as a screen reader sees them.
QString AccessibleName(QWidget* widget);
int AccessibleRole(QWidget* widget);
// Runs the accessibility press action; false when the control offers none.
bool AccessiblePress(QWidget* widget);

}  // namespace qrv::test
