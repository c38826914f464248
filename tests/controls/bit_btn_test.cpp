#include "controls/bit_btn.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>

#include "render_helpers.h"

namespace qrv {
namespace {

using test::kBlack;
using test::kBlue;
using test::kShadow;
using test::kWhite;

static_assert(static_cast<int>(TButtonLayout::blGlyphBottom) == 0);
static_assert(static_cast<int>(TButtonLayout::blGlyphLeft) == 1);
static_assert(static_cast<int>(TButtonLayout::blGlyphRight) == 2);
static_assert(static_cast<int>(TButtonLayout::blGlyphTop) == 3);
static_assert(static_cast<int>(TGrayImageListStyle::gisSystemDeactive) == 1);
static_assert(static_cast<int>(TGrayImageListStyle::gisBlue) == 2);

// A transport button as the windows place them: caption only, blue bold text on a black window.
class BitBtnLook : public test::ControlsTest {
 protected:
  void SetUp() override {
    test::ControlsTest::SetUp();
    window_ = std::make_unique<test::BlackWindow>();
    button_ = test::PlaceBitBtn(window_.get());
    TFont f;
    f.SetName("MS Sans Serif");
    f.SetHeight(-13);
    f.SetColor(clBlue);
    f.SetBold(true);
    button_->SetFont(f);
    button_->SetCaption("Play");
    button_->show();
  }

  QRect CaptionRect() const {
    const QFontMetrics fm(button_->Font().ToQFont());
    const int tw = fm.horizontalAdvance(button_->Caption());
    const int th = fm.height();
    return QRect((button_->width() - tw) / 2, (button_->height() - th) / 2 + 4, tw, th);
  }

  void Enter() {
    const QPointF local(2, 2);
    QEnterEvent e(local, local, button_->mapToGlobal(local));
    QApplication::sendEvent(button_, &e);
  }

  std::unique_ptr<test::BlackWindow> window_;
  TDDMBitBtn* button_ = nullptr;
};

TEST(BitBtnTest, ConstructorValues) {
  TDDMBitBtn b;
  EXPECT_EQ(b.size(), QSize(25, 25));
  EXPECT_EQ(b.TransparentColor(), clWhite);
  EXPECT_EQ(b.Color(), clBtnFace);
  EXPECT_EQ(b.Layout(), TButtonLayout::blGlyphTop);
  EXPECT_FALSE(b.Transparent());
  EXPECT_FALSE(b.Down());
  EXPECT_FALSE(b.ShowCaption());
  EXPECT_TRUE(b.Enabled());
  EXPECT_EQ(b.GrayPortion(), 100);
  EXPECT_EQ(b.Style(), TGrayImageListStyle::gisGray);
  EXPECT_TRUE(b.Glyph().isNull());
  EXPECT_EQ(b.NumGlyphs(), 1);
  EXPECT_EQ(b.Spacing(), 4);
  EXPECT_EQ(b.GroupIndex(), 0);
  EXPECT_FALSE(b.AutoSize());
  EXPECT_FALSE(b.Hot());
  EXPECT_EQ(b.focusPolicy(), Qt::NoFocus);
  b.SetVersion("9.99");
  EXPECT_EQ(b.Version(), QString("2.30"));
}

TEST(BitBtnTest, OutOfRangeValuesAreIgnored) {
  TDDMBitBtn b;
  const int builds = b.ImageRebuilds();
  b.SetGrayPortion(0);
  b.SetGrayPortion(256);
  EXPECT_EQ(b.GrayPortion(), 100);
  b.SetNumGlyphs(0);
  b.SetNumGlyphs(5);
  EXPECT_EQ(b.NumGlyphs(), 1);
  EXPECT_EQ(b.ImageRebuilds(), builds);
  b.SetGrayPortion(255);
  b.SetNumGlyphs(4);
  EXPECT_EQ(b.GrayPortion(), 255);
  EXPECT_EQ(b.NumGlyphs(), 4);
  EXPECT_EQ(b.ImageRebuilds(), builds + 1);
  b.SetGrayPortion(255);  // same value: no rebuild
  EXPECT_EQ(b.ImageRebuilds(), builds + 1);
}

TEST(BitBtnTest, GlyphAssignmentBuildsImagesWithTheKeyInForceBefore) {
  TDDMBitBtn b;
  int changes = 0;
  b.SetOnChangeGlyph([&](QObject* sender) {
    EXPECT_EQ(sender, &b);
    ++changes;
  });
  QImage glyph(4, 2, QImage::Format_RGB32);
  glyph.fill(qRgb(255, 0, 0));                // avg 85
  glyph.setPixel(0, 1, qRgb(0, 255, 0));      // bottom-left: the new key, avg 85
  glyph.setPixel(3, 0, qRgb(255, 255, 255));  // the old key: left as it is
  b.SetGlyph(glyph);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.TransparentColor(), RGBColor(0, 255, 0));
  EXPECT_EQ(b.GrayImage().pixel(3, 0), qRgb(255, 255, 255));
  EXPECT_EQ(b.GrayImage().pixel(0, 1), qRgb(85, 85, 85));  // built with the old key
  EXPECT_EQ(b.DisabledImage().pixel(0, 0), qRgb(217, 217, 217));
  // The two images are separate copies.
  EXPECT_EQ(b.GrayImage().pixel(0, 0), qRgb(85, 85, 85));

  b.SetGlyph(QImage());
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(b.GrayImage().isNull());
  EXPECT_TRUE(b.DisabledImage().isNull());
  EXPECT_EQ(b.TransparentColor(), RGBColor(0, 255, 0));  // an empty glyph keeps the key
}

TEST(BitBtnTest, StyleChangeRebuildsWithTheNewColouring) {
  QApplication::setPalette(test::ClassicPalette());
  TDDMBitBtn b;
  QImage glyph(2, 2, QImage::Format_RGB32);
  glyph.fill(qRgb(10, 10, 10));  // a = 10: button text
  glyph.setPixel(1, 0, qRgb(200, 200, 200));
  glyph.setPixel(0, 1, qRgb(255, 255, 255));  // the key
  b.SetGlyph(glyph);
  b.SetStyle(TGrayImageListStyle::gisSystemDeactive);
  EXPECT_EQ(b.GrayImage().pixel(1, 0), qRgb(255, 255, 255));  // a = 200: highlight
  EXPECT_EQ(b.GrayImage().pixel(0, 0), qRgb(0, 0, 0));
}

TEST(BitBtnTest, AutoSizeFollowsGlyphCaptionAndSpacing) {
  TDDMBitBtn b;
  QImage glyph(20, 10, QImage::Format_RGB32);
  glyph.fill(Qt::red);
  b.SetGlyph(glyph);
  b.SetAutoSize(true);
  EXPECT_EQ(b.size(), QSize(28, 18));  // no caption: glyph plus spacing on each side

  b.SetCaption("Forward");
  b.SetShowCaption(true);
  const QFontMetrics fm(b.Font().ToQFont());
  const int tw = fm.horizontalAdvance("Forward");
  const int th = fm.height();
  EXPECT_EQ(b.size(), QSize(tw + 12, 10 + 8 + th + 8));

  b.SetLayout(TButtonLayout::blGlyphLeft);
  EXPECT_EQ(b.size(), QSize(20 + tw + 16 + 8, 18));

  // A font attribute changed in place neither resizes nor repaints until the next change.
  const QSize before = b.size();
  b.Font().SetHeight(-30);
  EXPECT_EQ(b.size(), before);
  b.SetSpacing(5);
  EXPECT_NE(b.size(), before);
}

TEST_F(BitBtnLook, RestShowsOnlyTheCaptionCentredBelowTheMiddle) {
  const QImage img = test::Snapshot(button_);
  const QRect blue = test::BoundingBox(img, kBlue);
  ASSERT_FALSE(blue.isEmpty());
  EXPECT_TRUE(CaptionRect().contains(blue)) << blue.x() << "," << blue.y();
  // Centred horizontally within a pixel.
  EXPECT_LE(std::abs(blue.left() - (img.width() - 1 - blue.right())), 2);
  // No frame and no background: the window shows through.
  EXPECT_EQ(test::CountColor(img, kBlue) + test::CountColor(img, kBlack),
            img.width() * img.height());
}

TEST_F(BitBtnLook, HotShowsTheRaisedFrame) {
  Enter();
  EXPECT_TRUE(button_->Hot());
  const QImage img = test::Snapshot(button_);
  const int w = img.width(), h = img.height();
  EXPECT_EQ(img.pixel(0, 0), kWhite);
  EXPECT_EQ(img.pixel(0, h - 2), kWhite);
  EXPECT_EQ(img.pixel(w - 2, 0), kWhite);
  EXPECT_EQ(img.pixel(w - 1, 0), kShadow);  // shadow covers the top-right corner
  EXPECT_EQ(img.pixel(0, h - 1), kShadow);  // and the bottom-left one
  EXPECT_EQ(img.pixel(w - 1, h - 2), kShadow);
  EXPECT_EQ(img.pixel(w - 1, h - 1), kShadow);
  EXPECT_EQ(img.pixel(w / 2, 1), kBlack);  // transparent inside the frame
  EXPECT_TRUE(CaptionRect().contains(test::BoundingBox(img, kBlue)));
}

TEST_F(BitBtnLook, DownShowsTheSunkenFrameAndMovesTheCaption) {
  const QRect rest = test::BoundingBox(test::Snapshot(button_), kBlue);
  button_->SetDown(true);
  const QImage img = test::Snapshot(button_);
  const int w = img.width(), h = img.height();
  EXPECT_EQ(img.pixel(0, 0), kShadow);
  EXPECT_EQ(img.pixel(w - 2, 0), kShadow);
  EXPECT_EQ(img.pixel(0, h - 2), kShadow);
  EXPECT_EQ(img.pixel(w - 1, 0), kWhite);
  EXPECT_EQ(img.pixel(w - 1, h - 2), kWhite);
  EXPECT_EQ(img.pixel(0, h - 1), kWhite);
  EXPECT_EQ(img.pixel(w - 1, h - 1), kWhite);
  EXPECT_EQ(test::BoundingBox(img, kBlue), rest.translated(1, 1));
  // Down wins over hot.
  Enter();
  EXPECT_EQ(test::Snapshot(button_).pixel(0, 0), kShadow);
}

TEST_F(BitBtnLook, DisabledEmbossesTheCaption) {
  const QRect rest = test::BoundingBox(test::Snapshot(button_), kBlue);
  const int count = test::CountColor(test::Snapshot(button_), kBlue);
  button_->SetEnabled(false);
  Enter();  // hot keeps no effect while disabled
  QImage img = test::Snapshot(button_);
  EXPECT_EQ(test::CountColor(img, kBlue), 0);
  EXPECT_EQ(test::BoundingBox(img, kShadow), rest);
  EXPECT_EQ(test::CountColor(img, kShadow), count);
  EXPECT_EQ(test::BoundingBox(img, kWhite).bottomRight(), rest.bottomRight() + QPoint(1, 1));
  EXPECT_NE(img.pixel(0, 0), kWhite);  // no frame

  // Set down by the program, a disabled button draws white at +2 and gray at +1.
  button_->SetDown(true);
  img = test::Snapshot(button_);
  const QRect inner(1, 1, img.width() - 2, img.height() - 2);  // inside the sunken frame
  EXPECT_EQ(test::BoundingBox(img.copy(inner), kShadow).translated(1, 1).topLeft(),
            rest.topLeft() + QPoint(1, 1));
  EXPECT_EQ(test::BoundingBox(img.copy(inner), kWhite).translated(1, 1).topLeft(),
            rest.topLeft() + QPoint(2, 2));
}

TEST_F(BitBtnLook, OpaqueButtonFillsWithButtonFace) {
  button_->SetTransparent(false);
  const QImage img = test::Snapshot(button_);
  EXPECT_EQ(img.pixel(2, 2), test::kFace);
  EXPECT_EQ(img.pixel(img.width() - 1, img.height() - 1), test::kFace);
}

TEST_F(BitBtnLook, OnlyTheFirstGlyphCellIsDrawn) {
  button_->SetShowCaption(false);
  QImage glyph(48, 16, QImage::Format_RGB32);
  for (int x = 0; x < 48; ++x) {
    const QRgb c = x < 16 ? qRgb(255, 0, 0) : x < 32 ? qRgb(0, 255, 0) : qRgb(255, 255, 0);
    for (int y = 0; y < 16; ++y) glyph.setPixel(x, y, c);
  }
  glyph.setPixel(0, 15, qRgb(255, 255, 255));
  button_->SetGlyph(glyph);
  button_->SetNumGlyphs(3);
  Enter();
  QImage img = test::Snapshot(button_);
  const int gl = (button_->width() - 16) / 2;
  const int gt = (button_->height() - 16) / 2;
  EXPECT_EQ(test::CountColor(img, qRgb(255, 0, 0)), 16 * 16 - 1);
  EXPECT_EQ(test::BoundingBox(img, qRgb(255, 0, 0)), QRect(gl, gt, 16, 16));
  EXPECT_EQ(test::CountColor(img, qRgb(0, 255, 0)), 0);
  EXPECT_EQ(test::CountColor(img, qRgb(255, 255, 0)), 0);

  // At rest the gray copy of the first cell only; disabled, the washed-out copy.
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(button_, &leave);
  img = test::Snapshot(button_);
  EXPECT_EQ(test::CountColor(img, qRgb(85, 85, 85)), 16 * 16 - 1);
  button_->SetEnabled(false);
  img = test::Snapshot(button_);
  EXPECT_EQ(test::CountColor(img, qRgb(217, 217, 217)), 16 * 16 - 1);
}

TEST_F(BitBtnLook, GlyphBesideTheCaptionInTheSideLayouts) {
  QImage glyph(10, 10, QImage::Format_RGB32);
  glyph.fill(qRgb(255, 0, 0));
  glyph.setPixel(0, 9, qRgb(255, 255, 255));
  button_->setGeometry(20, 20, 90, 25);
  button_->SetGlyph(glyph);
  const QFontMetrics fm(button_->Font().ToQFont());
  const int tw = fm.horizontalAdvance("Play");
  const int w = 90, h = 25, s = 4;
  Enter();

  button_->SetLayout(TButtonLayout::blGlyphLeft);
  QRect red = test::BoundingBox(test::Snapshot(button_), qRgb(255, 0, 0));
  const int left = (w - 10 - tw - s) / 2;
  EXPECT_EQ(red, QRect(left, (h - 10) / 2, 10, 10));
  EXPECT_GE(test::BoundingBox(test::Snapshot(button_), kBlue).left(), left + 10 + s);

  button_->SetLayout(TButtonLayout::blGlyphRight);
  red = test::BoundingBox(test::Snapshot(button_), qRgb(255, 0, 0));
  EXPECT_EQ(red.left(), (w + tw + s - 10) / 2);
  EXPECT_LT(test::BoundingBox(test::Snapshot(button_), kBlue).right(), red.left() - s + 1);

  button_->SetLayout(TButtonLayout::blGlyphBottom);
  red = test::BoundingBox(test::Snapshot(button_), qRgb(255, 0, 0));
  EXPECT_EQ(red.top(), (h - 10) / 2 + s);
}

TEST_F(BitBtnLook, ASystemColourKeyLeavesTheSamePixelsOutOfGrayAndGlyph) {
  button_->SetShowCaption(false);
  // Red with a cross of button-face pixels; the key becomes the face colour of the scheme.
  QImage glyph(16, 16, QImage::Format_RGB32);
  glyph.fill(qRgb(255, 0, 0));
  for (int i = 0; i < 16; ++i) {
    glyph.setPixel(i, 8, test::kFace);
    glyph.setPixel(8, i, test::kFace);
  }
  button_->SetGlyph(glyph);
  button_->SetTransparentColor(clBtnFace);
  button_->SetStyle(TGrayImageListStyle::gisBlue);  // rebuilds the gray images with the key
  EXPECT_EQ(test::CountColor(button_->GrayImage(), test::kFace), 31);  // kept, not grayed
  // Pressed, the glyph itself is drawn with the key: the face pixels are left out.
  button_->SetDown(true);
  const QImage down = test::Snapshot(button_);
  EXPECT_EQ(test::CountColor(down, qRgb(255, 0, 0)), 16 * 16 - 31);
  EXPECT_EQ(test::CountColor(down, test::kFace), 0);
}

}  // namespace
}  // namespace qrv
