#pragma once

#include <QEvent>
#include <QObject>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/mci/request.h"

namespace qrv::test {

// Stands in for a callback window: records the completion notifications it receives, both as
// codes alone and with the device each one names.
class NotifyRecorder : public QObject {
 public:
  std::vector<uint32_t> codes;
  std::vector<std::pair<uint32_t, mci::DeviceId>> received;

  bool event(QEvent* e) override {
    if (e->type() != mci::NotifyEvent::EventType()) return QObject::event(e);
    auto* notify = static_cast<mci::NotifyEvent*>(e);
    codes.push_back(notify->Code());
    received.emplace_back(notify->Code(), notify->Device());
    return true;
  }
};

}  // namespace qrv::test
