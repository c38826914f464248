#include "menu_bar.h"

#include <QMenu>

#include "runtime/guard.h"

namespace qrv {

TMenuAction::TMenuAction(const QString& caption, QObject* owner) : QAction(caption, owner) {
  setMenuRole(QAction::NoRole);
  connect(this, &QAction::triggered, this, [this] {
    Guard([this] {
      if (on_execute_) on_execute_();
    });
  });
}

void TMenuAction::SetHint(const QString& hint) {
  hint_ = hint;
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  setToolTip(bar < 0 ? hint : hint.left(bar));
  setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

void TMenuAction::Execute() {
  if (isEnabled()) trigger();
}

TActionMainMenuBar::TActionMainMenuBar(QWidget* parent) : QMenuBar(parent) {
  // The bar sits inside the window's client area at a fixed place, not in a native menu bar.
  setNativeMenuBar(false);
  setAccessibleName(QStringLiteral("Menu"));
}

QMenu* TActionMainMenuBar::AddMenu(const QString& caption,
                                   std::initializer_list<TMenuAction*> actions) {
  QMenu* menu = addMenu(caption);
  for (TMenuAction* action : actions) menu->addAction(action);
  return menu;
}

}  // namespace qrv
