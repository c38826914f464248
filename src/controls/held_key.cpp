#include "controls/held_key.h"

namespace qrv {

HeldKey::HeldKey(QObject* parent, Release on_release)
    : QObject(parent), on_release_(std::move(on_release)) {
  timer_.setObjectName(QStringLiteral("heldKeyRelease"));
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(kRepeatGrace);
  connect(&timer_, &QTimer::timeout, this, [this] { Settle(); });
}

void HeldKey::Released(int key, Qt::KeyboardModifiers modifiers) {
  Settle();
  key_ = key;
  modifiers_ = modifiers;
  waiting_ = true;
  timer_.start();
}

bool HeldKey::Pressed(int key) {
  if (!Waiting()) return false;
  if (key == key_) {
    waiting_ = false;
    timer_.stop();
    return true;
  }
  Settle();
  return false;
}

void HeldKey::Settle() {
  if (!Waiting()) return;
  waiting_ = false;
  timer_.stop();
  on_release_(key_, modifiers_);
}

}  // namespace qrv
