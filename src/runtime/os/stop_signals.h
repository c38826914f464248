#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "runtime/fs/unique_fd.h"

class QSocketNotifier;

namespace qrv::os {

// Turns the signals with which a desktop session ends a program (SIGTERM, SIGINT, SIGHUP) into a
// call on the user-interface thread, so that the program can close the way the user would close
// it. A signal handler may do almost nothing safely; it only writes one byte into a pipe, and the
// event loop reads it. One instance at a time; the default actions come back when it goes.
class StopSignals : public QObject {
 public:
  explicit StopSignals(std::function<void(int signal)> on_stop, QObject* parent = nullptr);
  ~StopSignals() override;
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Signals that arrive before this are kept and delivered once it is called, so that none is
  // handled while the windows are still being made.
  void Listen();

  // Whether the handlers are in place (false when the pipe could not be made).
  bool Installed() const { return read_end_.Valid(); }

 private:
  void Drain();

  std::function<void(int)> on_stop_;
  fs::UniqueFd read_end_;
  fs::UniqueFd write_end_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace qrv::os
