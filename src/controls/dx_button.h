#pragma once

#include <QImage>
#include <QMetaObject>
#include <QPointer>
#include <QRandomGenerator>
#include <cstdint>

#include "controls/button_accessible.h"
#include "controls/dx_control.h"

namespace qrv {

// Where the flat button's picture stands relative to its caption.
enum class TdxLayout { blGlyphLeft = 0, blGlyphRight = 1, blGlyphTop = 2, blGlyphBottom = 3 };
// How many bands the gradients have: 8, 16 or 32; the finest also scatters the band edges.
enum class TdxQuality { bqLow = 0, bqMiddle = 1, bqHigh = 2 };

// The dialog push button: a rounded dark-blue outline around a gradient face, with gradient rings
// for the pointer-over, focused and default states.
class TdxButton : public TdxCustomControl, public AccessibleButton {
 public:
  explicit TdxButton(QWidget* parent = nullptr);
  ~TdxButton() override;

  bool AutoGray() const { return auto_gray_; }
  virtual void SetAutoGray(bool value);
  bool Default() const { return default_; }
  virtual void SetDefault(bool value);
  const QImage& Glyph() const { return glyph_; }
  virtual void SetGlyph(const QImage& value);
  TdxLayout Layout() const { return layout_; }
  virtual void SetLayout(TdxLayout value);
  TdxQuality Quality() const { return quality_; }
  virtual void SetQuality(TdxQuality value);
  bool ShowAccelChar() const { return show_accel_char_; }
  virtual void SetShowAccelChar(bool value);
  bool ShowFocusRect() const { return show_focus_rect_; }
  virtual void SetShowFocusRect(bool value);
  std::uint8_t Spacing() const { return spacing_; }
  virtual void SetSpacing(std::uint8_t value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  QString Version() const override { return QStringLiteral("1.0"); }

  void SetAction(TAction* action) override;
  int ImageIndex() const { return image_index_; }

  // The highlight ring shows: pressed with the pointer outside, hot or focused, and, unless
  // excluded, being the default button while no flat control has the focus.
  bool IsHighlighted(bool exclude_default) const;

  const QImage& FaceGradient() const { return face_; }
  const QImage& PressedGradient() const { return pressed_gradient_; }
  const QImage& FocusGradient() const { return focus_gradient_; }
  const QImage& HotGradient() const { return hot_gradient_; }
  // How often the four gradients were built; painting never builds them.
  int GradientBuilds() const { return gradient_builds_; }
  // The picture drawn: the action's image, or the glyph, gray when disabled and AutoGray is on.
  QImage Picture() const;

  bool DialogKey(int key, Qt::KeyboardModifiers modifiers) override;
  QString AccessibleName() const override;
  void AccessiblePress() override { Click(); }

 protected:
  void StateResized() override;
  void StateTextChanged() override;
  void Paint(QPainter& painter) override;
  void ActionChange() override;
  void keyPressEvent(QKeyEvent* event) override;
  void KeyReleased(int key, Qt::KeyboardModifiers modifiers) override;

 private:
  void BuildGradients();
  void ImageRefresh();
  void SubscribeImages(TImageList* images);
  void DrawFrame(QPainter& p) const;

  bool auto_gray_ = true;
  bool cancel_ = false;
  bool default_ = false;
  QImage glyph_;
  TdxLayout layout_ = TdxLayout::blGlyphLeft;
  TdxQuality quality_ = TdxQuality::bqMiddle;
  bool show_accel_char_ = true;
  bool show_focus_rect_ = true;
  std::uint8_t spacing_ = 3;
  int image_index_ = -1;
  QPointer<TImageList> subscribed_images_;
  QMetaObject::Connection image_link_;

  QImage face_;
  QImage pressed_gradient_;
  QImage focus_gradient_;
  QImage hot_gradient_;
  QSize built_size_;
  int gradient_builds_ = 0;
  QRandomGenerator random_;
};

}  // namespace qrv
