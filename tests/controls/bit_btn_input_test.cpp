#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "controls/action.h"
#include "controls/bit_btn.h"
#include "controls/dialog_keys.h"
#include "render_helpers.h"

namespace qrv {
namespace {

class BitBtnInput : public test::ControlsTest {
 protected:
  void SetUp() override {
    test::ControlsTest::SetUp();
    window_ = std::make_unique<test::BlackWindow>();
    button_ = test::PlaceBitBtn(window_.get());
    button_->SetCaption("Pre&v");
    button_->SetOnClick([this](QObject*) {
      ++clicks_;
      down_during_click_ = button_->Down();
    });
    button_->show();
    test::MovePointer(window_.get(), QPoint(150, 100));
  }

  std::unique_ptr<test::BlackWindow> window_;
  TDDMBitBtn* button_ = nullptr;
  int clicks_ = 0;
  bool down_during_click_ = false;
};

TEST_F(BitBtnInput, LeftClickSeesDownAndLeavesTheButtonHot) {
  QTest::mousePress(button_, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(button_->Down());
  QTest::mouseRelease(button_, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicks_, 1);
  EXPECT_TRUE(down_during_click_);
  EXPECT_FALSE(button_->Down());
  EXPECT_TRUE(button_->Hot());
  EXPECT_EQ(test::Snapshot(button_).pixel(0, 0), test::kWhite);  // the hot frame
}

TEST_F(BitBtnInput, RightPressSinksButNeverClicks) {
  int downs = 0, ups = 0;
  Qt::MouseButton seen = Qt::NoButton;
  button_->SetOnMouseDown([&](QObject*, Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
    ++downs;
    seen = b;
  });
  button_->SetOnMouseUp([&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++ups; });
  QTest::mousePress(button_, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_TRUE(button_->Down());
  EXPECT_EQ(test::Snapshot(button_).pixel(0, 0), test::kShadow);  // sunken
  QTest::mouseRelease(button_, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_FALSE(button_->Down());
  EXPECT_EQ(clicks_, 0);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(seen, Qt::RightButton);
}

TEST_F(BitBtnInput, ReleaseOutsideNeitherClicksNorStaysHot) {
  const QImage rest = test::Snapshot(button_);
  QTest::mousePress(button_, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(button_, Qt::LeftButton, {}, QPoint(-15, 40));
  EXPECT_EQ(clicks_, 0);
  EXPECT_FALSE(button_->Down());
  EXPECT_FALSE(button_->Hot());
  EXPECT_EQ(test::Snapshot(button_), rest);
}

TEST_F(BitBtnInput, ProgramDownStaysUntilAMouseRelease) {
  button_->SetDown(true);
  QTest::qWait(1);
  EXPECT_TRUE(button_->Down());
  QTest::mousePress(button_, Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseRelease(button_, Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_FALSE(button_->Down());
}

TEST_F(BitBtnInput, DisabledButtonIgnoresTheMouse) {
  button_->SetEnabled(false);
  QTest::mouseClick(button_, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(clicks_, 0);
  EXPECT_FALSE(button_->Down());
}

TEST_F(BitBtnInput, EnablingUnderThePointerShowsTheHotLook) {
  button_->SetEnabled(false);
  test::MovePointer(button_, QPoint(5, 5));
  button_->SetEnabled(true);
  EXPECT_TRUE(button_->Hot());
  EXPECT_EQ(test::Snapshot(button_).pixel(0, 0), test::kWhite);

  button_->SetEnabled(false);
  test::MovePointer(button_, QPoint(200, 5));
  button_->SetEnabled(true);
  EXPECT_FALSE(button_->Hot());
  EXPECT_EQ(test::Snapshot(button_).pixel(0, 0), test::kBlack);
}

TEST_F(BitBtnInput, AcceleratorClicksWhenEnabledAndIsSwallowedWhenDisabled) {
  QTest::keyClick(window_.get(), Qt::Key_V);
  EXPECT_EQ(clicks_, 1);
  EXPECT_TRUE(OfferDialogChar(window_.get(), QChar('V'), {}));
  EXPECT_EQ(clicks_, 2);
  EXPECT_FALSE(OfferDialogChar(window_.get(), QChar('x'), {}));

  button_->SetEnabled(false);
  EXPECT_TRUE(OfferDialogChar(window_.get(), QChar('v'), {}));
  EXPECT_EQ(clicks_, 2);

  button_->SetEnabled(true);
  button_->SetCaption("Play&");
  EXPECT_FALSE(OfferDialogChar(window_.get(), QChar('&'), {}));
  EXPECT_EQ(clicks_, 2);
}

TEST_F(BitBtnInput, AltAcceleratorReachesTheButtonPastAnEditBox) {
  auto* edit = new QLineEdit(window_.get());
  edit->setGeometry(5, 80, 80, 20);
  edit->show();
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_V);
  EXPECT_EQ(clicks_, 0);
  QTest::keyClick(edit, Qt::Key_V, Qt::AltModifier);
  EXPECT_EQ(clicks_, 1);
  EXPECT_EQ(edit->text(), QString("v"));
}

TEST_F(BitBtnInput, DoubleClickRaisesOnDblClickThenPresses) {
  std::vector<std::string> seen;
  button_->SetOnDblClick([&](QObject*) { seen.push_back("dbl"); });
  button_->SetOnMouseDown(
      [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { seen.push_back("down"); });
  button_->SetOnMouseUp(
      [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { seen.push_back("up"); });
  button_->SetOnClick([&](QObject*) { seen.push_back("click"); });
  // Through the window, as the platform delivers a double click.
  const QPoint at = button_->mapTo(window_.get(), QPoint(10, 10));
  QTest::mouseDClick(window_->windowHandle(), Qt::LeftButton, {}, at, 1000);
  EXPECT_EQ(seen, (std::vector<std::string>{"down", "click", "up", "dbl", "down", "up"}));
  EXPECT_FALSE(button_->Down());
}

TEST_F(BitBtnInput, GroupAnnouncementReleasesOtherDownButtonsOfTheGroup) {
  auto* other = new TDDMBitBtn(window_.get());
  auto* third = new TDDMBitBtn(window_.get());
  button_->SetGroupIndex(1);
  other->SetGroupIndex(1);
  third->SetGroupIndex(2);
  button_->SetDown(true);
  other->SetDown(true);
  third->SetDown(true);
  AnnounceGroupDown(button_, 1);
  EXPECT_TRUE(button_->Down());  // never releases itself
  EXPECT_FALSE(other->Down());
  EXPECT_TRUE(third->Down());

  // The announcer must itself be down.
  other->SetDown(true);
  button_->SetDown(false);
  AnnounceGroupDown(button_, 1);
  EXPECT_TRUE(other->Down());
}

TEST_F(BitBtnInput, ActionSuppliesCaptionStateHandlerAndGlyph) {
  TActionList list;
  TImageList images(16, 16);
  QImage picture(16, 16, QImage::Format_ARGB32);
  picture.fill(qRgb(255, 0, 0));
  picture.setPixel(0, 15, 0);  // transparent: the fuchsia fill shows there
  images.Add(picture);
  list.SetImages(&images);
  TAction action(&list);
  action.SetCaption("&Go");
  action.SetImageIndex(0);
  int executed = 0;
  action.SetOnExecute([&](QObject* sender) {
    EXPECT_EQ(sender, &action);
    ++executed;
  });

  auto* b = new TDDMBitBtn(window_.get());
  b->setGeometry(80, 20, 40, 40);
  b->show();
  b->SetAction(&action);
  EXPECT_EQ(b->Caption(), QString("&Go"));
  ASSERT_EQ(b->Glyph().size(), QSize(16, 16));
  EXPECT_EQ(b->TransparentColor(), clFuchsia);
  EXPECT_EQ(b->Glyph().pixel(5, 5), qRgb(255, 0, 0));

  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(executed, 1);
  action.SetEnabled(false);
  EXPECT_FALSE(b->Enabled());
  action.SetCaption("Stop");
  EXPECT_EQ(b->Caption(), QString("Stop"));
}

TEST_F(BitBtnInput, ScreenReaderSeesAPushButtonThatPresses) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button_);
  ASSERT_NE(iface, nullptr);
  EXPECT_EQ(iface->role(), QAccessible::Button);
  EXPECT_EQ(iface->text(QAccessible::Name), QString("Prev"));
  QAccessibleActionInterface* actions = iface->actionInterface();
  ASSERT_NE(actions, nullptr);
  actions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks_, 1);
}

// A button whose caption is its state tells the reader what the caption shown now does; a
// description given through Qt's own property comes first.
TEST_F(BitBtnInput, ScreenReaderDescriptionFollowsTheCaption) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button_);
  ASSERT_NE(iface, nullptr);
  EXPECT_EQ(iface->text(QAccessible::Description), QString());
  button_->SetDescriptions({{"Pause", "Pause playback"}, {"Resume", "Resume playback"}});
  const struct {
    const char* caption;
    const char* description;
  } cases[] = {{"Pause", "Pause playback"}, {"Resume", "Resume playback"}, {"Stop", ""}};
  for (const auto& c : cases) {
    button_->SetCaption(QString::fromLatin1(c.caption));
    EXPECT_EQ(iface->text(QAccessible::Description), QString::fromLatin1(c.description))
        << c.caption;
  }
  button_->SetDescriptions("Previous item");
  EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("Previous item"));
  button_->setAccessibleDescription(QStringLiteral("Set by hand"));
  EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("Set by hand"));
}

}  // namespace
}  // namespace qrv
