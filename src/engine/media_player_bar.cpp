#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "bar_bitmaps.h"
#include "media_player.h"
#include "media_player_accessible.h"
#include "runtime/guard.h"

// The button bar of the media player: layout, painting, mouse and keyboard.
namespace qrv {

namespace {

constexpr std::array<const char*, kButtonCount> kBitmapParts = {
    "MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"};

QPixmap LoadBitmap(const char* prefix, const char* part) {
  const QImage& image = BarBitmap(std::string(prefix) + "_" + part);
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(kBarTransparent, Qt::MaskInColor)));
  return pixmap;
}

TMPBtnType ButtonOf(int i) {
  return static_cast<TMPBtnType>(i);
}

}  // namespace

TMediaPlayer::TMediaPlayer(QWidget* parent) : QWidget(parent) {
  InstallMediaPlayerAccessibility();
  LoadBitmaps();
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName("Media player");
  resize(240, 30);
}

void TMediaPlayer::LoadBitmaps() {
  for (int i = 0; i < kButtonCount; ++i) {
    Button& b = buttons_[static_cast<size_t>(i)];
    b.enabled_bitmap = LoadBitmap("EN", kBitmapParts[static_cast<size_t>(i)]);
    b.disabled_bitmap = LoadBitmap("DI", kBitmapParts[static_cast<size_t>(i)]);
    b.colored_bitmap = LoadBitmap("CL", kBitmapParts[static_cast<size_t>(i)]);
  }
}

void TMediaPlayer::SetColoredButtons(TButtonSet value) {
  if (value == colored_buttons_) return;
  colored_buttons_ = value;
  for (int i = 0; i < kButtonCount; ++i) Btn(ButtonOf(i)).colored = value.Contains(ButtonOf(i));
  update();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet value) {
  if (value == enabled_buttons_) return;
  enabled_buttons_ = value;
  for (int i = 0; i < kButtonCount; ++i) Btn(ButtonOf(i)).enabled = value.Contains(ButtonOf(i));
  update();
}

void TMediaPlayer::SetVisibleButtons(TButtonSet value) {
  if (value == visible_buttons_) return;
  visible_buttons_ = value;
  for (int i = 0; i < kButtonCount; ++i) Btn(ButtonOf(i)).visible = value.Contains(ButtonOf(i));
  AdjustBarSize();
  update();
}

void TMediaPlayer::SetAutoEnable(bool value) {
  if (value == auto_enable_) return;
  auto_enable_ = value;
  UpdateBar();
}

void TMediaPlayer::SetEnabled(bool value) {
  setEnabled(value);
  update();
}

bool TMediaPlayer::ButtonEnabled(TMPBtnType b) const {
  return auto_enable_ ? Btn(b).auto_enabled : Btn(b).enabled;
}

void TMediaPlayer::UpdateBar() {
  for (int i = 0; i < kButtonCount; ++i) {
    Btn(ButtonOf(i)).auto_enabled = auto_enabled_buttons_.Contains(ButtonOf(i));
  }
  update();
}

void TMediaPlayer::ApplyAfterClickRule(TMPBtnType button) {
  TButtonSet& s = auto_enabled_buttons_;
  auto add_supported = [&] {
    if (supports_play_) s.Include(TMPBtnType::btPlay);
    if (supports_record_) s.Include(TMPBtnType::btRecord);
  };
  switch (button) {
    case TMPBtnType::btPlay:
    case TMPBtnType::btRecord:
      s.Exclude(TMPBtnType::btPlay);
      s.Exclude(TMPBtnType::btRecord);
      s.Include(TMPBtnType::btPause);
      s.Include(TMPBtnType::btStop);
      break;
    case TMPBtnType::btPause:
      add_supported();
      break;
    default:
      add_supported();
      s.Exclude(TMPBtnType::btPause);
      s.Exclude(TMPBtnType::btStop);
      break;
  }
}

int TMediaPlayer::VisibleCount() const {
  int n = 0;
  for (const Button& b : buttons_) n += b.visible ? 1 : 0;
  return std::max(n, 1);
}

QSize TMediaPlayer::MinimumButtonSize() const {
  int w = 0, h = 0;
  for (const Button& b : buttons_) {
    for (const QPixmap* p : {&b.enabled_bitmap, &b.disabled_bitmap, &b.colored_bitmap}) {
      w = std::max(w, p->width());
      h = std::max(h, p->height());
    }
  }
  return {w + 8, h + 4};
}

void TMediaPlayer::AdjustBarSize() {
  const int n = VisibleCount();
  const QSize smallest = MinimumButtonSize();
  const int button_width = (width() - 1) / n + 1;
  const int w = std::max(n * (button_width - 1) + 1, n * (smallest.width() - 1) + 1);
  const int h = std::max(height(), smallest.height());
  if (w != width() || h != height()) resize(w, h);
}

void TMediaPlayer::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  AdjustBarSize();
}

QRect TMediaPlayer::ButtonRect(TMPBtnType b) const {
  if (!Btn(b).visible) return {};
  const int button_width = (width() - 1) / VisibleCount() + 1;
  int x = 0;
  for (int i = 0; i < static_cast<int>(b); ++i) {
    if (buttons_[static_cast<size_t>(i)].visible) x += button_width - 1;
  }
  return {x, 0, button_width, height()};
}

std::optional<TMPBtnType> TMediaPlayer::ButtonAt(const QPoint& p) const {
  for (int i = 0; i < kButtonCount; ++i) {
    if (ButtonRect(ButtonOf(i)).contains(p)) return ButtonOf(i);
  }
  return std::nullopt;
}

const QPixmap& TMediaPlayer::ButtonBitmap(TMPBtnType b) const {
  const Button& button = Btn(b);
  if (!isEnabled() || !ButtonEnabled(b)) return button.disabled_bitmap;
  return button.colored ? button.colored_bitmap : button.enabled_bitmap;
}

void TMediaPlayer::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& pal = palette();
  const QColor frame = pal.color(QPalette::WindowText);
  painter.fillRect(rect(), pal.color(QPalette::Button));
  painter.setPen(frame);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  for (int i = 0; i < kButtonCount; ++i) {
    const TMPBtnType b = ButtonOf(i);
    if (!Btn(b).visible) continue;
    const QRect r = ButtonRect(b);
    const bool down = pressed_ == b && pressed_look_;
    painter.fillRect(r, pal.color(QPalette::Button));
    painter.setPen(frame);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    const QRect inner = r.adjusted(1, 1, -2, -2);
    if (down) {
      painter.setPen(pal.color(QPalette::Dark));
      painter.drawLine(inner.topLeft(), inner.topRight());
      painter.drawLine(inner.topLeft(), inner.bottomLeft());
    } else {
      painter.setPen(pal.color(QPalette::Light));
      painter.drawLine(inner.topLeft(), inner.topRight());
      painter.drawLine(inner.topLeft(), inner.bottomLeft());
      painter.setPen(pal.color(QPalette::Dark));
      painter.drawLine(inner.bottomLeft(), inner.bottomRight());
      painter.drawLine(inner.topRight(), inner.bottomRight());
    }
    const QPixmap& bitmap = ButtonBitmap(b);
    QPoint at(r.x() + (r.width() - bitmap.width()) / 2, r.y() + (r.height() - bitmap.height()) / 2);
    if (down) at += QPoint(1, 1);
    painter.drawPixmap(at, bitmap);
    if (hasFocus() && focused_ == b) {
      painter.setPen(QPen(frame, 1, Qt::DotLine));
      painter.drawRect(r.adjusted(3, 3, -4, -4));
    }
  }
}

void TMediaPlayer::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
  const auto b = ButtonAt(e->position().toPoint());
  if (!b || !isEnabled() || !ButtonEnabled(*b)) return;
  focused_ = *b;
  pressed_ = *b;
  pressed_look_ = true;
  if (focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
  update();
}

void TMediaPlayer::mouseMoveEvent(QMouseEvent* e) {
  if (!pressed_) return;
  const bool inside = ButtonRect(*pressed_).contains(e->position().toPoint());
  if (inside != pressed_look_) {
    pressed_look_ = inside;
    update();
  }
}

void TMediaPlayer::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !pressed_) return;
  const TMPBtnType b = *pressed_;
  const bool click = pressed_look_;
  pressed_.reset();
  pressed_look_ = false;
  update();
  if (click) Guard([&] { ClickButton(b, true); });
}

void TMediaPlayer::keyPressEvent(QKeyEvent* e) {
  const int step = e->key() == Qt::Key_Left ? -1 : e->key() == Qt::Key_Right ? 1 : 0;
  if (step != 0) {
    for (int i = static_cast<int>(focused_) + step; i >= 0 && i < kButtonCount; i += step) {
      if (Btn(ButtonOf(i)).visible) {
        focused_ = ButtonOf(i);
        update();
        break;
      }
    }
    return;
  }
  if (e->key() == Qt::Key_Space) {
    if (enabled_buttons_.Contains(focused_)) Guard([&] { ClickButton(focused_, false); });
    return;
  }
  QWidget::keyPressEvent(e);
}

void TMediaPlayer::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange) update();
  QWidget::changeEvent(e);
}

void TMediaPlayer::RunButton(TMPBtnType button) {
  switch (button) {
    case TMPBtnType::btPlay:
      Play();
      break;
    case TMPBtnType::btPause:
      Pause();
      break;
    case TMPBtnType::btStop:
      Stop();
      break;
    case TMPBtnType::btNext:
      Next();
      break;
    case TMPBtnType::btPrev:
      Previous();
      break;
    case TMPBtnType::btStep:
      StepForward();
      break;
    case TMPBtnType::btBack:
      StepBack();
      break;
    case TMPBtnType::btRecord:
      Record();
      break;
    case TMPBtnType::btEject:
      Eject();
      break;
  }
}

void TMediaPlayer::ClickButton(TMPBtnType button, bool by_mouse) {
  bool do_default = true;
  rule_button_ = button;
  if (on_click_) on_click_(this, button, do_default);
  if (do_default) {
    RunButton(button);
    if (on_post_click_) on_post_click_(this, button);
  }
  const bool apply = by_mouse ? auto_enable_ && last_error_ == 0 && device_open_ : auto_enable_;
  if (apply) {
    ApplyAfterClickRule(rule_button_);
    UpdateBar();
  }
}

}  // namespace qrv
