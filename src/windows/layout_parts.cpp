#include "layout_parts.h"

#include "controls/bit_btn.h"
#include "controls/color.h"
#include "controls/dx_button.h"
#include "runtime/fonts.h"
#include "runtime/widgets/picture.h"

// The art is compiled into the windows library; a static library registers it by hand, and the
// macro must stand outside any namespace.
static void RegisterArt() {
  Q_INIT_RESOURCE(app);
}

namespace qrv {

void InitLayoutArt() {
  static const bool registered = [] {
    RegisterArt();
    return true;
  }();
  (void)registered;
}

TImage* ArtPicture(QWidget* parent, const char* name, Bounds bounds, const QString& art,
                   PictureFit fit) {
  InitLayoutArt();
  auto* image = Place(new TImage(parent), bounds);
  image->setObjectName(QString::fromLatin1(name));
  image->setAccessibleName(QStringLiteral("Decorative line"));
  image->SetFit(fit);
  image->LoadFromResource(art);
  return image;
}

TImage* DecorativeLine(QWidget* parent, const char* name, Bounds bounds, LineDirection direction) {
  return ArtPicture(parent, name, bounds,
                    direction == LineDirection::kHorizontal
                        ? QStringLiteral(":/app/line_horizontal.jpg")
                        : QStringLiteral(":/app/line_vertical.jpg"),
                    PictureFit::Natural);
}

TLabel* LayoutLabel(QWidget* parent, const char* name, Bounds bounds, LabelSizing sizing,
                    const QFont& font, const QString& caption) {
  auto* label = new TLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->SetSizing(sizing);
  label->setFont(font);
  label->SetFontColor(Qt::blue);
  label->SetCaption(caption);
  // A label of fixed size takes the layout's size only now: while it still sized itself, every
  // change of font or text above would have fitted it to its (empty) text.
  if (sizing == LabelSizing::Fixed) {
    Place(label, bounds);
  } else {
    PlaceAt(label, bounds.left, bounds.top);
  }
  return label;
}

TDDMBitBtn* CaptionButton(QWidget* parent, const char* name, Bounds bounds, const QString& caption,
                          int font_pixels, bool bold, TColor transparent_color,
                          ButtonDescriptions description) {
  auto* button = Place(new TDDMBitBtn(parent), bounds);
  button->setObjectName(QString::fromLatin1(name));
  button->SetDescriptions(std::move(description));
  button->SetCaption(caption);
  button->SetShowCaption(true);
  button->SetLayout(TButtonLayout::blGlyphTop);
  button->SetSpacing(4);
  button->SetNumGlyphs(1);
  button->SetStyle(TGrayImageListStyle::gisGray);
  button->SetGrayPortion(100);
  button->SetTransparent(true);
  button->SetColor(clBtnFace);
  button->SetTransparentColor(transparent_color);
  TFont font = TFont::FromQFont(PixelFont("MS Sans Serif", font_pixels), clBlue);
  font.SetBold(bold);
  button->SetFont(font);
  return button;
}

TdxButton* DialogButton(QWidget* parent, const char* name, Bounds bounds, const QString& caption,
                        ButtonDescriptions description) {
  auto* button = Place(new TdxButton(parent), bounds);
  button->setObjectName(QString::fromLatin1(name));
  button->SetDescriptions(std::move(description));
  button->SetCaption(caption);
  return button;
}

}  // namespace qrv
