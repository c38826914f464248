#include "controls/button_text.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

#include "controls/font.h"

namespace qrv {
namespace {

QFont TestFont() {
  TFont f;
  f.SetHeight(-13);
  return f.ToQFont();
}

TEST(ButtonTextTest, WrapsAtWordsAndElidesWhatStillDoesNotFit) {
  const QFont font = TestFont();
  const QFontMetrics fm(font);
  const int width = fm.horizontalAdvance("Delete this") + 2;
  const auto lines = LayoutButtonText("Delete this playlist", font, width, {});
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text, QString("Delete this"));
  EXPECT_EQ(lines[1].text, QString("playlist"));

  const auto narrow = LayoutButtonText("Supercalifragilistic", font, 40, {});
  ASSERT_EQ(narrow.size(), 1u);
  EXPECT_TRUE(narrow[0].text.endsWith("..."));
  EXPECT_LE(narrow[0].width, 40);
}

TEST(ButtonTextTest, MeasuringKeepsLeftTopAndSetsTheExtent) {
  const QFont font = TestFont();
  const QFontMetrics fm(font);
  const QRect r = MeasureButtonText("Ok", font, QRect(5, 7, 100, 50), {});
  EXPECT_EQ(r.left(), 5);
  EXPECT_EQ(r.top(), 7);
  EXPECT_EQ(r.width(), fm.horizontalAdvance("Ok"));
  EXPECT_EQ(r.height(), fm.height());
}

TEST(ButtonTextTest, EmptyOrLoneAmpersandMeasuresAsOneSpace) {
  const QFont font = TestFont();
  const QFontMetrics fm(font);
  const int space = fm.horizontalAdvance(' ');
  EXPECT_EQ(MeasureButtonText("", font, QRect(0, 0, 73, 25), {}).width(), space);
  EXPECT_EQ(MeasureButtonText("&", font, QRect(0, 0, 73, 25), {}).width(), space);
  ButtonTextFormat plain;
  plain.show_accel = false;
  EXPECT_EQ(MeasureButtonText("&", font, QRect(0, 0, 73, 25), plain).width(),
            fm.horizontalAdvance('&'));
}

TEST(ButtonTextTest, PrefixesUnderlineOnlyWhenShown) {
  const QFont font = TestFont();
  auto lines = LayoutButtonText("&Save", font, 100, {});
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, QString("Save"));
  ASSERT_EQ(lines[0].underlined.size(), 1);
  EXPECT_EQ(lines[0].underlined[0], 0);

  ButtonTextFormat plain;
  plain.show_accel = false;
  lines = LayoutButtonText("&Save", font, 100, plain);
  EXPECT_EQ(lines[0].text, QString("&Save"));
  EXPECT_TRUE(lines[0].underlined.isEmpty());
}

TEST(ButtonTextTest, DisabledTextIsEmbossed) {
  const QFont font = TestFont();
  QImage img(60, 20, QImage::Format_RGB32);
  img.fill(Qt::black);
  QPalette palette;
  palette.setColor(QPalette::Light, Qt::white);
  palette.setColor(QPalette::Dark, QColor(128, 128, 128));
  {
    QPainter p(&img);
    DrawButtonText(p, "Ok", font, QRect(2, 2, 50, 16), {}, false, Qt::blue, palette);
  }
  QRect white, gray;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) {
      if (img.pixel(x, y) == qRgb(255, 255, 255)) white |= QRect(x, y, 1, 1);
      if (img.pixel(x, y) == qRgb(128, 128, 128)) gray |= QRect(x, y, 1, 1);
      EXPECT_NE(img.pixel(x, y), qRgb(0, 0, 255));
    }
  }
  ASSERT_FALSE(gray.isEmpty());
  EXPECT_EQ(white.bottomRight(), gray.bottomRight() + QPoint(1, 1));
}

}  // namespace
}  // namespace qrv
