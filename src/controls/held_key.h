#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace qrv {

// Tells a held key's repeats from its real release. Under X11 a held key sends a release and a
// press together for each repeat; the platform flags the pair as a repeat only when its event
// loop sees both at once, which a busy loop does not. A release is therefore held back for a
// moment, and a press of the same key that follows within it turns both into a repeat: a held
// key is one press, its repeats, and one release.
class HeldKey : public QObject {
 public:
  using Release = std::function<void(int key, Qt::KeyboardModifiers modifiers)>;

  // How long a release waits for the press of its repeat. The pair leaves the display server
  // together, so this only has to cover the time between handling one event and the next.
  static constexpr int kRepeatGrace = 50;

  HeldKey(QObject* parent, Release on_release);

  // A release that is not flagged as a repeat: delivered after the grace unless a press of the
  // same key follows. A release still waiting is delivered first.
  void Released(int key, Qt::KeyboardModifiers modifiers);
  // A press arrived. True when it is the second half of a repeat, whose release is then dropped;
  // any other press first delivers a release still waiting, so that order is kept.
  bool Pressed(int key);
  // Delivers a release still waiting now.
  void Settle();
  bool Waiting() const { return waiting_; }

 private:
  Release on_release_;
  QTimer timer_{this};
  bool waiting_ = false;
  int key_ = 0;
  Qt::KeyboardModifiers modifiers_;
};

}  // namespace qrv
