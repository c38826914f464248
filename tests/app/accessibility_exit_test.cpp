// A screen reader walks every window of the running program, then the program ends. This test
// has its own main: the process must also get through Qt's own shut-down, where the
// accessibility cache deletes every interface a reader was handed.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QWidget>
#include <set>

#include "controls/button_accessible.h"
#include "main_window_fixture.h"
#include "tags/forms/audio_editor_window.h"
#include "windows/cd_player_window.h"

namespace qrv::test {
namespace {

// What a reader met on its walk.
struct Walk {
  int interfaces = 0;
  std::set<QString> shown_names;
  std::vector<std::string> problems;
};

// Visits an interface and everything below it the way an assistive client does: it asks for a
// stable identifier (which hands the interface to Qt's cache), the name, role, state and
// description, and then the children.
void Visit(QAccessibleInterface* node, bool hidden_above, Walk& walk, int depth = 0) {
  if (node == nullptr || !node->isValid() || depth > 30) return;
  ++walk.interfaces;
  QAccessible::uniqueId(node);
  const bool hidden = hidden_above || node->state().invisible;
  const QString name = node->text(QAccessible::Name);
  if (!hidden) walk.shown_names.insert(name);
  auto* widget = qobject_cast<QWidget*>(node->object());
  if (widget && !hidden && !widget->isVisible()) {
    walk.problems.push_back("hidden but exposed as showing: " + widget->objectName().toStdString());
  }
  if (widget && dynamic_cast<AccessibleButton*>(widget)) {
    if (name.isEmpty())
      walk.problems.push_back("nameless button " + widget->objectName().toStdString());
    if (node->text(QAccessible::Description).isEmpty()) {
      walk.problems.push_back("button without description: " + name.toStdString());
    }
  }
  for (int i = 0; i < node->childCount(); ++i) Visit(node->child(i), hidden, walk, depth + 1);
}

using ScreenReader = MainWindowTest;

TEST_F(ScreenReader, WalksEveryWindowAndSeesNoHiddenControlAsShowing) {
  StartProgram();
  Choose(0);
  Walk walk;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    Visit(QAccessible::queryAccessibleInterface(window), !window->isVisible(), walk);
  }
  EXPECT_GT(walk.interfaces, 100);
  EXPECT_EQ(walk.problems, std::vector<std::string>{});
  EXPECT_TRUE(walk.shown_names.count(QStringLiteral("|<")));
  // The main window's hidden player bar offers no buttons to the reader.
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(Main().mp31);
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->state().invisible);
  EXPECT_EQ(bar->childCount(), 0);

  const struct {
    QWidget* button;
    const char* description;
  } expected[] = {
      {Main().DDMBitBtn1, "Previous item"},
      {Main().DDMBitBtn5, "Next item"},
      {Main().DDMBitBtn2, "Skip back 2.1 seconds"},
      {Main().pause1, "Pause playback"},
      {cdplayer->DDMBitBtn2, "Previous track"},
      {mp3tools->DDMBitBtn1, "Previous file: play it and show its tag"},
  };
  for (const auto& e : expected) {
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(e.button);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(QAccessible::Description), QString::fromLatin1(e.description))
        << button->text(QAccessible::Name).toStdString();
  }
}

TEST_F(ScreenReader, APlayerBarThatIsShownOffersItsButtonsUntilItGoes) {
  StartProgram();
  Main().mp31->show();
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(Main().mp31);
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->childCount(), 1);
  QAccessibleInterface* play = bar->child(0);
  const QAccessible::Id id = QAccessible::uniqueId(play);
  EXPECT_EQ(play->text(QAccessible::Name), QStringLiteral("Play"));
  EXPECT_FALSE(play->state().invisible);
  Main().mp31->hide();
  EXPECT_TRUE(play->state().invisible);
  EXPECT_EQ(bar->childCount(), 0);
  EXPECT_EQ(QAccessible::accessibleInterface(id), play);
}

}  // namespace
}  // namespace qrv::test

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int result = 0;
  {
    QApplication app(argc, argv);
    // As when a screen reader runs: the accessibility layer is on for the whole process.
    QAccessible::setActive(true);
    ::testing::InitGoogleTest(&argc, argv);
    result = RUN_ALL_TESTS();
  }
  // Returning runs the clean-up of Qt's accessibility cache; a crash there fails the test.
  return result;
}
