#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "controls/action.h"
#include "controls/dx_button.h"
#include "render_helpers.h"
#include "runtime/form.h"

namespace qrv {
namespace {

// A black dialog window of the program's own kind, to which a click hands its modal result.
class DialogForm : public TForm {
 public:
  DialogForm() {
    SetClientSize(200, 120);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
    move(0, 0);
    Show();
    activateWindow();
  }
};

// A dialog with an edit box and three flat buttons: a default one, a plain one and a cancel one.
class DxDialog : public test::ControlsTest {
 protected:
  void SetUp() override {
    test::ControlsTest::SetUp();
    window_ = std::make_unique<DialogForm>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    edit_ = new QLineEdit(window_.get());
    edit_->setGeometry(5, 5, 80, 20);
    save_ = Make("&Save", 5, 40, &save_clicks_);
    other_ = Make("Other", 80, 40, &other_clicks_);
    cancel_ = Make("Cancel", 5, 70, &cancel_clicks_);
    save_->SetDefault(true);
    cancel_->SetCancel(true);
    edit_->show();
    edit_->setFocus();
    test::MovePointer(window_.get(), QPoint(190, 110));
  }

  TdxButton* Make(const char* caption, int x, int y, int* counter) {
    auto* b = new TdxButton(window_.get());
    b->move(x, y);
    b->SetCaption(caption);
    b->SetOnClick([counter](QObject*) { ++*counter; });
    b->show();
    return b;
  }

  int Total() const { return save_clicks_ + other_clicks_ + cancel_clicks_; }

  // A key event as the platform hands it over, flagged as a repeat or not.
  static void SendKey(QWidget* to, QEvent::Type type, int key, bool repeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? QStringLiteral(" ") : "",
                    repeat);
    QCoreApplication::sendEvent(to, &event);
  }
  // Lets the grace a release waits for its repeat run out, as the clock would.
  static void EndGrace(QWidget* control) {
    auto* timer = control->findChild<QTimer*>(QStringLiteral("heldKeyRelease"));
    ASSERT_NE(timer, nullptr);
    ASSERT_TRUE(timer->isActive());
    QTimerEvent event(timer->timerId());
    QCoreApplication::sendEvent(timer, &event);
  }

  std::unique_ptr<DialogForm> window_;
  QLineEdit* edit_ = nullptr;
  TdxButton* save_ = nullptr;
  TdxButton* other_ = nullptr;
  TdxButton* cancel_ = nullptr;
  int save_clicks_ = 0, other_clicks_ = 0, cancel_clicks_ = 0;
};

TEST_F(DxDialog, EnterClicksTheDefaultButtonFromAnEditBox) {
  ASSERT_TRUE(edit_->hasFocus());
  QTest::keyClick(edit_, Qt::Key_Return);
  EXPECT_EQ(save_clicks_, 1);
  EXPECT_EQ(Total(), 1);
}

TEST_F(DxDialog, EnterClicksOnlyTheFocusedFlatButton) {
  other_->setFocus();
  ASSERT_TRUE(other_->Focused());
  EXPECT_TRUE(save_->FlatControlActive());
  QTest::keyClick(other_, Qt::Key_Return);
  EXPECT_EQ(other_clicks_, 1);
  EXPECT_EQ(Total(), 1);
}

TEST_F(DxDialog, EscapeClicksTheCancelButtonUnlessAModifierIsHeld) {
  QTest::keyClick(edit_, Qt::Key_Escape, Qt::ShiftModifier);
  EXPECT_EQ(Total(), 0);
  QTest::keyClick(edit_, Qt::Key_Escape);
  EXPECT_EQ(cancel_clicks_, 1);
  EXPECT_EQ(Total(), 1);
}

TEST_F(DxDialog, AcceleratorsNeedAltUnlessTheButtonHasTheFocus) {
  QTest::keyClick(edit_, Qt::Key_S);  // typed into the edit box
  EXPECT_EQ(Total(), 0);
  EXPECT_EQ(edit_->text(), QString("s"));
  QTest::keyClick(edit_, Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(edit_->text(), QString("s"));
  EXPECT_EQ(save_clicks_, 1);
  other_->setFocus();
  QTest::keyClick(other_, Qt::Key_S);  // neither Alt nor focus on Save
  EXPECT_EQ(save_clicks_, 1);
  save_->setFocus();
  QTest::keyClick(save_, Qt::Key_S);
  EXPECT_EQ(save_clicks_, 2);
  EXPECT_EQ(Total(), 2);
}

TEST_F(DxDialog, SpaceThenAnotherKeyClicksOnThatKeysRelease) {
  other_->setFocus();
  QTest::keyPress(other_, Qt::Key_Space);
  EXPECT_TRUE(other_->Pressed());
  EXPECT_TRUE(other_->Hot());
  QTest::keyPress(other_, Qt::Key_A);
  EXPECT_EQ(other_clicks_, 0);
  QTest::keyRelease(other_, Qt::Key_A);
  EXPECT_EQ(other_clicks_, 0);  // until it is clear that the key is not held
  EndGrace(other_);
  EXPECT_EQ(other_clicks_, 1);
  EXPECT_FALSE(other_->Pressed());
  EXPECT_FALSE(other_->Hot());  // the pointer is elsewhere
  QTest::keyRelease(other_, Qt::Key_Space);
  EXPECT_EQ(other_clicks_, 1);

  QTest::keyClick(other_, Qt::Key_Space, Qt::ControlModifier);
  EXPECT_EQ(other_clicks_, 1);
  QTest::keyClick(other_, Qt::Key_Space);
  EndGrace(other_);
  EXPECT_EQ(other_clicks_, 2);
}

TEST_F(DxDialog, AHeldKeyIsOnePressAndOneReleaseWhateverTheLoad) {
  std::vector<std::string> log;
  other_->SetOnKeyDown([&](QObject*, int, Qt::KeyboardModifiers) { log.push_back("down"); });
  other_->SetOnKeyUp([&](QObject*, int, Qt::KeyboardModifiers) { log.push_back("up"); });
  other_->SetOnClick([&](QObject*) { log.push_back("click"); });
  other_->setFocus();
  SendKey(other_, QEvent::KeyPress, Qt::Key_Space);
  for (int i = 0; i < 3; ++i) {
    // A repeat the platform recognised, then pairs it did not flag, with the event loop running
    // between the two halves as it does when the program is busy.
    SendKey(other_, QEvent::KeyRelease, Qt::Key_Space, true);
    SendKey(other_, QEvent::KeyPress, Qt::Key_Space, true);
    SendKey(other_, QEvent::KeyRelease, Qt::Key_Space);
    QCoreApplication::processEvents();
    SendKey(other_, QEvent::KeyPress, Qt::Key_Space);
  }
  EXPECT_TRUE(other_->Pressed());
  EXPECT_EQ(std::count(log.begin(), log.end(), "click"), 0);
  SendKey(other_, QEvent::KeyRelease, Qt::Key_Space);
  EndGrace(other_);
  EXPECT_FALSE(other_->Pressed());
  // Every repeat is a key-down, as on the platform the controls come from; one click, one key-up.
  EXPECT_EQ(log, (std::vector<std::string>{"down", "down", "down", "down", "down", "down", "down",
                                           "click", "up"}));
}

TEST_F(DxDialog, AnotherKeysPressDeliversAWaitingReleaseFirst) {
  std::vector<std::string> log;
  other_->SetOnKeyDown([&](QObject*, int key, Qt::KeyboardModifiers) {
    log.push_back(key == Qt::Key_Space ? "space down" : "b down");
  });
  other_->SetOnClick([&](QObject*) { log.push_back("click"); });
  other_->setFocus();
  SendKey(other_, QEvent::KeyPress, Qt::Key_Space);
  SendKey(other_, QEvent::KeyRelease, Qt::Key_Space);
  SendKey(other_, QEvent::KeyPress, Qt::Key_B);
  EXPECT_EQ(log, (std::vector<std::string>{"space down", "click", "b down"}));
}

TEST_F(DxDialog, OnlyTheLeftButtonGivesTheFocus) {
  for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    QTest::mouseClick(other_, button, {}, QPoint(10, 10));
    EXPECT_TRUE(edit_->hasFocus()) << button;
    EXPECT_FALSE(other_->Focused()) << button;
  }
  QTest::mouseClick(other_, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(other_->hasFocus());
  // Tab still reaches the buttons.
  edit_->setFocus();
  QTest::keyClick(edit_, Qt::Key_Tab);
  EXPECT_TRUE(save_->hasFocus());
}

TEST_F(DxDialog, MouseClickTakesTheFocusAndHandsTheModalResultToTheWindow) {
  other_->SetModalResult(2);
  bool pressed_in_click = false;
  other_->SetOnClick([&](QObject*) { pressed_in_click = other_->Pressed(); });
  QTest::mouseClick(other_, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(other_->hasFocus());
  EXPECT_TRUE(pressed_in_click);
  EXPECT_FALSE(other_->Pressed());
  EXPECT_EQ(window_->GetModalResult(), ModalResult::kCancel);

  // Shown modally, the form ends its showing with the result of the button clicked.
  QTimer::singleShot(0, other_, [this] { QTest::mouseClick(other_, Qt::LeftButton, {}, {5, 5}); });
  EXPECT_EQ(window_->ShowModal(), ModalResult::kCancel);
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(DxDialog, ADoubleClickIsOneMorePressOfItsButton) {
  std::vector<Qt::MouseButton> downs;
  other_->SetOnMouseDown(
      [&](QObject*, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) { downs.push_back(b); });
  // Through the window, as the platform delivers a double click.
  const QPoint at = other_->mapTo(window_.get(), QPoint(10, 10));
  QTest::mouseDClick(window_->windowHandle(), Qt::RightButton, {}, at, 1000);
  EXPECT_EQ(downs, (std::vector<Qt::MouseButton>{Qt::RightButton, Qt::RightButton}));
  EXPECT_EQ(other_clicks_, 0);
  QTest::mouseDClick(window_->windowHandle(), Qt::LeftButton, {}, at, 1000);
  EXPECT_EQ(other_clicks_, 2);  // two quick clicks click twice
}

TEST_F(DxDialog, ReleaseOutsideAndOtherButtonsDoNotClick) {
  QTest::mousePress(other_, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(other_, Qt::LeftButton, {}, QPoint(200, 10));
  EXPECT_EQ(other_clicks_, 0);
  EXPECT_FALSE(other_->Pressed());
  QTest::mouseClick(other_, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(other_clicks_, 0);
  EXPECT_EQ(window_->GetModalResult(), ModalResult::kNone);
}

TEST_F(DxDialog, LosingTheFocusDropsThePress) {
  other_->setFocus();
  QTest::keyPress(other_, Qt::Key_Space);
  edit_->setFocus();
  EXPECT_FALSE(other_->Pressed());
  EXPECT_FALSE(other_->Focused());
  EXPECT_EQ(other_clicks_, 0);
}

TEST_F(DxDialog, DestroyingTheFocusedButtonLeavesTheOthersWorking) {
  other_->setFocus();
  delete other_;
  other_ = nullptr;
  save_->setFocus();
  EXPECT_TRUE(save_->Focused());
  QTest::keyClick(save_, Qt::Key_Return);
  EXPECT_EQ(save_clicks_, 1);
  EXPECT_EQ(Total(), 1);
}

TEST_F(DxDialog, ActionSuppliesCaptionAndImageAndFollowsItsImageList) {
  TActionList list;
  TImageList images(8, 8);
  QImage red(8, 8, QImage::Format_RGB32);
  red.fill(Qt::red);
  QImage green(8, 8, QImage::Format_RGB32);
  green.fill(Qt::green);
  images.Add(red);
  images.Add(green);
  list.SetImages(&images);
  TAction action(&list);
  action.SetCaption("Go");
  action.SetImageIndex(1);
  int executed = 0;
  action.SetOnExecute([&](QObject*) { ++executed; });

  auto* b = new TdxButton(window_.get());
  b->move(100, 70);
  b->show();
  b->SetAction(&action);
  EXPECT_EQ(b->Caption(), QString("Go"));
  EXPECT_EQ(b->ImageIndex(), 1);
  EXPECT_EQ(b->Picture().pixel(2, 2), qRgb(0, 255, 0));

  action.SetImageIndex(0);
  EXPECT_EQ(b->ImageIndex(), 0);
  images.Delete(1);
  EXPECT_EQ(b->ImageIndex(), 0);
  action.SetImageIndex(1);  // outside the list now
  images.Clear();
  EXPECT_EQ(b->ImageIndex(), -1);
  EXPECT_TRUE(b->Picture().isNull());

  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(executed, 1);
}

TEST_F(DxDialog, ScreenReaderSeesAPushButtonThatPresses) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(save_);
  ASSERT_NE(iface, nullptr);
  EXPECT_EQ(iface->role(), QAccessible::Button);
  EXPECT_EQ(iface->text(QAccessible::Name), QString("Save"));
  ASSERT_NE(iface->actionInterface(), nullptr);
  iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(save_clicks_, 1);
}

}  // namespace
}  // namespace qrv
