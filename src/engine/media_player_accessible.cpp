#include "media_player_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <array>
#include <vector>

#include "media_player.h"
#include "runtime/guard.h"

namespace qrv {
namespace {

constexpr std::array<const char*, kButtonCount> kButtonNames = {
    "Play", "Pause", "Stop", "Next", "Previous", "Step", "Back", "Record", "Eject"};

// One button of the bar. Qt's accessibility cache owns it once it is registered; it holds only a
// guarded pointer to the bar, so that a screen reader asking after the bar is gone gets an
// invalid interface instead of a dangling one.
class BarButtonAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  BarButtonAccessible(TMediaPlayer* player, TMPBtnType button) : player_(player), button_(button) {}

  bool isValid() const override { return !player_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return player_ ? player_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return player_ ? QAccessible::queryAccessibleInterface(player_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? QString::fromLatin1(kButtonNames[static_cast<size_t>(button_)])
                                  : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!player_) return {};
    const QRect r = player_->ButtonRect(button_);
    return QRect(player_->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::Role role() const override { return QAccessible::Button; }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!player_) {
      s.invisible = true;
      return s;
    }
    s.disabled = !player_->isEnabled() || !player_->ButtonEnabled(button_);
    s.focusable = true;
    s.focused = player_->hasFocus() && player_->FocusedButton() == button_;
    s.invisible = !player_->isVisible() || !player_->ButtonVisible(button_);
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction() && player_ && !state().disabled && !state().invisible) {
      Guard([this] { player_->ClickButton(button_, true); });
    }
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }
  TMPBtnType Button() const { return button_; }

 private:
  QPointer<TMediaPlayer> player_;
  TMPBtnType button_;
};

class MediaPlayerAccessible : public QAccessibleWidget {
 public:
  explicit MediaPlayerAccessible(TMediaPlayer* player)
      : QAccessibleWidget(player, QAccessible::ToolBar), player_(player) {
    // The cache owns the buttons from here on, as every interface a screen reader may hold must
    // be: it deletes them once, at the latest when the application ends.
    for (int i = 0; i < kButtonCount; ++i) {
      button_ids_[static_cast<size_t>(i)] = QAccessible::registerAccessibleInterface(
          new BarButtonAccessible(player, static_cast<TMPBtnType>(i)));
    }
  }
  ~MediaPlayerAccessible() override {
    for (QAccessible::Id id : button_ids_) QAccessible::deleteAccessibleInterface(id);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    // A bar that is not shown is no part of what the user sees.
    if (!player_->isVisible()) s.invisible = true;
    return s;
  }
  int childCount() const override { return static_cast<int>(Visible().size()); }
  QAccessibleInterface* child(int index) const override {
    const auto visible = Visible();
    if (index < 0 || index >= static_cast<int>(visible.size())) return nullptr;
    return visible[static_cast<size_t>(index)];
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto visible = Visible();
    for (size_t i = 0; i < visible.size(); ++i) {
      if (visible[i] == child) return static_cast<int>(i);
    }
    return -1;
  }
  QAccessibleInterface* focusChild() const override {
    if (!player_->hasFocus()) return nullptr;
    return Button(player_->FocusedButton());
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint local = player_->mapFromGlobal(QPoint(x, y));
    for (auto* b : Visible()) {
      if (player_->ButtonRect(b->Button()).contains(local)) return b;
    }
    return nullptr;
  }

 private:
  BarButtonAccessible* Button(TMPBtnType button) const {
    return static_cast<BarButtonAccessible*>(
        QAccessible::accessibleInterface(button_ids_[static_cast<size_t>(button)]));
  }

  // The buttons a user can see: none while the bar itself is hidden.
  std::vector<BarButtonAccessible*> Visible() const {
    std::vector<BarButtonAccessible*> out;
    if (!player_->isVisible()) return out;
    for (int i = 0; i < kButtonCount; ++i) {
      const auto button = static_cast<TMPBtnType>(i);
      if (!player_->ButtonVisible(button)) continue;
      if (BarButtonAccessible* b = Button(button)) out.push_back(b);
    }
    return out;
  }

  TMediaPlayer* player_;
  std::array<QAccessible::Id, kButtonCount> button_ids_{};
};

QAccessibleInterface* Factory(const QString& class_name, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  if (auto* player = qobject_cast<TMediaPlayer*>(object)) {
    // Subclasses (the file-list player) are served too; their class name differs.
    (void)class_name;
    return new MediaPlayerAccessible(player);
  }
  return nullptr;
}

}  // namespace

void InstallMediaPlayerAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

}  // namespace qrv
