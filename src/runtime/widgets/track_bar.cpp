#include "track_bar.h"

#include <QKeyEvent>
#include <algorithm>
#include <utility>

#include "runtime/guard.h"

namespace qrv {
namespace {
constexpr int kMinTickSpacingPixels = 4;
}

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setRange(0, 10);
  setTickPosition(QSlider::TicksBelow);
  setSingleStep(1);
  setPageStep(2);
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(QStringLiteral("Position"));
  // QSlider reports valueChanged only for real changes, from the user and the program alike.
  connect(this, &QSlider::valueChanged, this, [this](int) { RaiseChange(); });
  UpdateTickSpacing();
}

void TTrackBar::keyPressEvent(QKeyEvent* event) {
  SliderAction action = SliderNoAction;
  switch (event->key()) {
    case Qt::Key_Up:
      action = SliderSingleStepSub;
      break;
    case Qt::Key_Down:
      action = SliderSingleStepAdd;
      break;
    case Qt::Key_PageUp:
      action = SliderPageStepSub;
      break;
    case Qt::Key_PageDown:
      action = SliderPageStepAdd;
      break;
    default:
      QSlider::keyPressEvent(event);
      return;
  }
  triggerAction(action);
  event->accept();
}

void TTrackBar::RaiseChange() {
  if (!on_change_) return;
  if (program_changes_ == 0) {
    Guard([this] { on_change_(); });
    return;
  }
  // Exceptions must not cross Qt's signal machinery: keep the first one and raise it again once
  // the setter that caused the change is back in our own code.
  try {
    on_change_();
  } catch (...) {
    if (!pending_) pending_ = std::current_exception();
  }
}

template <typename F>
void TTrackBar::ProgramChange(F&& change) {
  ++program_changes_;
  change();
  --program_changes_;
  if (program_changes_ == 0 && pending_) {
    std::exception_ptr error = std::exchange(pending_, nullptr);
    std::rethrow_exception(error);
  }
}

void TTrackBar::SetMax(int value) {
  ProgramChange([&] {
    setRange(minimum(), std::max(value, minimum()));
    UpdateTickSpacing();
  });
}

void TTrackBar::SetMin(int value) {
  ProgramChange([&] {
    setRange(std::min(value, maximum()), maximum());
    UpdateTickSpacing();
  });
}

void TTrackBar::SetPosition(int value) {
  ProgramChange([&] { setValue(std::clamp(value, minimum(), maximum())); });
}

void TTrackBar::SetTickFrequency(int frequency) {
  tick_frequency_ = std::max(frequency, 1);
  UpdateTickSpacing();
}

void TTrackBar::resizeEvent(QResizeEvent* event) {
  QSlider::resizeEvent(event);
  UpdateTickSpacing();
}

void TTrackBar::UpdateTickSpacing() {
  const int64_t span = static_cast<int64_t>(maximum()) - minimum();
  const int usable = std::max(width() / kMinTickSpacingPixels, 1);
  int64_t interval = tick_frequency_;
  if (span / interval > usable) {
    // Round up to a multiple of the frequency so that the ticks drawn are a subset of the
    // ticks asked for.
    const int64_t needed = (span + usable - 1) / usable;
    interval = (needed + tick_frequency_ - 1) / tick_frequency_ * tick_frequency_;
  }
  setTickInterval(static_cast<int>(std::min<int64_t>(interval, INT32_MAX)));
}

}  // namespace qrv
