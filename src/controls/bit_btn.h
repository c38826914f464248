#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "controls/action.h"
#include "controls/button_accessible.h"
#include "controls/color.h"
#include "controls/control_events.h"
#include "controls/dialog_keys.h"
#include "controls/font.h"
#include "controls/gray_transform.h"

namespace qrv {

// Where the bitmap button's glyph stands relative to its caption.
enum class TButtonLayout { blGlyphBottom = 0, blGlyphLeft = 1, blGlyphRight = 2, blGlyphTop = 3 };

// The transport button: it never takes the focus, shows its glyph gray at rest and in colour under
// the pointer, sinks while pressed and embosses its caption when disabled.
class TCustomDDMBitBtn : public QWidget,
                         public ControlEvents,
                         public DialogKeyReceiver,
                         public AccessibleButton {
 public:
  explicit TCustomDDMBitBtn(QWidget* parent = nullptr);
  ~TCustomDDMBitBtn() override;

  TColor TransparentColor() const { return transparent_color_; }
  void SetTransparentColor(TColor value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool Down() const { return down_; }
  void SetDown(bool value);
  bool ShowCaption() const { return show_caption_; }
  void SetShowCaption(bool value);
  // The button's own enabled state, independent of its parent's.
  bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
  void SetEnabled(bool value) { setEnabled(value); }
  int GrayPortion() const { return gray_portion_; }
  void SetGrayPortion(int value);
  TGrayImageListStyle Style() const { return style_; }
  void SetStyle(TGrayImageListStyle value);
  const QImage& Glyph() const { return glyph_; }
  void SetGlyph(const QImage& value);
  int NumGlyphs() const { return num_glyphs_; }
  void SetNumGlyphs(int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);
  // Changing the returned font in place takes effect at the next paint, without a resize.
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value);
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int value) { group_index_ = value; }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  TAction* Action() const { return action_; }
  void SetAction(TAction* action);
  QString Hint() const { return toolTip(); }
  void SetHint(const QString& value) { setToolTip(value); }
  bool Visible() const { return !isHidden(); }
  void SetVisible(bool value) { setVisible(value); }
  QString Version() const { return QStringLiteral("2.30"); }
  void SetVersion(const QString&) {}

  void SetOnChangeGlyph(NotifyEvent handler) { on_change_glyph_ = std::move(handler); }
  void SetOnDblClick(NotifyEvent handler) { on_dbl_click_ = std::move(handler); }

  // Whether the pointer is over the button.
  bool Hot() const { return hot_; }
  // The prepared copies of the glyph drawn at rest and when disabled.
  const QImage& GrayImage() const { return gray_; }
  const QImage& DisabledImage() const { return disabled_; }
  // How often the gray and disabled images were built; painting never builds them.
  int ImageRebuilds() const { return image_rebuilds_; }

  // What a click does: OnClick, or else the linked action.
  void Click();
  // Draws the whole button, as a repaint does, onto a painter placed at its top-left corner.
  void Paint(QPainter& painter);
  // A sibling went down in a group; a button of that group that is down comes up.
  void GroupAnnouncement(QWidget* announcer, int group_index);

  bool DialogChar(QChar c, Qt::KeyboardModifiers modifiers) override;
  bool DialogKey(int, Qt::KeyboardModifiers) override { return false; }
  QChar AltAccelerator() const override;
  QString AccessibleName() const override;
  void AccessiblePress() override { Click(); }

 protected:
  // The pointer and the mouse buttons; a double click is also the second press.
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Enabling and disabling, and a new parent window for the accelerators.
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Origins {
    int glyph_left = 0;
    int glyph_top = 0;
    int caption_left = 0;
    int caption_top = 0;
  };

  void RebuildImages();
  void UpdateSize();
  void PaintBackground(QPainter& p);
  void ComputeLayout(QPainter& p);
  void PaintHot(QPainter& p);
  void DrawCaption(QPainter& p, int dx, int dy, QColor color);
  void DrawGlyph(QPainter& p, const QImage& image, KeyedImage& cache, TColor key, int dx, int dy);
  void PressAt(const QMouseEvent& event);
  void ActionChanged();
  void ApplyActionGlyph();
  bool PointerInside() const;
  int CellWidth() const;
  QSize CaptionSize() const;

  TColor transparent_color_ = clWhite;
  TColor color_ = clBtnFace;
  TButtonLayout layout_ = TButtonLayout::blGlyphTop;
  QString caption_;
  bool transparent_ = false;
  bool down_ = false;
  bool show_caption_ = false;
  int gray_portion_ = 100;
  TGrayImageListStyle style_ = TGrayImageListStyle::gisGray;
  QImage glyph_;
  int num_glyphs_ = 1;
  int spacing_ = 4;
  TFont font_;
  int group_index_ = 0;
  bool auto_size_ = false;
  QPointer<TAction> action_;

  QImage gray_;
  TColor gray_key_ = 0;
  QImage disabled_;
  TColor disabled_key_ = 0;
  bool hot_ = false;
  bool click_armed_ = false;
  Origins origins_;
  int image_rebuilds_ = 0;
  KeyedImage glyph_keyed_;
  KeyedImage gray_keyed_;
  KeyedImage disabled_keyed_;

  NotifyEvent on_change_glyph_;
  NotifyEvent on_dbl_click_;
};

// The published form of the bitmap button; it adds nothing to its base.
class TDDMBitBtn : public TCustomDDMBitBtn {
 public:
  using TCustomDDMBitBtn::TCustomDDMBitBtn;
};

// Tells the bitmap buttons beside a control (same parent) that it went down in a group, so that
// those of the group that are down come up.
void AnnounceGroupDown(QWidget* announcer, int group_index);

}  // namespace qrv
