#include "controls/dx_button.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QTest>

#include "controls/gradient.h"
#include "render_helpers.h"

namespace qrv {
namespace {

static_assert(static_cast<int>(TdxLayout::blGlyphLeft) == 0);
static_assert(static_cast<int>(TdxLayout::blGlyphRight) == 1);
static_assert(static_cast<int>(TdxLayout::blGlyphTop) == 2);
static_assert(static_cast<int>(TdxLayout::blGlyphBottom) == 3);
static_assert(static_cast<int>(TdxQuality::bqHigh) == 2);

constexpr QRgb kOutline = 0xFF003C73;
constexpr QRgb kCorner = 0xFF7B96AD;

QRgb FaceBand(int row) {
  // The 73 x 25 face gradient is 23 rows high in 16 bands.
  for (int i = 0; i < 16; ++i) {
    if (row < GradientBandTop(i + 1, 16, 23)) {
      const TColor c = GradientBandColor(RGBColor(255, 255, 255), RGBColor(239, 235, 231), i, 16);
      return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
    }
  }
  return 0;
}

class DxLook : public test::ControlsTest {
 protected:
  void SetUp() override {
    test::ControlsTest::SetUp();
    window_ = std::make_unique<test::BlackWindow>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    button_ = test::ShowOkButton(window_.get());
  }

  void Enter() {
    const QPointF local(30, 12);
    QEnterEvent e(local, local, button_->mapToGlobal(local));
    QApplication::sendEvent(button_, &e);
  }

  std::unique_ptr<test::BlackWindow> window_;
  TdxButton* button_ = nullptr;
};

TEST(DxButtonTest, ConstructorValues) {
  TdxButton b;
  EXPECT_EQ(b.size(), QSize(73, 25));
  EXPECT_TRUE(b.TabStop());
  EXPECT_TRUE(b.AutoGray());
  EXPECT_FALSE(b.Cancel());
  EXPECT_FALSE(b.Default());
  EXPECT_TRUE(b.Glyph().isNull());
  EXPECT_EQ(b.Layout(), TdxLayout::blGlyphLeft);
  EXPECT_EQ(b.Quality(), TdxQuality::bqMiddle);
  EXPECT_TRUE(b.ShowAccelChar());
  EXPECT_TRUE(b.ShowFocusRect());
  EXPECT_EQ(b.Spacing(), 3);
  EXPECT_EQ(b.ModalResult(), 0);
  EXPECT_EQ(b.ImageIndex(), -1);
  EXPECT_FALSE(b.Hot() || b.Focused() || b.Pressed() || b.FlatControlActive());
  EXPECT_EQ(b.FaceGradient().size(), QSize(71, 23));
  EXPECT_EQ(b.PressedGradient().size(), QSize(71, 23));
  EXPECT_FALSE(b.Version().isEmpty());
}

TEST(DxButtonTest, GradientsAreBuiltOnSizeAndQualityChangesOnly) {
  TdxButton b;
  const int builds = b.GradientBuilds();
  QImage target;
  for (int i = 0; i < 3; ++i) b.PaintTo(target);
  EXPECT_EQ(b.GradientBuilds(), builds);
  b.resize(90, 30);
  QApplication::sendPostedEvents();
  b.show();
  EXPECT_EQ(b.GradientBuilds(), builds + 1);
  EXPECT_EQ(b.FocusGradient().size(), QSize(88, 28));
  b.SetQuality(TdxQuality::bqHigh);
  EXPECT_EQ(b.GradientBuilds(), builds + 2);
  b.SetQuality(TdxQuality::bqHigh);
  EXPECT_EQ(b.GradientBuilds(), builds + 2);
  b.hide();
}

TEST_F(DxLook, RestShowsTheFaceBandsInsideTheRoundedOutline) {
  const QImage img = test::Snapshot(button_);
  ASSERT_EQ(img.size(), QSize(73, 25));
  for (int y = 0; y < 23; ++y) {
    EXPECT_EQ(img.pixel(4, 1 + y), FaceBand(y)) << "row " << y;
    EXPECT_EQ(img.pixel(68, 1 + y), FaceBand(y)) << "row " << y;
  }
  EXPECT_EQ(img.pixel(2, 0), kOutline);
  EXPECT_EQ(img.pixel(70, 0), kOutline);
  EXPECT_EQ(img.pixel(0, 2), kOutline);
  EXPECT_EQ(img.pixel(72, 22), kOutline);
  EXPECT_EQ(img.pixel(1, 1), kOutline);
  EXPECT_EQ(img.pixel(71, 23), kOutline);
  EXPECT_EQ(img.pixel(0, 1), kCorner);
  EXPECT_EQ(img.pixel(1, 0), kCorner);
  EXPECT_EQ(img.pixel(71, 0), kCorner);
  EXPECT_EQ(img.pixel(72, 1), kCorner);
  EXPECT_EQ(img.pixel(0, 23), kCorner);
  EXPECT_EQ(img.pixel(1, 24), kCorner);
  EXPECT_EQ(img.pixel(71, 24), kCorner);
  EXPECT_EQ(img.pixel(72, 23), kCorner);
  EXPECT_EQ(img.pixel(0, 0), test::kBlack);  // the window's colour in the corners
  EXPECT_EQ(img.pixel(72, 24), test::kBlack);
  const QRect blue = test::BoundingBox(img, test::kBlue);
  ASSERT_FALSE(blue.isEmpty());
  EXPECT_LE(std::abs(blue.left() - (72 - blue.right())), 2);
}

TEST_F(DxLook, FocusShowsTheBlueRingTheInsetFaceAndTheDottedRectangle) {
  button_->setFocus();
  ASSERT_TRUE(button_->Focused());
  QImage img = test::Snapshot(button_);
  const QImage& focus = button_->FocusGradient();
  const QImage& face = button_->FaceGradient();
  EXPECT_EQ(img.pixel(1, 12), focus.pixel(0, 11));
  EXPECT_EQ(img.pixel(2, 12), focus.pixel(1, 11));
  EXPECT_EQ(img.pixel(10, 4), face.pixel(7, 1));  // face inset at (3, 3)
  EXPECT_EQ(img.pixel(3, 3), qRgb(0, 0, 0));      // white inverted by the dotted rectangle
  EXPECT_EQ(img.pixel(4, 3), face.pixel(1, 0));   // every other pixel only
  EXPECT_EQ(img.pixel(69, 21), face.pixel(66, 18) ^ 0x00FFFFFFu);

  // Pointing at it swaps the ring for the orange one; the dotted rectangle stays.
  Enter();
  img = test::Snapshot(button_);
  EXPECT_EQ(img.pixel(1, 12), button_->HotGradient().pixel(0, 11));
  EXPECT_EQ(img.pixel(3, 3), qRgb(0, 0, 0));
}

TEST_F(DxLook, PressedUnderThePointerMovesTheCaption) {
  const QRect rest = test::BoundingBox(test::Snapshot(button_), test::kBlue);
  Enter();
  QTest::mousePress(button_, Qt::LeftButton, {}, QPoint(30, 12));
  ASSERT_TRUE(button_->Pressed() && button_->Hot());
  QImage img = test::Snapshot(button_);
  EXPECT_EQ(img.pixel(10, 4), button_->PressedGradient().pixel(9, 3));
  EXPECT_EQ(img.pixel(1, 12), button_->PressedGradient().pixel(0, 11));
  EXPECT_EQ(test::BoundingBox(img, test::kBlue), rest.translated(1, 1));

  // Dragged out: the focus ring, the inset face and the caption back in place.
  QMouseEvent move(QEvent::MouseMove, QPointF(-20, 12), button_->mapToGlobal(QPointF(-20, 12)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(button_, &move);
  EXPECT_FALSE(button_->Hot());
  EXPECT_TRUE(button_->IsHighlighted(true));
  img = test::Snapshot(button_);
  EXPECT_EQ(img.pixel(1, 12), button_->FocusGradient().pixel(0, 11));
  EXPECT_EQ(test::BoundingBox(img, test::kBlue), rest);
}

TEST_F(DxLook, DisabledCaptionIsEmbossed) {
  const QRect rest = test::BoundingBox(test::Snapshot(button_), test::kBlue);
  button_->SetEnabled(false);
  const QImage img = test::Snapshot(button_);
  EXPECT_EQ(test::CountColor(img, test::kBlue), 0);
  EXPECT_EQ(test::BoundingBox(img, test::kShadow), rest);
}

TEST_F(DxLook, DefaultShowsTheRingWhileNoFlatControlHasTheFocus) {
  button_->SetDefault(true);
  EXPECT_TRUE(button_->IsHighlighted(false));
  EXPECT_FALSE(button_->IsHighlighted(true));
  const QImage img = test::Snapshot(button_);
  EXPECT_EQ(img.pixel(1, 12), button_->FocusGradient().pixel(0, 11));

  auto* other = new TdxButton(window_.get());
  other->move(100, 20);
  other->show();
  other->setFocus();
  EXPECT_TRUE(button_->FlatControlActive());
  EXPECT_FALSE(button_->IsHighlighted(false));
}

TEST_F(DxLook, AutoGrayTurnsThePictureGrayWhenDisabled) {
  QImage glyph(3, 2, QImage::Format_RGB32);
  glyph.fill(qRgb(0, 255, 0));
  glyph.setPixel(0, 0, qRgb(255, 255, 255));
  glyph.setPixel(1, 0, qRgb(0, 0, 0));
  glyph.setPixel(2, 0, qRgb(30, 60, 90));
  button_->SetGlyph(glyph);
  EXPECT_EQ(button_->Picture().pixel(1, 0), qRgb(0, 0, 0));
  button_->SetEnabled(false);
  const QImage p = button_->Picture();
  EXPECT_EQ(p.pixel(0, 0), qRgb(223, 223, 223));
  EXPECT_EQ(p.pixel(1, 0), qRgb(96, 96, 96));
  EXPECT_EQ(p.pixel(2, 0), qRgb(126, 126, 126));  // 60 / 2 + 96
  button_->SetAutoGray(false);
  EXPECT_EQ(button_->Picture().pixel(1, 0), qRgb(0, 0, 0));
}

TEST_F(DxLook, PictureAndCaptionAreCentredAsABlock) {
  QImage glyph(10, 10, QImage::Format_RGB32);
  glyph.fill(qRgb(255, 0, 0));
  glyph.setPixel(0, 9, qRgb(0, 255, 0));  // the key: left out
  button_->SetGlyph(glyph);
  const QImage img = test::Snapshot(button_);
  const QRect red = test::BoundingBox(img, qRgb(255, 0, 0));
  EXPECT_EQ(test::CountColor(img, qRgb(0, 255, 0)), 0);
  EXPECT_EQ(red.size(), QSize(10, 10));
  EXPECT_EQ(red.top(), (25 - 10) / 2);
  const QRect blue = test::BoundingBox(img, test::kBlue);
  EXPECT_GE(blue.left(), red.right() + 3);
  // The block (picture, spacing, caption) is centred.
  EXPECT_LE(std::abs(red.left() - (72 - blue.right())), 3);
}

}  // namespace
}  // namespace qrv
