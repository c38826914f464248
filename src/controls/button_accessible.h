#pragma once

#include <QString>
#include <initializer_list>
#include <utility>
#include <vector>

class QWidget;

namespace qrv {

// What pressing a button does, read by screen readers after its caption. Each window's layout
// gives its buttons theirs. A button whose caption is its state (a pause button that offers to
// resume) does what its caption says, so it carries one text per caption.
class ButtonDescriptions {
 public:
  ButtonDescriptions() = default;
  // One text, whatever the caption. Implicit, so that a layout table simply lists the text.
  ButtonDescriptions(const char* description);  // NOLINT(google-explicit-constructor)
  // One text per caption, as {caption, description}.
  ButtonDescriptions(std::initializer_list<std::pair<const char*, const char*>> by_caption);

  // The text for the caption shown now; empty when none applies.
  QString For(const QString& caption) const;

 private:
  struct Row {
    QString caption;  // Empty: any caption.
    QString description;
  };
  std::vector<Row> rows_;
};

// What a custom-painted push button tells a screen reader: its caption, what it does and how to
// press it.
class AccessibleButton {
 public:
  virtual ~AccessibleButton() = default;
  // The caption as read aloud: prefixes removed.
  virtual QString AccessibleName() const = 0;
  // Does what a click does.
  virtual void AccessiblePress() = 0;

  void SetDescriptions(ButtonDescriptions descriptions) { descriptions_ = std::move(descriptions); }
  // What pressing the button does with the caption it shows now.
  QString AccessibleDescription() const { return descriptions_.For(AccessibleName()); }

 private:
  ButtonDescriptions descriptions_;
};

// Registers, once per process, the factory that exposes every AccessibleButton widget as a push
// button with its caption as name and a press action.
void InstallButtonAccessibility();

// Tells assistive tools that the caption of a button changed.
void NotifyAccessibleNameChanged(QWidget* button);

}  // namespace qrv
