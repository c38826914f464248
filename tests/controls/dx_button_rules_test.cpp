// Rules of the flat button a user sees but no other test would miss: every property change
// reaches the screen, the state gradients have their own colours, the band counts follow the
// quality, leaving clears the hot look, and the picture stands where its layout says.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QTest>
#include <functional>
#include <set>

#include "controls/dx_button.h"
#include "render_helpers.h"

namespace qrv {
namespace {

// Counts the paint events the platform delivers to a widget.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* target) { target->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

class DxRules : public test::ControlsTest {
 protected:
  void SetUp() override {
    test::ControlsTest::SetUp();
    window_ = std::make_unique<test::BlackWindow>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    button_ = test::ShowOkButton(window_.get());
    QApplication::processEvents();
  }

  static QImage Glyph() {
    QImage glyph(10, 10, QImage::Format_RGB32);
    glyph.fill(qRgb(255, 0, 0));
    glyph.setPixel(0, 9, qRgb(0, 255, 0));
    return glyph;
  }

  std::unique_ptr<test::BlackWindow> window_;
  TdxButton* button_ = nullptr;
};

TEST_F(DxRules, EveryPropertyChangeReachesTheScreen) {
  button_->SetGlyph(Glyph());
  button_->setEnabled(false);
  QApplication::processEvents();
  const std::pair<const char*, std::function<void(TdxButton&)>> changes[] = {
      {"Caption", [](TdxButton& b) { b.SetCaption("Cancel"); }},
      {"AutoGray", [](TdxButton& b) { b.SetAutoGray(false); }},
      {"Glyph", [](TdxButton& b) { b.SetGlyph(QImage()); }},
      {"Layout", [](TdxButton& b) { b.SetLayout(TdxLayout::blGlyphTop); }},
      {"Quality", [](TdxButton& b) { b.SetQuality(TdxQuality::bqHigh); }},
      {"ShowAccelChar", [](TdxButton& b) { b.SetShowAccelChar(false); }},
      {"ShowFocusRect", [](TdxButton& b) { b.SetShowFocusRect(false); }},
      {"Spacing", [](TdxButton& b) { b.SetSpacing(9); }},
      {"Default", [](TdxButton& b) { b.SetDefault(true); }},
      {"Color", [](TdxButton& b) { b.SetColor(clRed); }},
      {"ParentColor", [](TdxButton& b) { b.SetParentColor(true); }},
      {"Font", [](TdxButton& b) { b.SetFont(TFont()); }},
      {"Enabled", [](TdxButton& b) { b.SetEnabled(true); }},
  };
  for (const auto& [name, change] : changes) {
    PaintCounter counter(button_);
    change(*button_);
    QApplication::processEvents();
    EXPECT_GE(counter.count, 1) << name;
  }
}

TEST_F(DxRules, StateGradientsRunBetweenTheirOwnColours) {
  button_->resize(73, 40);
  QApplication::processEvents();
  const struct {
    const char* name;
    const QImage& image;
    QRgb top, bottom;
  } gradients[] = {
      {"face", button_->FaceGradient(), qRgb(255, 255, 255), qRgb(239, 235, 231)},
      {"pressed", button_->PressedGradient(), qRgb(214, 207, 198), qRgb(247, 243, 235)},
      {"hot", button_->HotGradient(), qRgb(255, 243, 206), qRgb(231, 150, 0)},
      {"focus", button_->FocusGradient(), qRgb(206, 231, 255), qRgb(109, 132, 239)},
  };
  for (const auto& g : gradients) {
    ASSERT_FALSE(g.image.isNull()) << g.name;
    EXPECT_EQ(g.image.pixel(3, 0) | 0xFF000000u, g.top) << g.name;
    EXPECT_EQ(g.image.pixel(3, g.image.height() - 1) | 0xFF000000u, g.bottom) << g.name;
  }
}

TEST_F(DxRules, QualitySetsTheNumberOfBands) {
  button_->resize(73, 80);  // room for every band, dithered edges and all
  const std::pair<TdxQuality, int> qualities[] = {
      {TdxQuality::bqLow, 8}, {TdxQuality::bqMiddle, 16}, {TdxQuality::bqHigh, 32}};
  for (const auto& [quality, bands] : qualities) {
    button_->SetQuality(quality);
    std::set<QRgb> colours;
    const QImage& focus = button_->FocusGradient();
    for (int y = 0; y < focus.height(); ++y) {
      for (int x = 0; x < focus.width(); ++x) colours.insert(focus.pixel(x, y));
    }
    EXPECT_EQ(static_cast<int>(colours.size()), bands) << static_cast<int>(quality);
  }
}

TEST_F(DxRules, LeavingClearsTheHotLook) {
  const QImage rest = test::Snapshot(button_);
  const QPointF local(30, 12);
  QEnterEvent enter(local, local, button_->mapToGlobal(local));
  QApplication::sendEvent(button_, &enter);
  QApplication::processEvents();
  EXPECT_TRUE(button_->Hot());
  EXPECT_NE(test::Snapshot(button_), rest);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(button_, &leave);
  QApplication::processEvents();
  EXPECT_FALSE(button_->Hot());
  EXPECT_EQ(test::Snapshot(button_), rest);
}

TEST_F(DxRules, PictureStandsWhereTheLayoutSays) {
  button_->resize(90, 50);
  button_->SetGlyph(Glyph());
  const struct {
    TdxLayout layout;
    std::function<bool(QRect picture, QRect caption)> holds;
  } layouts[] = {
      {TdxLayout::blGlyphLeft, [](QRect p, QRect c) { return p.right() + 3 < c.left(); }},
      {TdxLayout::blGlyphRight, [](QRect p, QRect c) { return c.right() + 3 < p.left(); }},
      {TdxLayout::blGlyphTop, [](QRect p, QRect c) { return p.bottom() + 3 < c.top(); }},
      {TdxLayout::blGlyphBottom, [](QRect p, QRect c) { return c.bottom() + 3 < p.top(); }},
  };
  for (const auto& l : layouts) {
    button_->SetLayout(l.layout);
    const QImage img = test::Snapshot(button_);
    const QRect picture = test::BoundingBox(img, qRgb(255, 0, 0));
    const QRect caption = test::BoundingBox(img, test::kBlue);
    EXPECT_EQ(picture.size(), QSize(10, 10)) << static_cast<int>(l.layout);
    EXPECT_TRUE(l.holds(picture, caption))
        << static_cast<int>(l.layout) << " picture " << picture.x() << "," << picture.y()
        << " caption " << caption.x() << "," << caption.y() << " " << caption.width() << "x"
        << caption.height();
  }
}

}  // namespace
}  // namespace qrv
