#include "menu_bar.h"

#include <QMenu>
#include <QProxyStyle>

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

namespace {

// The menu bar of the desktop the program comes from puts its entries edge to edge, each with its
// own padding only; Qt's styles leave a gap before and between them.
class EdgeToEdgeStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_MenuBarItemSpacing || metric == PM_MenuBarHMargin) return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

}  // namespace

TActionMainMenuBar::TActionMainMenuBar(QWidget* parent) : QMenuBar(parent) {
  auto* style = new EdgeToEdgeStyle;
  style->setParent(this);
  setStyle(style);
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
