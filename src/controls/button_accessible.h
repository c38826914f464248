#pragma once

#include <QString>

class QWidget;

namespace qrv {

// What a custom-painted push button tells a screen reader: its caption and how to press it.
class AccessibleButton {
 public:
  virtual ~AccessibleButton() = default;
  // The caption as read aloud: prefixes removed.
  virtual QString AccessibleName() const = 0;
  // Does what a click does.
  virtual void AccessiblePress() = 0;
};

// Registers, once per process, the factory that exposes every AccessibleButton widget as a push
// button with its caption as name and a press action.
void InstallButtonAccessibility();

// Tells assistive tools that the caption of a button changed.
void NotifyAccessibleNameChanged(QWidget* button);

}  // namespace qrv
