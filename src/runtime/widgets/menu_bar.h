#pragma once

#include <QAction>
#include <QMenuBar>
#include <QString>
#include <functional>
#include <initializer_list>

namespace qrv {

// A command of the menu: its caption with the ampersand accelerator, an enabled flag, a hint
// ("short|long") and the handler it runs. The handler runs through the application's guard.
class TMenuAction : public QAction {
  Q_OBJECT

 public:
  TMenuAction(const QString& caption, QObject* owner);

  QString Hint() const { return hint_; }
  // The short part goes to the tool tip and the long part to the status tip; the window shows
  // neither, but screen readers announce them.
  void SetHint(const QString& hint);

  void SetOnExecute(std::function<void()> handler) { on_execute_ = std::move(handler); }
  // Runs the command as a menu click would, and only when it is enabled.
  void Execute();

 private:
  QString hint_;
  std::function<void()> on_execute_;
};

// A menu bar built from commands: each menu is a caption and its commands, in order.
class TActionMainMenuBar : public QMenuBar {
  Q_OBJECT

 public:
  explicit TActionMainMenuBar(QWidget* parent = nullptr);

  QMenu* AddMenu(const QString& caption, std::initializer_list<TMenuAction*> actions);
};

}  // namespace qrv
