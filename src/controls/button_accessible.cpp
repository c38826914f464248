#include "controls/button_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace qrv {

namespace {

// What each push button does, for screen readers that read a description after the caption. A
// row applies to a window class and a button's object name when they are given, and to a
// caption when one is given; the first row that applies wins, so the general rows come last.
struct ButtonDescription {
  const char* window;
  const char* button;
  const char* caption;
  const char* description;
};

constexpr ButtonDescription kDescriptions[] = {
    {"qrv::TForm1", "seek1", "Seek", "Seek mode: the track bar moves the position"},
    {"qrv::TForm1", "seek1", "Resume", "Leave seek mode and play on from the track bar"},
    {"qrv::TForm1", "DDMBitBtn6", nullptr, "Play the open file"},
    {"qrv::Tcdplayer", "DDMBitBtn6", nullptr, "Play the CD"},
    {"qrv::Tcdplayer", "DDMBitBtn1", nullptr, "Open the CD and count its tracks"},
    {"qrv::Tcdplayer", "DDMBitBtn3", nullptr, "Stop the CD"},
    {"qrv::Tmp3tools", "DDMBitBtn1", nullptr, "Previous file: play it and show its tag"},
    {"qrv::Tmp3tools", "DDMBitBtn5", nullptr, "Next file: play it and show its tag"},
    {"qrv::Tmp3tools", "dxButton1", nullptr, "Save the tag to the file"},
    {"qrv::Tmp3tools", "dxButton2", nullptr, "Close the audio editor"},
    {"qrv::Tmp3tools", "dxButton3", nullptr, "Show the tag again"},
    {"qrv::TForm2", nullptr, "Ok", "Make the chosen folder the playlist"},
    {"qrv::TForm3", nullptr, "Ok", "Open the selected playlist"},
    {"qrv::TForm3", nullptr, "Delete this playlist", "Delete the selected saved playlist"},
    {"qrv::TForm4", nullptr, "Save", "Save the playlist under this name"},
    {"qrv::TForm5", nullptr, "Yes", "Choose a playlist folder now"},
    {"qrv::TForm5", nullptr, "No", "Close this question"},
    {"qrv::TForm6", nullptr, "Ok", "Close the help"},
    {"qrv::TForm7", nullptr, "Ok", "Close this window"},
    {"qrv::TForm8", nullptr, "Ok", "Keep the chosen background"},
    {"qrv::TForm8", nullptr, "Cancel", "Put back the kept background and close"},
    {"qrv::TForm9", nullptr, "Ok", "Play the selected file"},
    {nullptr, nullptr, "|<", "Previous item"},
    {nullptr, nullptr, ">|", "Next item"},
    {nullptr, nullptr, "<<", "Skip back 2.1 seconds"},
    {nullptr, nullptr, ">>", "Skip forward 2.1 seconds"},
    {nullptr, nullptr, "|<<", "Previous track"},
    {nullptr, nullptr, ">>|", "Next track"},
    {nullptr, nullptr, "Pause", "Pause playback"},
    {nullptr, nullptr, "Resume", "Resume playback"},
    {nullptr, nullptr, "Cancel", "Close without changes"},
    {nullptr, nullptr, "Ok", "Confirm and close"},
};

QString DescriptionOf(const QWidget* button, const QString& caption) {
  const QByteArray window = button->window()->metaObject()->className();
  const QString name = button->objectName();
  for (const ButtonDescription& row : kDescriptions) {
    if (row.window && window != row.window) continue;
    if (row.button && name != QLatin1String(row.button)) continue;
    if (row.caption && caption != QLatin1String(row.caption)) continue;
    return QString::fromLatin1(row.description);
  }
  return {};
}

class ButtonInterface : public QAccessibleWidget {
 public:
  explicit ButtonInterface(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {
    addControllingSignal(QStringLiteral("destroyed(QObject*)"));
  }

  QString text(QAccessible::Text t) const override {
    auto* b = dynamic_cast<AccessibleButton*>(widget());
    if (b && t == QAccessible::Name) return b->AccessibleName();
    if (b && t == QAccessible::Description && widget()->accessibleDescription().isEmpty()) {
      return DescriptionOf(widget(), b->AccessibleName());
    }
    return QAccessibleWidget::text(t);
  }

  QStringList actionNames() const override {
    QStringList names;
    if (widget()->isEnabled()) names << pressAction();
    return names;
  }

  void doAction(const QString& action) override {
    if (action != pressAction() || !widget()->isEnabled()) return;
    if (auto* b = dynamic_cast<AccessibleButton*>(widget())) b->AccessiblePress();
  }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget && dynamic_cast<AccessibleButton*>(widget)) return new ButtonInterface(widget);
  return nullptr;
}

}  // namespace

void InstallButtonAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

void NotifyAccessibleNameChanged(QWidget* button) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(button, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

}  // namespace qrv
