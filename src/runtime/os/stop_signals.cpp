#include "stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>

namespace qrv::os {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe, for the handler; -1 while no instance listens.
std::atomic<int> g_write_fd{-1};

extern "C" void OnSignal(int number) {
  const int saved = errno;
  const int fd = g_write_fd.load();
  if (fd >= 0) {
    const unsigned char byte = static_cast<unsigned char>(number);
    // A full pipe already holds a stop request; losing this one loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
  }
  errno = saved;
}

}  // namespace

StopSignals::StopSignals(std::function<void(int)> on_stop, QObject* parent)
    : QObject(parent), on_stop_(std::move(on_stop)) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  read_end_.Reset(fds[0]);
  write_end_.Reset(fds[1]);
  g_write_fd.store(write_end_.Get());
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : kSignals) ::sigaction(number, &action, nullptr);
}

StopSignals::~StopSignals() {
  if (!Installed()) return;
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int number : kSignals) ::sigaction(number, &action, nullptr);
  g_write_fd.store(-1);
}

void StopSignals::Listen() {
  if (!Installed() || notifier_) return;
  notifier_ = std::make_unique<QSocketNotifier>(read_end_.Get(), QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Drain(); });
  // A signal that came before is already waiting in the pipe and is read on the first pass of
  // the event loop.
}

void StopSignals::Drain() {
  // Several signals in a row ask for the same thing; the program hears of the first.
  unsigned char bytes[16];
  int first = 0;
  ssize_t count;
  while ((count = ::read(read_end_.Get(), bytes, sizeof bytes)) > 0) {
    if (first == 0) first = bytes[0];
  }
  if (first != 0 && on_stop_) on_stop_(first);
}

}  // namespace qrv::os
