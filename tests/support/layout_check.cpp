#include "layout_check.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QGroupBox>
#include <QLineEdit>

#include "controls/bit_btn.h"
#include "controls/dx_control.h"
#include "runtime/fonts.h"
#include "runtime/widgets/label.h"

namespace qrv::test {
namespace {

std::optional<QString> CaptionOf(const QWidget& w) {
  if (auto* label = qobject_cast<const TLabel*>(&w)) return label->Caption();
  if (auto* button = dynamic_cast<const TCustomDDMBitBtn*>(&w)) return button->Caption();
  if (auto* flat = dynamic_cast<const TdxCustomControl*>(&w)) return flat->Caption();
  if (auto* edit = qobject_cast<const QLineEdit*>(&w)) return edit->text();
  if (auto* box = qobject_cast<const QGroupBox*>(&w)) return box->title();
  return std::nullopt;
}

QFont FontOf(const QWidget& w) {
  if (auto* button = dynamic_cast<const TCustomDDMBitBtn*>(&w)) return button->Font().ToQFont();
  return w.font();
}

QColor ColorOf(const QWidget& w) {
  if (auto* label = qobject_cast<const TLabel*>(&w)) return label->FontColor();
  if (auto* button = dynamic_cast<const TCustomDDMBitBtn*>(&w)) {
    return ToQColor(button->Font().Color());
  }
  if (auto* flat = dynamic_cast<const TdxCustomControl*>(&w)) {
    return ToQColor(flat->Font().Color(), flat->palette());
  }
  // Lists and text views draw their items in the text colour.
  if (qobject_cast<const QAbstractItemView*>(&w)) return w.palette().color(QPalette::Text);
  return w.palette().color(w.foregroundRole());
}

void ExpectBitButton(const QWidget& w, const BitButtonLook& look) {
  auto* b = dynamic_cast<const TCustomDDMBitBtn*>(&w);
  ASSERT_NE(b, nullptr) << "not a bitmap button";
  EXPECT_TRUE(b->ShowCaption());
  EXPECT_TRUE(b->Glyph().isNull());
  EXPECT_EQ(b->Layout(), TButtonLayout::blGlyphTop);
  EXPECT_EQ(b->Spacing(), 4);
  EXPECT_EQ(b->NumGlyphs(), 1);
  EXPECT_EQ(b->Style(), TGrayImageListStyle::gisGray);
  EXPECT_EQ(b->GrayPortion(), 100);
  EXPECT_TRUE(b->Transparent());
  EXPECT_EQ(b->Color(), clBtnFace);
  EXPECT_EQ(b->TransparentColor(), look.transparent_color);
  EXPECT_FALSE(b->AutoSize());
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(b->GroupIndex(), 0);
  EXPECT_TRUE(b->Enabled());
}

}  // namespace

void ExpectLayout(const QWidget& window, const std::vector<LayoutRow>& rows) {
  const QWidget* previous = nullptr;
  for (const LayoutRow& row : rows) {
    SCOPED_TRACE(row.name);
    const auto* w = window.findChild<QWidget*>(QString::fromLatin1(row.name));
    ASSERT_NE(w, nullptr) << "no control of that name";
    if (row.bounds.size().isEmpty()) {
      EXPECT_EQ(w->pos(), row.bounds.topLeft());
    } else {
      EXPECT_EQ(w->geometry(), row.bounds);
    }
    if (row.caption) {
      EXPECT_EQ(CaptionOf(*w), QString::fromUtf8(row.caption));
    }
    if (row.font) {
      const QFont expected = PixelFont(row.font->face, row.font->pixels,
                                       row.font->bold ? FontWeight::kBold : FontWeight::kRegular,
                                       row.font->italic ? FontSlant::kItalic : FontSlant::kUpright);
      const QFont actual = FontOf(*w);
      EXPECT_EQ(actual.family(), expected.family());
      EXPECT_EQ(actual.pixelSize(), expected.pixelSize());
      EXPECT_EQ(actual.bold(), expected.bold());
      EXPECT_EQ(actual.italic(), expected.italic());
    }
    if (row.color) {
      EXPECT_EQ(ColorOf(*w), *row.color);
    }
    if (row.bit_button) ExpectBitButton(*w, *row.bit_button);
    if (previous && previous->parentWidget() == w->parentWidget()) {
      const QObjectList& stack = w->parentWidget()->children();
      EXPECT_LT(stack.indexOf(previous), stack.indexOf(w)) << "stacked below the row before";
    }
    previous = w;
  }
}

}  // namespace qrv::test
